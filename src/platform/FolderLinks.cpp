#include "platform/FolderLinks.h"

#include "platform/FileLinks.h"
#include "platform/FolderCache.h"
#include "platform/PathUtil.h"

bool IsFolderLinkAttributes(DWORD attributes)
{
    const DWORD link = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & link) == link;
}

bool IsFolderLink(const std::wstring& path)
{
    return IsFolderLinkAttributes(::GetFileAttributesW(path.c_str()));
}

bool IsInsideFolder(const std::wstring& path, const std::wstring& folder)
{
    if (folder.empty() || path.size() < folder.size()) return false;
    if (!SameName(std::wstring_view(path).substr(0, folder.size()), folder)) return false;
    return path.size() == folder.size() || folder.back() == L'\\' || path[folder.size()] == L'\\';
}

std::wstring FinalFolder(const std::wstring& path)
{
    fw::ScopedFile folder(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return folder ? FinalPathOf(folder.Get()) : std::wstring();
}

namespace {

// FolderLinkBelow, remembering in known (when given) the folders found plain.
std::wstring LinkBelow(const std::wstring& root, const std::wstring& path, FolderCache* known, bool* there,
                       const std::function<bool(const std::wstring&)>& missing)
{
    if (there) *there = false;
    if (!IsInsideFolder(path, root)) return std::wstring();
    // Each prefix that ends before a backslash or at the end, longer than root.
    std::size_t start = root.size();
    while (start < path.size()) {
        std::size_t end = path.find(L'\\', start + 1);
        if (end == std::wstring::npos) end = path.size();
        const std::wstring folder = path.substr(0, end);
        start = end;
        if (folder.size() <= root.size() || folder.back() == L'\\') continue;
        if (known && known->IsPlain(folder)) continue;
        if (missing && missing(folder)) return std::wstring();
        const DWORD attributes = ::GetFileAttributesW(folder.c_str());
        // Nothing there yet: nothing below it can be there either.
        if (attributes == INVALID_FILE_ATTRIBUTES) return std::wstring();
        if (IsFolderLinkAttributes(attributes)) return folder;
        if (known && (attributes & FILE_ATTRIBUTE_DIRECTORY)) known->RememberPlain(folder);
    }
    if (there) *there = true;
    return std::wstring();
}

}  // namespace

std::wstring FolderLinkBelow(const std::wstring& root, const std::wstring& path)
{
    return LinkBelow(root, path, nullptr, nullptr, nullptr);
}

std::wstring FolderLinkBelow(const std::wstring& root, const std::wstring& path, FolderCache& known, bool* there,
                             const std::function<bool(const std::wstring&)>& missing)
{
    return LinkBelow(root, path, &known, there, missing);
}
