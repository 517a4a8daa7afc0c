#include "dialogs/LanguageDlg.h"

#include "framework/Centre.h"
#include "framework/DataExchange.h"
#include "platform/Profile.h"
#include "resources/resource.h"

namespace {

constexpr wchar_t kLanguagesSection[] = L"SupportedLangs";
constexpr DWORD kDefaultNameChars = 260;

}  // namespace

CLanguageDlg::CLanguageDlg(HINSTANCE resources, const std::wstring& script, int current, HWND parent)
    : fw::Dialog(resources, IDD_LANGUAGE, parent), scriptPath(script), currentLanguage(current)
{
    list_.Attach(*this, IDC_LANGUAGE_LIST);
}

bool CLanguageDlg::OnInitDialog()
{
    fw::CentreWindow(Handle(), ::GetDesktopWindow());
    std::wstring current;
    for (const std::wstring& name : ReadProfileKeys(scriptPath, kLanguagesSection)) {
        list_.AddString(name);
        const int number = ReadProfileNumber(scriptPath, kLanguagesSection, name, 0);
        languages[name] = number;
        if (number == currentLanguage) current = name;  // the last match wins
    }
    const std::wstring fallback = ReadProfileText(scriptPath, L"SetupInfo", L"DefLanguage", kDefaultNameChars);
    if (!current.empty())
        SelectName(current);
    else if (!fallback.empty())
        SelectName(fallback);
    else
        list_.SetCurSel(0);
    return true;
}

bool CLanguageDlg::SelectName(const std::wstring& text) const
{
    // The whole name first: a prefix search would take "Deutsch (Schweiz)" for "Deutsch".
    const int exact = list_.FindStringExact(text, -1);
    if (exact >= 0) return list_.SetCurSel(exact);
    return list_.SelectString(text, 0) >= 0;
}

bool CLanguageDlg::DoDataExchange(bool save)
{
    fw::DataExchange dx(Handle(), save);
    if (save) dx.ComboText(IDC_LANGUAGE_LIST, selectedName);
    return dx.Ok();
}

void CLanguageDlg::OnOK()
{
    if (!DoDataExchange(true)) return;
    const auto found = languages.find(selectedName);
    if (found != languages.end()) resultLanguage = found->second;
    EndDialog(IDOK);
}
