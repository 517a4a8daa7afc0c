#include "dialogs/EditPath.h"

#include "files/elements/InstElement.h"
#include "files/elements/SpaceFigures.h"
#include "framework/Centre.h"
#include "framework/DataExchange.h"
#include "platform/PathUtil.h"
#include "resources/resource.h"

namespace {

// The drive letter of path in upper case ("c:\x" gives 'C'), 0 without one.
wchar_t DriveLetterOf(const std::wstring& path)
{
    return HasDriveLetter(path) ? UpperDriveLetter(path[0]) : 0;
}

}  // namespace

CEditPath::CEditPath(HINSTANCE resources, InstallRun& run, CIEArray& elements, const FileList& sourceFiles,
                     std::size_t index, HWND parent)
    : fw::Dialog(resources, IDD_EDIT_PATH, parent), run_(run), elements_(elements), sourceFiles_(sourceFiles),
      index_(index)
{
}

bool CEditPath::OnInitDialog()
{
    DoDataExchange(false);
    fw::CentreWindow(Handle(), ::GetDesktopWindow());
    ShowDriveInfo();
    if (!caption.empty()) ::SetWindowTextW(Handle(), caption.c_str());
    return true;
}

bool CEditPath::DoDataExchange(bool save)
{
    fw::DataExchange dx(Handle(), save);
    dx.Text(IDC_EDITPATH_PATH, newPath, MAX_PATH - 1);
    dx.Text(IDC_EDITPATH_FREE, freeText);
    dx.Text(IDC_EDITPATH_NEEDED, requiredText);
    dx.Text(IDC_EDITPATH_DRIVE, driveText);
    return dx.Ok();
}

void CEditPath::ShowDriveInfo()
{
    if (!DoDataExchange(true)) return;
    const wchar_t letter = DriveLetterOf(newPath);
    driveText = letter ? std::wstring(1, letter) : std::wstring();
    double freeKB = 0;
    uint64_t neededKB = 0;
    if (letter && index_ < elements_.GetSize()) {
        CInstElement& element = *elements_[index_];
        const std::wstring kept = element.destination;
        element.destination = newPath;
        freeKB = WholeKilobytes(static_cast<double>(driveSpace(letter).freeBytes));
        neededKB = RequiredSpaceKB(elements_, sourceFiles_, letter, driveSpace);
        element.destination = kept;
    }
    freeText = SpaceText(freeKB);
    requiredText = SpaceText(static_cast<double>(neededKB));
    DoDataExchange(false);
}

void CEditPath::OnOK()
{
    if (!DoDataExchange(true)) return;
    if (ValidatePath(run_, newPath, 0)) EndDialog(IDOK);
}

bool CEditPath::OnCommand(int id, int code, HWND)
{
    if (id == IDC_EDITPATH_DETERMINE && code == BN_CLICKED) {
        ShowDriveInfo();
        return true;
    }
    return false;
}
