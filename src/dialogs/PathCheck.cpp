#include "dialogs/PathCheck.h"

#include "files/FolderChain.h"
#include "files/InstElement.h"
#include "files/InstallRun.h"
#include "files/SpaceFigures.h"
#include "platform/PathUtil.h"
#include "resources/resource.h"

#include <windows.h>

wchar_t LowerDriveLetter(wchar_t letter)
{
    return (letter >= L'A' && letter <= L'Z') ? static_cast<wchar_t>(letter - L'A' + L'a') : letter;
}

wchar_t UpperDriveLetter(wchar_t letter)
{
    return (letter >= L'a' && letter <= L'z') ? static_cast<wchar_t>(letter - L'a' + L'A') : letter;
}

int ValidatePath(InstallRun& run, const std::wstring& path, int quiet)
{
    if (path.find(L':') == std::wstring::npos || path.find(L'\\') == std::wstring::npos) {
        run.ui.MessageId(IDS_FULL_PATH_NEEDED, MB_OK);
        return 0;
    }
    if (IsDriveRoot(path)) return GetDriveSpace(path[0]).known ? 1 : 0;
    if (FolderExists(path)) return 1;
    if (PathExists(path)) {
        run.ui.MessageId(IDS_FILE_EXISTS, MB_OK, path);
        return 0;
    }
    if (quiet) return 0;
    if (run.ui.MessageId(IDS_CREATE_FOLDER, MB_YESNO, path) != IDYES) return 0;
    if (CreateFolderChain(run, path)) return ValidatePath(run, path, 1);
    run.ui.MessageId(IDS_FOLDER_NOT_CREATED, MB_OK | MB_ICONERROR, path);
    return 0;
}

uint64_t RequiredSpaceKB(const CIEArray& elements, const FileList& sourceFiles, wchar_t driveLetter,
                         const DriveSpaceQuery& query)
{
    const DriveSpace space = query(driveLetter);
    if (!space.known) return 0;
    const wchar_t letter = LowerDriveLetter(driveLetter);
    // 64 bits: the packages of one DVD easily pass 4 GB together.
    uint64_t bytes = 0;
    for (std::size_t i = 0; i < elements.GetSize(); ++i) {
        const CInstElement& element = *elements[i];
        if (!element.selected || element.destination.empty()) continue;
        if (LowerDriveLetter(element.destination[0]) != letter) continue;
        bytes += SpaceNeeded(element, space.clusterSize, sourceFiles);
    }
    return (bytes + 1023) / 1024;
}

double FreeSpaceKB(wchar_t driveLetter, const DriveSpaceQuery& query)
{
    return static_cast<double>(query(driveLetter).freeBytes) * 0.0009765625;
}
