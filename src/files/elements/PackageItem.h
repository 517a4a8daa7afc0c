// The file tree of a data package: its folder on the medium and each category
// folder below it, whole folders all (the fixed layout of a package).
#pragma once

#include "files/elements/FileItem.h"

#include <string>

// The data categories of a package in the order their files are copied.
inline constexpr const wchar_t* kCopyOrderCategories[] = {L"cad", L"dtb", L"lvk", L"pic", L"geo", L"sym", L"att"};
// The same categories in the order their folders are created.
inline constexpr const wchar_t* kFolderOrderCategories[] = {L"lvk", L"dtb", L"cad", L"pic", L"geo", L"sym", L"att"};
// The category folders a package log lists, in its order.
inline constexpr const wchar_t* kPackageLogCategories[] = {L"lvk", L"cad", L"pic", L"dtb"};

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
