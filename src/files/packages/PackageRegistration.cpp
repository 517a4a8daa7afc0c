#include "files/packages/PackageRegistration.h"

#include "catalogue/FirmenArray.h"
#include "catalogue/KeptBasePath.h"
#include "files/packages/AdminFolderNames.h"
#include "files/elements/ElementList.h"
#include "files/elements/InstElement.h"
#include "files/packages/InstallerCommand.h"
#include "files/run/InstallRun.h"
#include "files/engine/Refusals.h"
#include "platform/AnsiNames.h"
#include "platform/FolderLinks.h"
#include "platform/PathUtil.h"
#include "platform/Process.h"

#include <windows.h>

#include <cwchar>
#include <memory>

namespace {

// Whether the package may be recorded: no step failed it, its own folder is
// on the medium and its files went in. Tells why not, once.
bool PackageComplete(InstallRun& run, CInstElement& element, const std::wstring& mediumFolder)
{
    if (!element.failure.empty()) return false;  // told where it failed
    const std::wstring name = L"package " + element.package->name + L": ";
    const wchar_t* const notRecorded = L": not recorded, its installer not started";
    if (!IsPlainFolderName(element.package->dirname)) {
        FailElement(run, element,
                    name + L"its folder name \"" + element.package->dirname + L"\" is not one plain folder name" +
                        notRecorded);
        return false;
    }
    if (!FolderExists(mediumFolder)) {
        FailElement(run, element, name + L"its folder " + mediumFolder + L" is not on the medium" + notRecorded);
        return false;
    }
    if (!element.filesInPlace) {
        FailElement(run, element, name + L"not every one of its files was installed (see update.log)" + notRecorded);
        return false;
    }
    return true;
}

// The package's installer, the plugin of the medium's record, started in the
// plg folder of the package's folder on the medium, and waited for. False, with
// the element failed, when one is named and cannot be started: the package is
// then not recorded, so that a later run installs it again and starts it.
bool RunPackageInstaller(InstallRun& run, CInstElement& element, const std::wstring& mediumFolder)
{
    const CFirma& package = *element.package;
    const std::wstring plg = JoinPath(mediumFolder, L"plg");
    if (package.plugin.empty()) {
        run.Tell(L"package " + package.name + L" names no installer");
        return true;
    }
    InstallerCommand command;
    if (!InstallerCommandOf(plg, package.plugin, command)) {
        FailElement(run, element,
                    L"package " + package.name + L": its installer \"" + package.plugin + L"\" lies outside " + plg +
                        L": not started, not recorded");
        return false;
    }
    const std::wstring& program = command.program;
    run.Tell(L"package installer of " + package.name + L": start \"" + program + L"\"" +
             (command.arguments.empty() ? std::wstring() : L" " + command.arguments) + L" in " + plg);
    const ULONGLONG start = ::GetTickCount64();
    DWORD exitCode = 0;
    if (!RunAndWait(program, command.arguments, plg, &exitCode)) {
        const DWORD error = ::GetLastError();
        FailElement(run, element,
                    L"package installer of " + package.name + L" could not be started: \"" + program + L"\"" +
                        ErrorSuffix(error) + L": not recorded");
        return false;
    }
    wchar_t seconds[32];
    std::swprintf(seconds, 32, L"%.1f", static_cast<double>(::GetTickCount64() - start) / 1000.0);
    run.Tell(L"package installer of " + package.name + L" ended with exit code " + std::to_wstring(exitCode) +
             L" after " + seconds + L" s");
    return true;
}

}  // namespace

bool InstallDataPackages(InstallRun& run, const CIEArray& elements, const std::wstring& installDir,
                         const std::wstring& sourceDir, const std::wstring& adminFile, bool* recorded)
{
    if (recorded) *recorded = false;
    const std::wstring admin = adminFile.empty() ? AdminFileIn(installDir) : adminFile;
    // A relative name would make the profile calls write into the Windows folder.
    if (!IsAbsolutePath(admin)) {
        run.Refuse(L"the administration file \"" + admin + L"\" is not a full path: the packages are not recorded");
        return false;
    }

    CFirmenArray known;
    known.SetAdminFile(admin);
    known.ReadBasePath();
    std::wstring usersBasePath = known.dataBasePath;
    std::wstring kept;
    if (KeptBasePath(admin, known.dataBasePath, kept)) {
        usersBasePath = kept;
        run.Tell(L"the data base path " + kept + L", kept by a run that did not end, is put back");
    }

    // The installers read the medium's data folder as the data base path; the
    // user's path is kept first, so that a stopped run does not lose it.
    const std::wstring mediumData = JoinPath(sourceDir, L"data");
    if (!usersBasePath.empty() && !KeepBasePath(admin, usersBasePath, mediumData)) {
        const DWORD error = ::GetLastError();
        run.Refuse(L"the data base path " + usersBasePath + L" could not be kept beside " + admin + ErrorSuffix(error) +
                   L": the packages are not recorded");
        return false;
    }
    if (!known.SetBasePath(mediumData)) {
        const DWORD error = ::GetLastError();
        run.Refuse(L"the data base path could not be set to " + mediumData + L" in " + admin + ErrorSuffix(error) +
                   L": the packages are not recorded");
        if (!usersBasePath.empty()) ForgetKeptBasePath(admin);
        return false;
    }
    const int merged = known.Refresh();
    if (merged != 0) {
        const DWORD error = merged == -1 ? ::GetLastError() : 0;
        run.Refuse(L"the medium's catalogue could not be merged into " + admin + L" (" +
                   (merged == -1 ? L"it could not be written" : L"no administration file") + L")" + ErrorSuffix(error));
    }

    const ProfileEncoding encoding = AdminFileEncoding(admin);
    for (std::size_t i = 1; i <= PackageCount(elements); ++i) {
        CInstElement& element = *elements[i];
        if (!element.selected || !element.package) continue;
        const std::wstring mediumFolder = JoinPath(mediumData, element.package->dirname);
        if (!PackageComplete(run, element, mediumFolder)) continue;
        std::wstring localpath;
        std::wstring dirname;
        std::wstring why;
        if (!AdminFolderNames(element.destination, encoding, localpath, dirname, why)) {
            FailElement(run, element,
                        L"package " + element.package->name + L": " + why + L": not recorded, its installer not started");
            continue;
        }

        // The installer reads the administration file as it stands on disk, where
        // this run's records are written only at the end: starting it first
        // changes nothing it sees, and a package whose installer did not run is
        // not recorded as installed.
        if (!RunPackageInstaller(run, element, mediumFolder)) continue;

        CFirma* record = known.Find(element.package->id);
        if (!record) {
            known.Add(std::make_unique<CFirma>(*element.package));
            record = known[known.GetSize() - 1];
        }
        record->status = (record->status & ~kStatus40) | kStatusInstalled | kStatus10;
        record->localpath = localpath;
        record->dirname = dirname;
        record->localdbname = record->dbname;
        record->status |= kStatusChanged;
    }

    if (!usersBasePath.empty()) {
        if (known.SetBasePath(usersBasePath)) {
            ForgetKeptBasePath(admin);
        } else {
            const DWORD error = ::GetLastError();
            run.Refuse(L"the data base path " + usersBasePath + L" could not be written back to " + admin +
                       ErrorSuffix(error) + L"; the next run puts it back");
        }
    }
    const bool saved = known.Save();
    if (!saved) {
        const DWORD error = ::GetLastError();
        run.Tell(L"the administration file " + admin + L" could not be written" + ErrorSuffix(error));
    }
    if (recorded) *recorded = saved;
    return false;
}

bool PutBackKeptBasePath(InstallRun& run, const std::wstring& adminFile)
{
    CFirmenArray known;
    known.SetAdminFile(adminFile);
    known.ReadBasePath();
    std::wstring kept;
    if (!KeptBasePath(adminFile, known.dataBasePath, kept)) return true;
    if (!known.SetBasePath(kept)) {
        const DWORD error = ::GetLastError();
        run.Refuse(L"the data base path " + kept + L", kept by a run that did not end, could not be put back into " +
                   adminFile + ErrorSuffix(error));
        return false;
    }
    ForgetKeptBasePath(adminFile);
    run.Tell(L"the data base path " + kept + L", kept by a run that did not end, is put back");
    return true;
}

std::vector<bool> RecordedAsInstalled(const std::wstring& adminFile, const CIEArray& elements)
{
    const std::size_t count = PackageCount(elements);
    std::vector<bool> recorded(count, false);
    CFirmenArray known;
    known.Load(adminFile, std::wstring(), std::wstring());
    for (std::size_t i = 1; i <= count; ++i) {
        const CInstElement& element = *elements[i];
        if (!element.package || element.destination.empty()) continue;
        const CFirma* record = known.Find(element.package->id);
        if (!record || !(record->status & kStatusInstalled)) continue;
        std::wstring localpath;
        std::wstring dirname;
        SplitDestination(element.destination, localpath, dirname);
        // An 8-bit file may hold the folder by its short form.
        const std::wstring recordedPath = WithoutTrailingBackslashes(record->localpath);
        recorded[i - 1] = (SameName(recordedPath, localpath) ||
                           (!IsExactAnsi(localpath) && SameName(recordedPath, AnsiNameOf(localpath)))) &&
                          SameName(record->dirname, dirname);
    }
    return recorded;
}
