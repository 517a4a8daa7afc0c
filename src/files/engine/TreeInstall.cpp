// How a file tree goes in: each file through the version-aware install, a
// whole folder expanded for its install only, a package laid out for it.
#include "files/elements/FileItem.h"
#include "files/elements/PackageItem.h"
#include "files/engine/InstallFile.h"
#include "files/run/InstallRun.h"
#include "files/source/FileList.h"
#include "platform/PathUtil.h"

void CFileItem::Install(const std::wstring& folder, InstallRun& run, UninstallLog* packageLog)
{
    const std::wstring dest = JoinPath(folder, destName.empty() ? LastPathComponent(source) : destName);
    run.ui.ShowProgressFile(source, dest);
    const int result = InstallFile(run, source, dest, packageLog, false);
    if (result <= 0) run.FileNotInstalled();
    if (result < 0) run.Cancel();
    run.ui.StepProgress();
}

void CClassItem::Install(const std::wstring& folder, InstallRun& run, UninstallLog* packageLog)
{
    std::unique_ptr<CFileItem> pattern;
    if (wholeFolder && children.size() == 1) {
        pattern = std::move(children.front());
        children.clear();
        if (run.sourceFiles) {
            // The scan of the medium found the folder's files: what it counted is what is copied.
            if (const FileList::Folder* files = run.sourceFiles->LookupFolder(pattern->source)) {
                const std::wstring full = JoinPath(run.sourceDir, pattern->source);
                const std::wstring folder = full.substr(0, full.size() - LastPathComponent(full).size());
                children.reserve(files->names.size());
                for (std::size_t i = 0; i < files->names.size(); ++i)
                    children.push_back(std::make_unique<CFileItem>(folder + files->names[i], files->sizes[i]));
            }
        } else {
            ExpandSource(run.sourceDir, pattern->source, children);
        }
        // The children are plain files while they are installed.
        wholeFolder = false;
    }
    const std::wstring own = JoinPath(folder, destName);
    for (const auto& child : children) {
        if (!run.KeepGoing()) break;
        child->Install(own, run, packageLog);
    }
    if (pattern) {
        // A folder of thousands of files holds no path of each once they are in.
        children.clear();
        children.push_back(std::move(pattern));
        wholeFolder = true;
    }
}

void CPackageItem::Install(const std::wstring& folder, InstallRun& run, UninstallLog* packageLog)
{
    LayOut();
    CClassItem::Install(folder, run, packageLog);
    children.clear();
    // Nothing more is written below the package's folder in this run.
    run.ForgetBelow(JoinPath(folder, destName));
}
