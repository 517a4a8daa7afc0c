// The file tree of a data package: its folder on the medium and each category
// folder below it, whole folders all (the fixed layout of a package).
#pragma once

#include "files/FileItem.h"

#include <string>

// The package's folder name is all it holds until the package is installed:
// the layout (a whole-folder item for the package folder and for each
// category) is made for the install and let go afterwards, and with it what
// the run learnt of the folders below the package's own. A medium of thousands of packages
// holds one small item for each, however many files they have.
class CPackageItem : public CClassItem {
public:
    explicit CPackageItem(std::wstring dirname) : dirname_(std::move(dirname)) {}

    uint64_t SizeOnDisk(uint64_t clusterSize, const FileList& sourceFiles) const override;
    void Install(const std::wstring& folder, InstallRun& run, UninstallLog* packageLog) override;
    int FileCount(const FileList& sourceFiles) const override;

    // The layout as children: "data\<dirname>\*" with an empty destName, then
    // each category of kCopyOrderCategories ("data\<dirname>\cad\*" into "cad", ...).
    void LayOut();
    const std::wstring& Dirname() const { return dirname_; }

private:
    std::wstring dirname_;
};
