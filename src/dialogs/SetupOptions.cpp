#include "dialogs/SetupOptions.h"

#include "dialogs/SetupUi.h"
#include "files/engine/DirectoryTree.h"
#include "files/elements/ElementList.h"
#include "files/elements/InstElement.h"
#include "framework/Centre.h"
#include "framework/DataExchange.h"
#include "platform/PathUtil.h"
#include "resources/resource.h"

#include <algorithm>
#include <cwchar>

namespace {

constexpr wchar_t kApplicationPathCaption[] = L"Pfad für die ORVEK-Applikation";

// Shown with the data-source choice "onto the disk" only.
constexpr int kDiskModeControls[] = {IDC_OPTIONS_DIR, IDC_OPTIONS_DIR_LABEL, IDC_OPTIONS_DIR_FRAME,
                                     IDC_OPTIONS_FOLDER, IDC_OPTIONS_CLEAR_ALL, IDC_OPTIONS_CHECK_ALL};

std::wstring WithoutTrailingBackslash(std::wstring path)
{
    if (path.size() > 3 && path.back() == L'\\') path.pop_back();
    return path;
}

// String 68 with the drive letter in place of "%c" (only there: a translated
// text is never used as a format).
std::wstring DiskSpaceText(const std::wstring& pattern, wchar_t letter)
{
    std::wstring text = pattern;
    const size_t at = text.find(L"%c");
    if (at != std::wstring::npos) text.replace(at, 2, 1, letter);
    return text;
}

}  // namespace

CSetupOptions::CSetupOptions(SetupUi& ui, InstallRun& run, const std::wstring& install, const std::wstring& source,
                             const std::wstring& script, CIEArray& elementArray, const FileList& sourceFiles,
                             HWND parent)
    : fw::Dialog(ui.Resources(), IDD_OPTIONS, parent), list(ui.Resources()), installDir(install),
      sourceDir(source), scriptFile(script), elements(elementArray), ui_(ui), run_(run), sourceFiles_(sourceFiles)
{
    list.Attach(*this, IDC_OPTIONS_LIST);
    if (elements.GetSize() > 0) elements[0]->destination = installDir;
    AssignPackageDirectories();
    for (std::size_t i = 1; i <= PackageCount(elements); ++i) {
        auto row = std::make_unique<OptionRow>();
        row->element = elements[i];
        rows.push_back(std::move(row));
    }
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
        return _wcsicmp(a->element->displayName.c_str(), b->element->displayName.c_str()) < 0;
    });
    RefreshRowTexts();
}

void CSetupOptions::AssignPackageDirectories()
{
    installDir = WithoutTrailingBackslash(installDir);
    const ElementFolderNames names(scriptFile);
    for (std::size_t i = 1; i <= PackageCount(elements); ++i) SetElementDestination(*elements[i], installDir, names);
}

void CSetupOptions::RefreshRowTexts()
{
    for (auto& row : rows) {
        const CInstElement& element = *row->element;
        row->text = element.displayName + L"\t" + element.destination;
        row->checked = element.selected;
        row->enabled = (element.package && (element.package->status & kStatusHasOnlineVersion)) ? 0 : 1;
    }
}

bool CSetupOptions::OnInitDialog()
{
    const int headings[] = {IDC_OPTIONS_HEAD_NAME, IDC_OPTIONS_HEAD_DIR};
    list.SetColumns(headings, 2);
    list.Begin();
    for (const auto& row : rows) list.AddItem(reinterpret_cast<LPARAM>(row.get()));
    fw::CentreWindow(Handle(), ::GetDesktopWindow());
    dataSource = 1;
    DoDataExchange(false);
    ::EnableWindow(Item(IDC_OPTIONS_FROM_DVD), FALSE);
    DataSourceChanged();
    list.SetCurSel(0);
    return true;
}

bool CSetupOptions::DoDataExchange(bool save)
{
    fw::DataExchange dx(Handle(), save);
    dx.Radio(IDC_OPTIONS_FROM_DVD, dataSource);
    if (elements.GetSize() > 0) dx.Check(IDC_OPTIONS_APPLICATION, elements[0]->selected);
    dx.Text(IDC_OPTIONS_DIR, installDir);
    return dx.Ok();
}

bool CSetupOptions::OnCommand(int id, int code, HWND)
{
    if (id == IDC_OPTIONS_LIST) {
        if (code == LBN_SELCHANGE) SelectionChanged();
        if (code == LBN_DBLCLK) DoubleClicked();
        return code == LBN_SELCHANGE || code == LBN_DBLCLK;
    }
    if (code != BN_CLICKED) return false;
    switch (id) {
    case IDC_OPTIONS_FROM_DVD:
    case IDC_OPTIONS_TO_DISK: DataSourceChanged(); return true;
    case IDC_OPTIONS_CHECK_ALL: SetAllRows(1); return true;
    case IDC_OPTIONS_CLEAR_ALL: SetAllRows(0); return true;
    case IDC_OPTIONS_APPLICATION: ApplicationToggled(); return true;
    case IDC_OPTIONS_PATH: ChooseInstallDir(); return true;
    case IDC_OPTIONS_FOLDER: ChoosePackageFolder(); return true;
    case IDC_OPTIONS_END: EndDialog(IDC_OPTIONS_END); return true;
    default: return false;
    }
}

bool CSetupOptions::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // The space bar toggles the selected row, as on a check box; its character
    // is used up. Every other key does what it does in a list.
    if ((message != WM_VKEYTOITEM && message != WM_CHARTOITEM) || reinterpret_cast<HWND>(lParam) != list.Handle())
        return false;
    const UINT key = LOWORD(wParam);
    if (message == WM_VKEYTOITEM && key == VK_SPACE) ToggleRow(list.CurSel());
    const bool space = message == WM_VKEYTOITEM ? key == VK_SPACE : key == L' ';
    result = space ? -2 : -1;
    return true;
}

void CSetupOptions::OnDpiChanged(int dpi)
{
    list.ScaleTo(dpi);
}

void CSetupOptions::DataSourceChanged()
{
    DoDataExchange(true);
    for (int id : kDiskModeControls) ::ShowWindow(Item(id), dataSource == 1 ? SW_SHOW : SW_HIDE);
    RefreshRowTexts();
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void CSetupOptions::ToggleRow(int index)
{
    if (dataSource != 1 || index < 0 || static_cast<std::size_t>(index) >= rows.size()) return;
    OptionRow& row = *rows[index];
    if (!row.enabled) return;
    row.checked = !row.checked;
    row.element->selected = !row.element->selected;
    list.RowChanged(index);
}

void CSetupOptions::SelectionChanged()
{
    if (rememberedIndex != -1) rememberedIndex &= ~kSelectedOnly;
    const int selected = list.CurSel();
    if (selected == -1) {
        rememberedIndex = -1;
    } else if (selected == rememberedIndex) {
        ToggleRow(selected);
    } else {
        rememberedIndex = selected | kSelectedOnly;
    }
}

void CSetupOptions::DoubleClicked()
{
    const int selected = list.CurSel();
    if (rememberedIndex != -1 && (rememberedIndex & kSelectedOnly) && selected != -1) ToggleRow(selected);
    rememberedIndex = selected;
}

void CSetupOptions::SetAllRows(int value)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        OptionRow& row = *rows[i];
        if (!row.enabled) continue;
        const bool changed = row.checked != value;
        row.checked = value;
        row.element->selected = value;
        if (changed) list.RowChanged(static_cast<int>(i));
    }
}

void CSetupOptions::ApplicationToggled()
{
    if (elements.GetSize() == 0) return;
    int& selected = elements[0]->selected;
    selected = !selected;
    ::EnableWindow(Item(IDC_OPTIONS_PATH), selected ? TRUE : FALSE);
}

void CSetupOptions::ChooseInstallDir()
{
    if (elements.GetSize() == 0) return;
    std::wstring path = installDir;
    if (ui_.EditPath(run_, elements, sourceFiles_, 0, kApplicationPathCaption, path) != IDOK) return;
    if (!ValidatePath(run_, path, 1)) return;
    installDir = path;
    AssignPackageDirectories();  // a folder chosen per package is replaced too
    RefreshRowTexts();
    elements[0]->destination = installDir;
    list.Invalidate(false);
    DoDataExchange(false);
}

void CSetupOptions::ChoosePackageFolder()
{
    const int selected = list.CurSel();
    if (selected < 0 || static_cast<std::size_t>(selected) >= rows.size()) return;
    CInstElement& element = *rows[selected]->element;
    std::wstring folder = element.destination;
    if (!ui_.BrowseForFolder(folder, element.displayName)) return;
    const std::wstring path = JoinPath(folder, element.folderKey);
    if (!ValidatePath(run_, path, 1) && !CreateDirectoryTree(path)) {
        ui_.Message(L"Folder " + path + L" could not be created!", MB_OK);
        return;
    }
    element.destination = WithoutTrailingBackslash(path);
    RefreshRowTexts();
    list.Invalidate(false);
}

void CSetupOptions::OnOK()
{
    GiveProgramFolderToFixedElements(elements);
    if (!EnoughSpace()) return;
    if (DoDataExchange(true)) EndDialog(IDOK);
}

bool CSetupOptions::EnoughSpace()
{
    for (const DriveShortage& shortage : DrivesShortOfSpace(elements, sourceFiles_, driveSpace)) {
        const std::wstring text = DiskSpaceText(ui_.LoadStr(IDS_DISK_SPACE_LOW), shortage.letter);
        if (ui_.ShowMessage(IDS_DISK_SPACE_LOW, text, MB_OKCANCEL, std::wstring()) != IDOK) return false;
    }
    return true;
}
