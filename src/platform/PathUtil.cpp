#include "platform/PathUtil.h"

#include "framework/Handles.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cwchar>
#include <string_view>

namespace {

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

}  // namespace

bool FileExists(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PathExists(const std::wstring& path)
{
    return !path.empty() && ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool AnyMatch(const std::wstring& pattern)
{
    WIN32_FIND_DATAW data;
    fw::ScopedFind find(::FindFirstFileW(pattern.c_str(), &data));
    return find.Valid();
}

bool ClearReadOnly(const std::wstring& path, DWORD attributes)
{
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY)) return true;
    return ::SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY) != FALSE;
}

int DecimalValue(const std::wstring& text)
{
    const long long value = std::wcstoll(text.c_str(), nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

std::wstring JoinPath(const std::wstring& a, const std::wstring& b)
{
    if (b.empty()) return a;
    if (a.empty()) return b;
    const bool aEnds = a.back() == L'\\';
    const bool bBegins = b.front() == L'\\';
    if (aEnds && bBegins) return a + b.substr(1);
    if (!aEnds && !bBegins) return a + L'\\' + b;
    return a + b;
}

bool JoinPath(wchar_t* buffer, size_t capacity, const wchar_t* a, const wchar_t* b)
{
    if (!buffer || capacity == 0) return false;
    const std::wstring first = a ? a : L"";
    const std::wstring second = b ? b : L"";
    std::wstring joined;
    if (second.empty()) joined = first;
    else if (first.empty()) joined = second;
    else if (first.back() != L'\\' && second.front() != L'\\') joined = first + L'\\' + second;
    else joined = first + second;  // a leading backslash of b stays
    if (joined.size() >= capacity) {
        buffer[0] = 0;
        return false;
    }
    std::wmemcpy(buffer, joined.c_str(), joined.size() + 1);
    return true;
}

bool StaysBelowRoot(const std::wstring& relative)
{
    if (relative.empty()) return true;
    if (relative.find(L':') != std::wstring::npos) return false;
    if (IsUncPath(relative)) return false;
    std::size_t start = (relative[0] == L'\\' || relative[0] == L'/') ? 1 : 0;
    while (start <= relative.size()) {
        std::size_t end = relative.find_first_of(L"\\/", start);
        if (end == std::wstring::npos) end = relative.size();
        // The system drops trailing dots and blanks from a component, so a name of
        // dots and blanks only ("..", ".. ", ". .") is no name; "." alone stays here.
        const std::wstring_view whole(relative.data() + start, end - start);
        if (!whole.empty() && whole != L"." && whole.find_first_not_of(L". ") == std::wstring_view::npos) return false;
        start = end + 1;
    }
    return true;
}

std::wstring RelativeToRoot(const std::wstring& relative)
{
    if (!relative.empty() && (relative[0] == L'\\' || relative[0] == L'/')) return relative.substr(1);
    return relative;
}

bool HasDriveLetter(const std::wstring& path)
{
    const wchar_t letter = path.empty() ? L'\0' : static_cast<wchar_t>(path[0] | 0x20);
    return path.size() >= 2 && letter >= L'a' && letter <= L'z' && path[1] == L':';
}

bool IsUncPath(const std::wstring& path)
{
    return path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
}

bool IsAbsolutePath(const std::wstring& path)
{
    return IsUncPath(path) || (HasDriveLetter(path) && path.size() >= 3 && IsSeparator(path[2]));
}

bool IsDriveRoot(const std::wstring& path)
{
    return path.size() == 3 && IsAbsolutePath(path) && HasDriveLetter(path);
}

std::wstring FileNameKey(const std::wstring& name)
{
    std::wstring upper = name;
    MakeFileNameKey(upper);
    return upper;
}

void MakeFileNameKey(std::wstring& name)
{
    // Most names are ASCII, whose upper case needs no table: the run asks for
    // thousands of keys per package.
    std::size_t i = 0;
    for (; i < name.size() && name[i] < 0x80; ++i)
        if (name[i] >= L'a' && name[i] <= L'z') name[i] = static_cast<wchar_t>(name[i] - (L'a' - L'A'));
    if (i == name.size()) return;
    const std::wstring source = name;  // the ASCII part is upper case already, as the mapping makes it
    if (!::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, source.data(), static_cast<int>(source.size()),
                         name.data(), static_cast<int>(name.size()), nullptr, nullptr, 0))
        name = source;
}

bool SameName(std::wstring_view a, std::wstring_view b)
{
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

bool EndsWithName(std::wstring_view path, std::wstring_view suffix)
{
    return path.size() >= suffix.size() && SameName(path.substr(path.size() - suffix.size()), suffix);
}

std::wstring FullPathName(const std::wstring& path)
{
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return path;
    full.resize(length);
    return full;
}

std::wstring LastPathComponent(const std::wstring& path)
{
    size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring ParentFolder(const std::wstring& path)
{
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

namespace {

// Splits like _wsplitpath: drive ("C:" or nothing), folder (up to and with the
// last separator), name, extension (from the last dot of the name).
struct PathParts {
    std::wstring drive, folder, name, extension;
};

PathParts SplitPath(const std::wstring& path)
{
    PathParts parts;
    std::wstring rest = path;
    if (HasDriveLetter(rest)) {
        parts.drive = rest.substr(0, 2);
        rest.erase(0, 2);
    }
    size_t slash = rest.find_last_of(L"\\/");
    if (slash != std::wstring::npos) {
        parts.folder = rest.substr(0, slash + 1);
        rest.erase(0, slash + 1);
    }
    size_t dot = rest.rfind(L'.');
    if (dot != std::wstring::npos) {
        parts.extension = rest.substr(dot);
        rest.erase(dot);
    }
    parts.name = rest;
    return parts;
}

}  // namespace

std::wstring FolderPart(const std::wstring& path)
{
    PathParts parts = SplitPath(path);
    return parts.drive + parts.folder;
}

std::wstring ExtensionOf(const std::wstring& path)
{
    return SplitPath(path).extension;
}

std::wstring ReplaceExtension(const std::wstring& path, const std::wstring& extension)
{
    PathParts parts = SplitPath(path);
    std::wstring result = parts.drive + parts.folder + parts.name;
    if (!extension.empty()) {
        if (extension.front() != L'.') result += L'.';
        result += extension;
    }
    return result;
}

std::wstring WithoutTrailingBackslashes(std::wstring path)
{
    while (!path.empty() && path.back() == L'\\') path.pop_back();
    return path;
}

std::wstring ShortPathName(const std::wstring& path)
{
    const DWORD size = ::GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0) return std::wstring();
    std::wstring out(size, L'\0');
    const DWORD length = ::GetShortPathNameW(path.c_str(), out.data(), size);
    if (length == 0 || length >= size) return std::wstring();
    out.resize(length);
    return out;
}

bool IsAscii(std::wstring_view text)
{
    for (wchar_t c : text)
        if (c >= 0x80) return false;
    return true;
}

namespace {

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";

}  // namespace

std::wstring WithLongPathPrefix(const std::wstring& path)
{
    if (path.starts_with(kLongPrefix)) return path;
    if (IsUncPath(path)) return std::wstring(kLongUncPrefix) + path.substr(2);
    return std::wstring(kLongPrefix) + path;
}

std::wstring WithoutLongPathPrefix(const std::wstring& path)
{
    if (path.starts_with(kLongUncPrefix)) return L"\\\\" + path.substr(kLongUncPrefix.size());
    if (path.starts_with(kLongPrefix)) return path.substr(kLongPrefix.size());
    return path;
}

std::wstring LongPathName(const std::wstring& path)
{
    const DWORD size = ::GetLongPathNameW(path.c_str(), nullptr, 0);
    if (size == 0) return path;
    std::wstring longer(size, L'\0');
    const DWORD length = ::GetLongPathNameW(path.c_str(), longer.data(), size);
    if (length == 0 || length >= size) return path;
    longer.resize(length);
    return longer;
}

bool FileIdentityOf(const std::wstring& path, FileIdentity& identity)
{
    fw::ScopedFile file(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file || ::GetFileType(file.Get()) != FILE_TYPE_DISK || !::GetFileInformationByHandle(file.Get(), &info))
        return false;
    identity = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    return true;
}

std::wstring ComparablePath(const std::wstring& path)
{
    if (path.empty()) return path;
    std::wstring full = FullPathName(path);
    std::replace(full.begin(), full.end(), L'/', L'\\');
    // The same file as the plain form names it.
    full = WithoutLongPathPrefix(full);
    std::wstring name = LastPathComponent(full);
    std::wstring folder = full.substr(0, full.size() - name.size());
    // "update.log::$DATA" and "update.log. " open update.log itself.
    const std::wstring::size_type colon = name.find(L':');
    if (colon != std::wstring::npos) name.erase(colon);
    while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) name.pop_back();
    const std::wstring whole = folder + name;
    if (PathExists(whole)) return FileNameKey(LongPathName(whole));
    if (!folder.empty()) folder = LongPathName(folder);
    return FileNameKey(folder + name);
}

bool SameFile(const std::wstring& a, const std::wstring& b)
{
    if (a.empty() || b.empty()) return false;
    FileIdentity first;
    FileIdentity second;
    if (FileIdentityOf(a, first) && FileIdentityOf(b, second)) return first == second;
    return ComparablePath(a) == ComparablePath(b);
}
