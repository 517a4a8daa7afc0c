// The question before a package's old data is deleted: may it go, and does the
// answer hold for the following packages.
#pragma once

#include "framework/Dialog.h"
#include "framework/Handles.h"

#include <string>

// Template 141. The package name stands in bold; the template's two texts are
// message formats (%1 the package name, %2 its folder), so a language library
// words them its own way. "Ja" ends with IDOK, "Nein" and Escape with IDCANCEL.
class DeleteOldProductDataDlg : public fw::Dialog {
public:
    // resources: the module with template 141 (null: the program); parent is not
    // owned and may be null. hide leaves out the check box.
    DeleteOldProductDataDlg(HINSTANCE resources, const std::wstring& packageName, const std::wstring& targetDir,
                            HWND parent, bool hide);

    bool hideCheckBox;
    int applyToAll = 0;  // the check box, read back whenever it is clicked
    std::wstring packageName;
    std::wstring targetDir;

protected:
    bool OnInitDialog() override;
    bool DoDataExchange(bool save) override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    fw::ScopedFont boldFont_;  // the name's font; lives as long as the dialog object
};
