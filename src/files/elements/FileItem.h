// The file tree of an install element: file items (one source file, its size
// and destination name) grouped under class items (one destination folder).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class FileList;
class InstallRun;
class SourceNames;
class UninstallLog;

class CFileItem {
public:
    CFileItem() = default;
    CFileItem(std::wstring sourcePath, uint64_t fileSize) : source(std::move(sourcePath)), size(fileSize) {}
    virtual ~CFileItem() = default;
    CFileItem(const CFileItem&) = delete;
    CFileItem& operator=(const CFileItem&) = delete;

    virtual bool IsClass() const { return false; }
    // Bytes the item needs on a volume with the given cluster size; whole-folder
    // items count the files the source scan found for them.
    virtual uint64_t SizeOnDisk(uint64_t clusterSize, const FileList& sourceFiles) const;
    // Installs the item below folder, one progress step per file. packageLog
    // (not owned) may be null. The copy engine holds how (TreeInstall.cpp).
    virtual void Install(const std::wstring& folder, InstallRun& run, UninstallLog* packageLog);
    // Number of files the item will install.
    virtual int FileCount(const FileList& sourceFiles) const;

    std::wstring source;     // full path, or a pattern relative to the source directory
    std::wstring destName;   // empty: the last component of source
    uint64_t size = 0;
};

class CClassItem : public CFileItem {
public:
    CClassItem() = default;
    explicit CClassItem(std::wstring folderName) { destName = std::move(folderName); }

    bool IsClass() const override { return true; }
    uint64_t SizeOnDisk(uint64_t clusterSize, const FileList& sourceFiles) const override;
    // Expands a whole-folder pattern now (below the run's source), then installs
    // every child into folder joined with destName while the run keeps going.
    // A whole folder is expanded for its install only: afterwards the item is
    // its pattern again, and no file item of it is kept.
    void Install(const std::wstring& folder, InstallRun& run, UninstallLog* packageLog) override;
    int FileCount(const FileList& sourceFiles) const override;

    // Appends child and returns it (owned by this item).
    template <typename T>
    T* Add(std::unique_ptr<T> child)
    {
        T* raw = child.get();
        children.push_back(std::move(child));
        return raw;
    }

    std::vector<std::unique_ptr<CFileItem>> children;
    bool wholeFolder = false;  // the single child is a folder pattern "...\*" expanded at install time
};

// size rounded up to a whole number of clusters (0 stays 0).
uint64_t RoundToClusters(uint64_t size, uint64_t clusterSize);

// Number of files the tree will install.
inline int CountFiles(const CClassItem& item, const FileList& sourceFiles)
{
    return item.FileCount(sourceFiles);
}

// Appends one file item per source file matching source (relative to sourceDir;
// a last component "*" takes every file of the folder) to
// children, in search order. Returns the number added; -1 for a "*" folder
// without files; 0 when nothing was found. A single file that scanned holds
// is taken from it; anything else is searched for on the medium.
int ExpandSource(const std::wstring& sourceDir, const std::wstring& source,
                 std::vector<std::unique_ptr<CFileItem>>& children, SourceNames* scanned = nullptr);
