// The prompt that says which version of the .NET Framework is missing and
// where to get it.
#pragma once

#include "framework/Dialog.h"

#include <string>

// Template 131: which version is missing, and the download page in a read-only
// edit the user can copy from. It ends only with cancel (the button, Escape or
// Enter).
class DotNetFrameworkDlg : public fw::Dialog {
public:
    // resources: the module with template 131 and strings 514/515 (null: the
    // program); parent is not owned and may be null.
    DotNetFrameworkDlg(HINSTANCE resources, const std::wstring& versionText, const std::wstring& downloadUrl,
                       HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    // Enter does not mean "go on without the framework".
    void OnOK() override { OnCancel(); }

private:
    std::wstring versionText_;
    std::wstring downloadUrl_;
};
