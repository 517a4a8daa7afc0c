// Paths: their texts (split, joined, compared), their shapes, their "\\?\"
// form and which file they name; existence checks and small text helpers
// shared by every layer.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

// A regular file (not a folder) is at path.
bool FileExists(const std::wstring& path);
// A folder is at path.
bool FolderExists(const std::wstring& path);
// Something (file or folder) is at path; an empty path is nothing.
bool PathExists(const std::wstring& path);
// FindFirstFileW finds something for pattern (wildcards allowed).
bool AnyMatch(const std::wstring& pattern);

// Clears the read-only attribute of path when attributes (as read before) carry
// it; false when that was needed and failed.
bool ClearReadOnly(const std::wstring& path, DWORD attributes);

// Leading blanks, a sign, then digits up to the first other character, as the C
// library reads a decimal number; no digits give 0, values beyond int are clamped.
int DecimalValue(const std::wstring& text);

// a and b with one backslash at the seam: b empty gives a, a empty gives b;
// a leading backslash of b is dropped when a ends with one; one is inserted
// when neither a ends nor b begins with one.
std::wstring JoinPath(const std::wstring& a, const std::wstring& b);

// The fixed-buffer variant: as above, except that a leading backslash of b is
// kept when a already ends with one. capacity counts characters including the
// terminating zero. A result that would not fit is refused: false, and the
// buffer holds the empty text (when capacity > 0).
bool JoinPath(wchar_t* buffer, size_t capacity, const wchar_t* a, const wchar_t* b);
template <size_t N>
bool JoinPath(wchar_t (&buffer)[N], const wchar_t* a, const wchar_t* b)
{
    return JoinPath(buffer, N, a, b);
}

// A path that a value of the medium may give relative to a root: joined to the
// root it stays below it. Empty is the root itself. Refused: a ".." component,
// a drive, a UNC name (two separators at the start) and any ":" (drive or
// alternate data stream). One leading separator is taken: the join puts one
// backslash at the seam (RelativeToRoot). "/" counts as a separator, as the
// system reads it.
bool StaysBelowRoot(const std::wstring& relative);
// relative without the one separator it may start with ("\Data\Temp" gives
// "Data\Temp"), so that joined to its root exactly one backslash stands at the seam.
std::wstring RelativeToRoot(const std::wstring& relative);

// Path shapes, the one place that tells them apart. "\" and "/" both
// separate, as the system reads them.
// "X:" at the start, X a letter: the path names a drive.
bool HasDriveLetter(const std::wstring& path);
// Two separators at the start: a UNC name ("\\server\share").
bool IsUncPath(const std::wstring& path);
// A full path: a drive and a separator ("C:\x", "C:/x") or a UNC name.
bool IsAbsolutePath(const std::wstring& path);
// A drive's root and nothing more: "C:\" or "C:/".
bool IsDriveRoot(const std::wstring& path);

// The key under which two names of files or folders are the same name: the
// text in upper case, the same in every locale (the file system compares names
// without regard to the user's language).
std::wstring FileNameKey(const std::wstring& name);
// The same key made in place, in name's own buffer.
void MakeFileNameKey(std::wstring& name);

// The one case-insensitive compare of names and paths: equal as the file
// system compares names (each character in upper case, the same in every locale).
bool SameName(std::wstring_view a, std::wstring_view b);
// path ends with suffix, compared as SameName compares ("C:\Data\OBJ" ends with "\obj").
bool EndsWithName(std::wstring_view path, std::wstring_view suffix);

// The full path as the system reads path ("..", "/", the current folder or
// drive); path itself when the system cannot make one.
std::wstring FullPathName(const std::wstring& path);

// The short (8.3) form the system gives path (which must exist); empty when it
// gives none.
std::wstring ShortPathName(const std::wstring& path);

// Every character of text is ASCII: the same bytes in every ANSI code page.
bool IsAscii(std::wstring_view text);

// Text after the last backslash, or the whole text.
std::wstring LastPathComponent(const std::wstring& path);
// Text before the last backslash ("C:\a\b" gives "C:\a", "C:\a\" gives "C:\a");
// empty when there is none. ParentFolder, a backslash and LastPathComponent give
// path back.
std::wstring ParentFolder(const std::wstring& path);

// path without the backslashes it ends with ("C:\a\\" gives "C:\a").
std::wstring WithoutTrailingBackslashes(std::wstring path);

// Drive and folder of a path, with trailing backslash ("C:\a\b.txt" gives "C:\a\").
std::wstring FolderPart(const std::wstring& path);

// The extension of path's last name, from its last dot and with it ("a\b.c.mdb"
// gives ".mdb"); empty when that name has no dot.
std::wstring ExtensionOf(const std::wstring& path);

// The path rebuilt with another extension (given without or with its dot).
std::wstring ReplaceExtension(const std::wstring& path, const std::wstring& extension);

// The "\\?\" form of a full path, which the system takes past MAX_PATH: "C:\x"
// as "\\?\C:\x", "\\s\x" as "\\?\UNC\s\x"; a path in that form already stays.
std::wstring WithLongPathPrefix(const std::wstring& path);
// The plain form of a path: "\\?\C:\x" as "C:\x", "\\?\UNC\s\x" as "\\s\x"; any
// other path as it is.
std::wstring WithoutLongPathPrefix(const std::wstring& path);

// The long form the system gives an existing path (short names made long);
// path itself when it cannot be had.
std::wstring LongPathName(const std::wstring& path);

// The file a path leads to, as the file system knows it: the volume and the
// file's index there, the same for every name and link of one file.
struct FileIdentity {
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
    bool operator==(const FileIdentity& other) const
    {
        return volume == other.volume && indexHigh == other.indexHigh && indexLow == other.indexLow;
    }
};

// The identity of the file (or folder) path leads to; false when nothing is
// there or it is no file on a disk.
bool FileIdentityOf(const std::wstring& path, FileIdentity& identity);

// path as the system reads it, for comparison: full (relative to the current
// folder, "/" as "\"), short names made long where the path exists, trailing
// dots and blanks and an alternate data stream of the last name dropped, upper
// case.
std::wstring ComparablePath(const std::wstring& path);

// True when a and b name the same file: the same file identity when both
// exist, else the same comparable path.
bool SameFile(const std::wstring& a, const std::wstring& b);
