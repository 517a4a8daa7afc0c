#include "platform/Registry.h"

#include <vector>

namespace {

constexpr DWORD kFirstReadBytes = 256;
constexpr wchar_t kMakerKey[] = L"SOFTWARE\\Orvekhaus";

}  // namespace

LONG RegistryKey::Open(HKEY root, const std::wstring& subKey, REGSAM access)
{
    HKEY opened = nullptr;
    LONG result = ::RegOpenKeyExW(root, subKey.c_str(), 0, access, &opened);
    if (result == ERROR_SUCCESS) key_.Reset(opened);
    return result;
}

std::wstring ReadStringValue(const RegistryKey& key, const std::wstring& valueName, const std::wstring& def)
{
    if (!key.IsOpen()) return def;
    std::vector<BYTE> buffer(kFirstReadBytes);
    DWORD size = kFirstReadBytes;
    DWORD type = REG_NONE;
    LONG result = ::RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type, buffer.data(), &size);
    if (result == ERROR_MORE_DATA) {
        buffer.assign(size, 0);
        result = ::RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type, buffer.data(), &size);
    }
    if (result != ERROR_SUCCESS) return def;
    // A number or bytes taken for characters would be a made-up path.
    if (type != REG_SZ && type != REG_EXPAND_SZ) return def;
    if (size > buffer.size()) size = static_cast<DWORD>(buffer.size());

    // The value need not be terminated: it ends at its first terminator or its size.
    const std::size_t chars = size / sizeof(wchar_t);
    const wchar_t* text = reinterpret_cast<const wchar_t*>(buffer.data());
    std::size_t length = 0;
    while (length < chars && text[length] != L'\0') ++length;
    return std::wstring(text, length);
}

bool RegistryValue(const std::wstring& product, const std::wstring& valueName, std::wstring& text)
{
    std::wstring path = kMakerKey;
    if (!product.empty()) {
        if (product.front() != L'\\') path += L'\\';
        path += product;
    }
    RegistryKey key;
    text.clear();
    if (key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ) != ERROR_SUCCESS) return false;
    text = ReadStringValue(key, valueName);
    return !text.empty();
}

std::wstring ProgramFilesDir(const std::wstring& versionKey)
{
    RegistryKey key;
    // Without a value the installation folder would be a relative path.
    std::wstring folder;
    if (key.Open(HKEY_LOCAL_MACHINE, versionKey, KEY_READ) == ERROR_SUCCESS)
        folder = ReadStringValue(key, L"ProgramFilesDir");
    return folder.empty() ? L"c:\\" : folder;
}
