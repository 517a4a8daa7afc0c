#include "files/FileItem.h"

#include "app/SetupState.h"
#include "files/FileSection.h"
#include "files/InstallFile.h"
#include "files/ProgressDlg.h"
#include "platform/PathUtil.h"

uint64_t RoundToClusters(uint64_t size, uint64_t clusterSize)
{
    if (clusterSize == 0) return size;
    const uint64_t whole = clusterSize * (size / clusterSize);
    return whole < size ? whole + clusterSize : whole;
}

uint64_t CFileItem::SizeOnDisk(uint64_t clusterSize) const
{
    return RoundToClusters(size, clusterSize);
}

void CFileItem::Install(const std::wstring& folder, CProgressDlg& progress, UninstallLog* packageLog)
{
    const std::wstring dest = JoinPath(folder, destName.empty() ? LastPathComponent(source) : destName);
    progress.ShowNames(source, dest);
    const int result = InstallFile(source, dest, packageLog, false);
    if (result <= 0) State().runResult = 0;
    if (result < 0) progress.keepGoing = false;
    progress.Step();
}

uint64_t CClassItem::SizeOnDisk(uint64_t clusterSize) const
{
    uint64_t sum = 0;
    for (const auto& child : children) {
        if (wholeFolder) {
            if (const FileList::Sizes* sizes = State().sourceFiles.Lookup(child->source))
                for (uint64_t size : *sizes) sum += RoundToClusters(size, clusterSize);
        } else {
            sum += child->SizeOnDisk(clusterSize);
        }
    }
    return sum;
}

void CClassItem::Install(const std::wstring& folder, CProgressDlg& progress, UninstallLog* packageLog)
{
    if (wholeFolder && children.size() == 1) {
        const std::wstring pattern = children.front()->source;
        children.clear();
        ExpandSource(pattern, children);
        // The children are plain files from now on; counts and sizes follow them.
        wholeFolder = false;
    }
    const std::wstring own = JoinPath(folder, destName);
    for (const auto& child : children) {
        if (!progress.keepGoing) break;
        child->Install(own, progress, packageLog);
    }
}

int CountFiles(const CClassItem& item)
{
    int count = 0;
    for (const auto& child : item.children) {
        if (child->IsClass()) {
            count += CountFiles(static_cast<const CClassItem&>(*child));
        } else if (item.wholeFolder) {
            const FileList::Sizes* sizes = State().sourceFiles.Lookup(child->source);
            count += sizes ? static_cast<int>(sizes->size()) : 0;
        } else {
            count += 1;
        }
    }
    return count;
}
