// INI access through the platform's private-profile operations, with the fixed
// buffer sizes the files' readers use for values. A value longer than the buffer
// is cut as the platform cuts it; nothing is ever copied past a buffer. Key
// lists are read whole.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// GetPrivateProfileStringW into a buffer of bufferChars characters (value at
// most bufferChars - 1 characters). A missing file, section or key gives def.
std::wstring ReadProfileText(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                             DWORD bufferChars, const std::wstring& def = std::wstring());

// The whole value of a key, however long (read again into larger buffers until
// none cuts it; only a value of more than 64 million characters is cut).
std::wstring ReadWholeProfileText(const std::wstring& file, const std::wstring& section, const std::wstring& key);

// GetPrivateProfileIntW.
int ReadProfileNumber(const std::wstring& file, const std::wstring& section, const std::wstring& key, int def);

// Every key name of a section in file order (section given, key null), however
// many: the list is read again into a larger buffer until none is cut. Only a
// list of more than 64 million characters (a file of over 128 MB) is cut, and
// GetLastError then says ERROR_MORE_DATA.
std::vector<std::wstring> ReadProfileKeys(const std::wstring& file, const std::wstring& section);

// Why file cannot be written, as the write itself would fail: 0 when it can;
// ERROR_ACCESS_DENIED for a read-only file or a folder, the open's error for
// one that cannot be opened for writing (held by another program), and
// ERROR_PATH_NOT_FOUND for a new file whose folder is not there. Checked
// before a record is written, so that a refused write leaves the file as it
// was instead of half updated.
DWORD ProfileWriteError(const std::wstring& file);

// GetProfileStringW (the Windows profile, win.ini), empty when absent.
std::wstring ReadWindowsProfileText(const std::wstring& section, const std::wstring& key, DWORD bufferChars);

// Decimal text as the profile writes numbers ("%d").
std::wstring FormatNumber(int value);
