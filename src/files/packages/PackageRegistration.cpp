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

bool SameName(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// The kept user's path is no longer needed; one that stays is found stale by
// the next run, which removes it then.
void ForgetKept(InstallRun& run, const std::wstring& adminFile)
{
    if (const Win32Result forgotten = ForgetKeptBasePath(adminFile); !forgotten)
        run.Tell(L"the kept data base path " + KeptBasePathFile(adminFile) + L" could not be removed" +
                 ErrorSuffix(forgotten.error) + L"; the next run removes it");
}

// Each chosen package element that no step refused or failed is settled:
// installed when its record went into the saved file, otherwise failed for
// what kept it out.
void SettlePackages(const CIEArray& elements, const std::vector<bool>& written, bool saved)
{
    for (std::size_t i = 1; i <= PackageCount(elements); ++i) {
        CInstElement& element = *elements[i];
        if (!element.selected || element.outcome.state != PackageState::NotReached) continue;
        if (!element.filesInPlace)
            element.outcome = PackageOutcome::Failed(PackageStep::FilesNotInstalled);
        else if (!saved)
            element.outcome = PackageOutcome::Failed(PackageStep::AdminFileNotWritten);
        else if (i - 1 < written.size() && written[i - 1])
            element.outcome = PackageOutcome::Installed(element.destination);
        else
            element.outcome = PackageOutcome::Failed(PackageStep::NotRecorded, element.destination);
    }
}

// Whether the package may be recorded: no step failed it, its own folder is
// on the medium and its files went in. Tells why not, once.
bool PackageComplete(InstallRun& run, CInstElement& element, const std::wstring& mediumFolder)
{
    if (element.outcome.LeftOut()) return false;  // told where it failed
    if (!IsPlainFolderName(element.package->dirname)) {
        FailElement(run, element, PackageOutcome::Refused(PackageStep::DirnameNotPlain, element.package->dirname));
        return false;
    }
    if (!FolderExists(mediumFolder)) {
        FailElement(run, element, PackageOutcome::Refused(PackageStep::NotOnMedium, mediumFolder));
        return false;
    }
    if (!element.filesInPlace) {
        FailElement(run, element, PackageOutcome::Failed(PackageStep::FilesMissing));
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
        FailElement(run, element, PackageOutcome::Refused(PackageStep::InstallerOutside, plg, package.plugin));
        return false;
    }
    const std::wstring& program = command.program;
    run.Tell(L"package installer of " + package.name + L": start \"" + program + L"\"" +
             (command.arguments.empty() ? std::wstring() : L" " + command.arguments) + L" in " + plg);
    const ULONGLONG start = ::GetTickCount64();
    DWORD exitCode = 0;
    unsigned long error = 0;
    if (!RunAndWait(program, command.arguments, plg, &exitCode, &error)) {
        FailElement(run, element, PackageOutcome::Failed(PackageStep::InstallerNotStarted, program, error));
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
                         const std::wstring& sourceDir, const std::wstring& adminFile)
{
    // Nothing recorded: every package not told otherwise fails for the file.
    auto notRecorded = [&elements] {
        SettlePackages(elements, {}, false);
        return false;
    };
    const std::wstring admin = adminFile.empty() ? AdminFileIn(installDir) : adminFile;
    // A relative name would make the profile calls write into the Windows folder.
    if (!IsAbsolutePath(admin)) {
        run.Refuse(L"the administration file \"" + admin + L"\" is not a full path: the packages are not recorded");
        return notRecorded();
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
    if (!usersBasePath.empty()) {
        if (const Win32Result keptBeside = KeepBasePath(admin, usersBasePath, mediumData); !keptBeside) {
            run.Refuse(L"the data base path " + usersBasePath + L" could not be kept beside " + admin +
                       ErrorSuffix(keptBeside.error) + L": the packages are not recorded");
            return notRecorded();
        }
    }
    if (const Win32Result set = known.SetBasePath(mediumData); !set) {
        run.Refuse(L"the data base path could not be set to " + mediumData + L" in " + admin + ErrorSuffix(set.error) +
                   L": the packages are not recorded");
        if (!usersBasePath.empty()) ForgetKept(run, admin);
        return notRecorded();
    }
    const CFirmenArray::Merge merged = known.Refresh();
    if (merged.result != CFirmenArray::Merge::Result::Merged) {
        const bool notWritten = merged.result == CFirmenArray::Merge::Result::NotWritten;
        run.Refuse(L"the medium's catalogue could not be merged into " + admin + L" (" +
                   (notWritten ? L"it could not be written" : L"no administration file") + L")" +
                   ErrorSuffix(merged.error));
    }

    const ProfileEncoding encoding = AdminFileEncoding(admin);
    std::vector<bool> written(PackageCount(elements), false);
    for (std::size_t i = 1; i <= PackageCount(elements); ++i) {
        CInstElement& element = *elements[i];
        if (!element.selected || !element.package) continue;
        const std::wstring mediumFolder = JoinPath(mediumData, element.package->dirname);
        if (!PackageComplete(run, element, mediumFolder)) continue;
        std::wstring localpath;
        std::wstring dirname;
        std::wstring why;
        if (!AdminFolderNames(element.destination, encoding, localpath, dirname, why)) {
            FailElement(run, element, PackageOutcome::Refused(PackageStep::NotRecordable, element.destination, why));
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
        written[i - 1] = true;
    }

    if (!usersBasePath.empty()) {
        if (const Win32Result back = known.SetBasePath(usersBasePath); back) {
            ForgetKept(run, admin);
        } else {
            run.Refuse(L"the data base path " + usersBasePath + L" could not be written back to " + admin +
                       ErrorSuffix(back.error) + L"; the next run puts it back");
        }
    }
    const Win32Result save = known.Save();
    const bool saved = static_cast<bool>(save);
    if (!saved) run.Tell(L"the administration file " + admin + L" could not be written" + ErrorSuffix(save.error));
    SettlePackages(elements, written, saved);
    return saved;
}

bool PutBackKeptBasePath(InstallRun& run, const std::wstring& adminFile)
{
    CFirmenArray known;
    known.SetAdminFile(adminFile);
    known.ReadBasePath();
    std::wstring kept;
    if (!KeptBasePath(adminFile, known.dataBasePath, kept)) return true;
    if (const Win32Result back = known.SetBasePath(kept); !back) {
        run.Refuse(L"the data base path " + kept + L", kept by a run that did not end, could not be put back into " +
                   adminFile + ErrorSuffix(back.error));
        return false;
    }
    ForgetKept(run, adminFile);
    run.Tell(L"the data base path " + kept + L", kept by a run that did not end, is put back");
    return true;
}

bool RecordedAsInstalled(const std::wstring& adminFile, const CInstElement& element)
{
    if (!element.package || element.destination.empty()) return false;
    CFirmenArray known;
    known.Load(adminFile, std::wstring(), std::wstring());
    const CFirma* record = known.Find(element.package->id);
    if (!record || !(record->status & kStatusInstalled)) return false;
    std::wstring localpath;
    std::wstring dirname;
    SplitDestination(element.destination, localpath, dirname);
    // An 8-bit file may hold the folder by its short form.
    const std::wstring recordedPath = WithoutTrailingBackslashes(record->localpath);
    return (SameName(recordedPath, localpath) ||
            (!IsExactAnsi(localpath) && SameName(recordedPath, AnsiNameOf(localpath)))) &&
           SameName(record->dirname, dirname);
}
