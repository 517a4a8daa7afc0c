#include "files/PackageRegistration.h"

#include "catalogue/FirmenArray.h"
#include "files/ElementList.h"
#include "files/InstElement.h"
#include "platform/PathUtil.h"
#include "platform/Process.h"

#include <memory>

namespace {

// Elements 0 and the fixed ones at the end are not packages.
constexpr std::size_t kNonPackageElements = kFixedElementCount + 1;
// A last backslash at this index or before stands right below a drive root.
constexpr std::size_t kLastRootBackslash = 3;

bool IsAbsolute(const std::wstring& path)
{
    return (path.size() > 2 && path[1] == L':' && path[2] == L'\\') || path.compare(0, 2, L"\\\\") == 0;
}

// Where the package went: the folder that holds it (localpath) and its own
// folder name there (dirname); directly below a drive root the whole folder is
// the localpath.
void SplitDestination(std::wstring folder, std::wstring& localpath, std::wstring& dirname)
{
    if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    const std::size_t slash = folder.rfind(L'\\');
    if (slash != std::wstring::npos && slash > kLastRootBackslash && slash + 1 < folder.size()) {
        localpath = folder.substr(0, slash);
        dirname = folder.substr(slash + 1);
    } else {
        localpath = folder;
        dirname.clear();
    }
}

// The package's installer on the medium, started in its plg folder. A dirname
// that is not one plain name would lead out of the medium's data folder.
void RunPackageInstaller(const CFirma& package, const std::wstring& sourceDir)
{
    if (package.plugin.empty() || !IsPlainFolderName(package.dirname)) return;
    const std::wstring plg = JoinPath(JoinPath(JoinPath(sourceDir, L"data"), package.dirname), L"plg");
    RunAndWait(JoinPath(plg, package.plugin), std::wstring(), plg);
}

}  // namespace

bool InstallDataPackages(const CIEArray& elements, const std::wstring& installDir, const std::wstring& sourceDir,
                         const std::wstring& adminFile, bool* recorded)
{
    if (recorded) *recorded = false;
    const std::wstring admin = adminFile.empty() ? JoinPath(installDir, L"obj\\orvekAdmin.ini") : adminFile;
    // A relative name would make the profile calls write into the Windows folder.
    if (!IsAbsolute(admin)) return false;

    CFirmenArray known;
    known.SetAdminFile(admin);
    known.ReadBasePath();
    const std::wstring usersBasePath = known.dataBasePath;
    known.SetBasePath(JoinPath(sourceDir, L"data"));
    known.Refresh();

    const std::size_t count = elements.GetSize();
    for (std::size_t i = 1; i + kNonPackageElements <= count; ++i) {
        const CInstElement& element = *elements[i];
        if (!element.selected || !element.package) continue;

        CFirma* record = known.Find(element.package->id);
        if (!record) {
            known.Add(std::make_unique<CFirma>(*element.package));
            record = known[known.GetSize() - 1];
        }
        record->status = (record->status & ~kStatus40) | kStatusInstalled | kStatus10;
        SplitDestination(element.destination, record->localpath, record->dirname);
        record->localdbname = record->dbname;
        record->status |= kStatusChanged;

        RunPackageInstaller(*record, sourceDir);
    }

    if (!usersBasePath.empty()) known.SetBasePath(usersBasePath);
    const bool saved = known.Save();
    if (recorded) *recorded = saved;
    return false;
}
