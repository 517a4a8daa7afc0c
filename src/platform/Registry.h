// Read-only registry access: a key holder and the string value read.
#pragma once

#include "framework/Handles.h"

#include <windows.h>

#include <string>

// Holds one open key or none; closes it when destroyed.
class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // RegOpenKeyExW. The key held before is closed only once the new one is open;
    // on failure the holder keeps what it held. Returns the Win32 result.
    LONG Open(HKEY root, const std::wstring& subKey, REGSAM access = KEY_READ);
    // Nothing happens when no key is held.
    void Close() { key_.Reset(); }

    HKEY Get() const { return key_.Get(); }
    bool IsOpen() const { return key_.Valid(); }

private:
    fw::ScopedRegistryKey key_;
};

// A string value of key: first read into 256 bytes, again with the reported size
// when the value is longer. The text ends at its first terminator or at the size
// read. Any failure, and a value that is not text (REG_SZ, REG_EXPAND_SZ, the
// latter as stored), gives def (empty when none).
std::wstring ReadStringValue(const RegistryKey& key, const std::wstring& valueName,
                             const std::wstring& def = std::wstring());

// The value valueName of HKEY_LOCAL_MACHINE\SOFTWARE\Orvekhaus\<product>. Returns
// true when the text read is not empty; a key that cannot be opened gives empty text.
bool RegistryValue(const std::wstring& product, const std::wstring& valueName, std::wstring& text);

inline constexpr wchar_t kWindowsVersionKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

// ProgramFilesDir of HKEY_LOCAL_MACHINE\<versionKey> (the system's key unless a
// test names its own); "c:\" when that key cannot be opened or holds no such text.
std::wstring ProgramFilesDir(const std::wstring& versionKey = kWindowsVersionKey);
