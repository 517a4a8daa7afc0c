#include "dialogs/DeleteOldProductDataDlg.h"

#include "dialogs/MessageFormat.h"
#include "framework/DataExchange.h"
#include "resources/resource.h"

namespace {

constexpr LONG kBoldWeight = 700;

}  // namespace

DeleteOldProductDataDlg::DeleteOldProductDataDlg(HINSTANCE resources, const std::wstring& name,
                                                 const std::wstring& folder, HWND parent, bool hide)
    : fw::Dialog(resources, IDD_DELETE_OLD_DATA, parent), hideCheckBox(hide), packageName(name), targetDir(folder)
{
}

bool DeleteOldProductDataDlg::OnInitDialog()
{
    HWND nameText = Item(IDC_OLDDATA_NAME);
    LOGFONTW font{};
    const auto current = reinterpret_cast<HFONT>(::SendMessageW(nameText, WM_GETFONT, 0, 0));
    if (current && ::GetObjectW(current, sizeof(font), &font) == sizeof(font)) {
        font.lfWeight = kBoldWeight;
        boldFont_.Reset(::CreateFontIndirectW(&font));
        if (boldFont_) ::SendMessageW(nameText, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.Get()), FALSE);
    }
    SetItemText(IDC_OLDDATA_NAME, packageName);
    SetItemText(IDC_OLDDATA_TEXT, FormatMessageText(ItemText(IDC_OLDDATA_TEXT), packageName, targetDir));
    SetItemText(IDC_OLDDATA_QUESTION, FormatMessageText(ItemText(IDC_OLDDATA_QUESTION), packageName));
    if (hideCheckBox) ::ShowWindow(Item(IDC_OLDDATA_ALL), SW_HIDE);
    DoDataExchange(false);
    return true;
}

bool DeleteOldProductDataDlg::DoDataExchange(bool save)
{
    fw::DataExchange dx(Handle(), save);
    dx.Check(IDC_OLDDATA_ALL, applyToAll);
    return dx.Ok();
}

bool DeleteOldProductDataDlg::OnCommand(int id, int code, HWND)
{
    if (id != IDC_OLDDATA_ALL || code != BN_CLICKED) return false;
    DoDataExchange(true);
    return true;
}
