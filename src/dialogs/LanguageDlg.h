// The language page: the languages of section "SupportedLangs" of the setup
// script in a sorted list, the current one preselected.
#pragma once

#include "framework/Controls.h"
#include "framework/Dialog.h"

#include <map>
#include <string>

class CLanguageDlg : public fw::Dialog {
public:
    // resources holds template 114; parent (not owned) may be null.
    CLanguageDlg(HINSTANCE resources, const std::wstring& scriptPath, int currentLanguage, HWND parent = nullptr);

    int resultLanguage = 9;           // the choice after IDOK; 9 when the name is unknown
    std::wstring selectedName;        // 1051
    std::wstring scriptPath;
    std::map<std::wstring, int> languages;  // name -> language number
    int currentLanguage;

protected:
    bool OnInitDialog() override;
    bool DoDataExchange(bool save) override;
    void OnOK() override;

private:
    // Selects the entry named text; false when none matched.
    bool SelectName(const std::wstring& text) const;

    fw::ComboBox list_;
};
