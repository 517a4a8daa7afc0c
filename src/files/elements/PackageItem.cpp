#include "files/elements/PackageItem.h"

#include "files/source/FileList.h"
#include "platform/PathUtil.h"

namespace {

// Calls each(destName, pattern) for the package folder and each category, in copy order.
template <typename Each>
void EachFolder(const std::wstring& dirname, Each each)
{
    const std::wstring base = L"data\\" + dirname + L"\\";
    each(std::wstring(), base + L"*");
    for (const wchar_t* category : kCopyOrderCategories) each(std::wstring(category), base + category + L"\\*");
}

}  // namespace

void CPackageItem::LayOut()
{
    children.clear();
    EachFolder(dirname_, [this](std::wstring destName, std::wstring pattern) {
        CClassItem* folder = Add(std::make_unique<CClassItem>(std::move(destName)));
        folder->wholeFolder = true;
        folder->Add(std::make_unique<CFileItem>(std::move(pattern), 0));
    });
}

uint64_t CPackageItem::SizeOnDisk(uint64_t clusterSize, const FileList& sourceFiles) const
{
    uint64_t sum = 0;
    EachFolder(dirname_, [&](const std::wstring&, const std::wstring& pattern) {
        if (const FileList::Sizes* sizes = sourceFiles.Lookup(pattern))
            for (uint64_t size : *sizes) sum += RoundToClusters(size, clusterSize);
    });
    return sum;
}

int CPackageItem::FileCount(const FileList& sourceFiles) const
{
    int count = 0;
    EachFolder(dirname_, [&](const std::wstring&, const std::wstring& pattern) {
        if (const FileList::Sizes* sizes = sourceFiles.Lookup(pattern)) count += static_cast<int>(sizes->size());
    });
    return count;
}

