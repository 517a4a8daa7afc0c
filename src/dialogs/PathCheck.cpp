#include "dialogs/PathCheck.h"

#include "catalogue/Firma.h"
#include "files/engine/FolderChain.h"
#include "files/elements/InstElement.h"
#include "files/run/InstallRun.h"
#include "files/elements/SpaceFigures.h"
#include "platform/PathUtil.h"
#include "resources/resource.h"

#include <windows.h>

namespace {

// "X:\" and then plain folder names, each without the characters no file name holds.
bool IsFullFolderPath(const std::wstring& path)
{
    if (path.size() < 3 || !HasDriveLetter(path) || path[2] != L'\\') return false;
    for (std::size_t start = 3; start < path.size();) {
        std::size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos) end = path.size();
        const std::wstring name = path.substr(start, end - start);
        if (!IsPlainFolderName(name) || name.find_first_of(L"*?\"<>|") != std::wstring::npos) return false;
        for (wchar_t c : name)
            if (c < 32) return false;
        start = end + 1;
    }
    return true;
}

}  // namespace

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

std::wstring InstallFolderRefusal(const std::wstring& path, const DriveSpaceQuery& query)
{
    if (!IsFullFolderPath(path))
        return L"it is not a full path (a drive letter, \":\\\" and folder names)";
    if (!query(path[0]).known) return L"its drive " + std::wstring(1, UpperDriveLetter(path[0])) + L": is not there";
    if (PathExists(path) && !FolderExists(path)) return L"a file of that name is there";
    return std::wstring();
}

std::vector<DriveShortage> DrivesShortOfSpace(const CIEArray& elements, const FileList& sourceFiles,
                                              const DriveSpaceQuery& query)
{
    std::wstring letters;
    auto collect = [&letters](const std::wstring& folder) {
        if (folder.empty()) return;
        const wchar_t letter = LowerDriveLetter(folder[0]);
        if (letters.find(letter) == std::wstring::npos) letters += letter;
    };
    if (elements.GetSize() > 0) collect(elements[0]->destination);
    for (std::size_t i = 0; i < elements.GetSize(); ++i)
        if (elements[i]->selected) collect(elements[i]->destination);

    std::vector<DriveShortage> shortages;
    for (wchar_t letter : letters) {
        const uint64_t needed = RequiredSpaceKB(elements, sourceFiles, letter, query);
        const double free = FreeSpaceKB(letter, query);
        if (free < static_cast<double>(needed)) shortages.push_back({UpperDriveLetter(letter), needed, free});
    }
    return shortages;
}
