#include "files/FileItem.h"

#include "files/FileList.h"
#include "files/InstallRun.h"
#include "files/FileSection.h"
#include "files/InstallFile.h"
#include "platform/PathUtil.h"

uint64_t RoundToClusters(uint64_t size, uint64_t clusterSize)
{
    if (clusterSize == 0) return size;
    const uint64_t whole = clusterSize * (size / clusterSize);
    return whole < size ? whole + clusterSize : whole;
}

uint64_t CFileItem::SizeOnDisk(uint64_t clusterSize, const FileList&) const
{
    return RoundToClusters(size, clusterSize);
}

void CFileItem::Install(const std::wstring& folder, InstallRun& run, UninstallLog* packageLog)
{
    const std::wstring dest = JoinPath(folder, destName.empty() ? LastPathComponent(source) : destName);
    run.ui.ShowProgressFile(source, dest);
    const int result = InstallFile(run, source, dest, packageLog, false);
    if (result <= 0) run.FileNotInstalled();
    if (result < 0) run.Cancel();
    run.ui.StepProgress();
}

uint64_t CClassItem::SizeOnDisk(uint64_t clusterSize, const FileList& sourceFiles) const
{
    uint64_t sum = 0;
    for (const auto& child : children) {
        if (wholeFolder) {
            if (const FileList::Sizes* sizes = sourceFiles.Lookup(child->source))
                for (uint64_t size : *sizes) sum += RoundToClusters(size, clusterSize);
        } else {
            sum += child->SizeOnDisk(clusterSize, sourceFiles);
        }
    }
    return sum;
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

int CFileItem::FileCount(const FileList&) const
{
    return 1;
}

int CClassItem::FileCount(const FileList& sourceFiles) const
{
    int count = 0;
    for (const auto& child : children) {
        if (wholeFolder && !child->IsClass()) {
            const FileList::Sizes* sizes = sourceFiles.Lookup(child->source);
            count += sizes ? static_cast<int>(sizes->size()) : 0;
        } else {
            count += child->FileCount(sourceFiles);
        }
    }
    return count;
}
