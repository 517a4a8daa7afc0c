#include "files/packages/AdminFolderNames.h"

#include "files/elements/ElementList.h"
#include "files/elements/InstElement.h"
#include "files/engine/Refusals.h"
#include "platform/AnsiNames.h"
#include "platform/PathUtil.h"
#include "platform/ProfileDocument.h"

namespace {

// A last backslash at this index or before stands right below a drive root.
constexpr std::size_t kLastRootBackslash = 3;

}  // namespace

void SplitDestination(std::wstring folder, std::wstring& localpath, std::wstring& dirname)
{
    if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    const std::wstring parent = ParentFolder(folder);
    const std::wstring name = LastPathComponent(folder);
    if (name.size() < folder.size() && parent.size() > kLastRootBackslash && !name.empty()) {
        localpath = parent;
        dirname = name;
    } else {
        localpath = folder;
        dirname.clear();
    }
}

bool AdminFolderNames(const std::wstring& destination, ProfileEncoding encoding, std::wstring& localpath,
                      std::wstring& dirname, std::wstring& why)
{
    SplitDestination(destination, localpath, dirname);
    if (encoding != ProfileEncoding::Ansi) return true;
    if (!IsExactAnsi(dirname)) {
        why = L"its folder name \"" + dirname + L"\" cannot be written exactly into the 8-bit administration file";
        return false;
    }
    const std::wstring name = AnsiNameOf(localpath);
    if (name.empty()) {
        why = L"its folder " + localpath + L" cannot be written into the 8-bit administration file, nor a short name";
        return false;
    }
    localpath = name;
    return true;
}

ProfileEncoding AdminFileEncoding(const std::wstring& path)
{
    // Its first bytes tell: a file of thousands of records is not read whole for it.
    return ProfileDocument::FileEncoding(path);
}

void RefuseUnrecordableFolders(InstallRun& run, const CIEArray& elements, const std::wstring& adminFile)
{
    const ProfileEncoding encoding = AdminFileEncoding(adminFile);
    for (std::size_t i = 1; i <= PackageCount(elements); ++i) {
        CInstElement& element = *elements[i];
        if (!element.selected || !element.package || element.destination.empty()) continue;
        std::wstring localpath;
        std::wstring dirname;
        std::wstring why;
        if (AdminFolderNames(element.destination, encoding, localpath, dirname, why)) continue;
        FailElement(run, element, PackageOutcome::Refused(PackageStep::NotTaken, element.destination, why));
        element.selected = 0;  // neither copied nor recorded
    }
}
