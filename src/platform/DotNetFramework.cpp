#include "platform/DotNetFramework.h"

#include "platform/Registry.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <cwchar>

namespace {

constexpr wchar_t kPolicy10Key[] = L"Software\\Microsoft\\.NETFramework\\Policy\\v1.0";
constexpr wchar_t kSetup11Key[] = L"Software\\Microsoft\\NET Framework Setup\\NDP\\v1.1.4322";
constexpr wchar_t kSetup20Key[] = L"Software\\Microsoft\\NET Framework Setup\\NDP\\v2.0.50727";
constexpr wchar_t kSetup30Key[] = L"Software\\Microsoft\\NET Framework Setup\\NDP\\v3.0\\Setup";
constexpr wchar_t kSetup35Key[] = L"Software\\Microsoft\\NET Framework Setup\\NDP\\v3.5";
constexpr wchar_t kPolicy10Value[] = L"3705";
constexpr wchar_t kInstallSuccessValue[] = L"InstallSuccess";
constexpr wchar_t kInstallValue[] = L"Install";
constexpr wchar_t kVersionValue[] = L"Version";

constexpr DWORD kValueBytes = 260;

using FrameworkVersion = std::array<std::uint32_t, 4>;
constexpr FrameworkVersion kMinimum30 = {3, 0, 4506, 26};
constexpr FrameworkVersion kMinimum35 = {3, 5, 21022, 8};

// The value exists and its data fit in limit bytes; data receives them.
bool ReadValue(const wchar_t* keyName, const wchar_t* valueName, BYTE* data, DWORD limit, DWORD& size)
{
    RegistryKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, keyName) != ERROR_SUCCESS) return false;
    size = limit;
    return ::RegQueryValueExW(key.Get(), valueName, nullptr, nullptr, data, &size) == ERROR_SUCCESS;
}

bool ValueExists(const wchar_t* keyName, const wchar_t* valueName)
{
    BYTE data[kValueBytes];
    DWORD size = 0;
    return ReadValue(keyName, valueName, data, sizeof(data), size);
}

// Whatever its registry type: at most 4 bytes that make the number 1.
bool ValueIsOne(const wchar_t* keyName, const wchar_t* valueName)
{
    BYTE data[sizeof(std::uint32_t)] = {};
    DWORD size = 0;
    if (!ReadValue(keyName, valueName, data, sizeof(data), size)) return false;
    const std::uint32_t number = data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
    return number == 1;
}

// The leading decimal digits of part; none give 0, too many the largest number.
std::uint32_t LeadingNumber(const std::wstring& part)
{
    std::uint64_t number = 0;
    for (wchar_t c : part) {
        if (c < L'0' || c > L'9') break;
        number = number * 10 + static_cast<std::uint64_t>(c - L'0');
        if (number > UINT32_MAX) return UINT32_MAX;
    }
    return static_cast<std::uint32_t>(number);
}

// The first four dot-separated numbers of the string value; missing parts and
// an unreadable value are 0.
FrameworkVersion InstalledVersion(const wchar_t* keyName)
{
    FrameworkVersion version = {};
    wchar_t data[kValueBytes / sizeof(wchar_t)] = {};
    DWORD size = 0;
    if (!ReadValue(keyName, kVersionValue, reinterpret_cast<BYTE*>(data), sizeof(data), size)) return version;
    std::wstring text(data, size / sizeof(wchar_t));
    text.resize(wcsnlen(text.c_str(), text.size()));

    std::size_t start = 0;
    for (std::size_t i = 0; i < version.size() && start <= text.size(); ++i) {
        std::size_t dot = text.find(L'.', start);
        if (dot == std::wstring::npos) dot = text.size();
        version[i] = LeadingNumber(text.substr(start, dot - start));
        start = dot + 1;
    }
    return version;
}

bool InstalledWithVersion(const wchar_t* keyName, const wchar_t* flagValue, const FrameworkVersion& minimum)
{
    return ValueIsOne(keyName, flagValue) && InstalledVersion(keyName) >= minimum;
}

}  // namespace

bool DotNetFrameworkPresent(int code, std::wstring& versionText, std::wstring& downloadUrl)
{
    versionText = L"3.5";
    downloadUrl = kDotNet35DownloadUrl;
    switch (code) {
    case kDotNet10:
        versionText = L"1.0";
        return ValueExists(kPolicy10Key, kPolicy10Value);
    case kDotNet11:
        versionText = L"1.1";
        downloadUrl = kDotNet11DownloadUrl;
        return ValueIsOne(kSetup11Key, kInstallValue);
    case kDotNet20:
        versionText = L"2.0";
        downloadUrl = kDotNet20DownloadUrl;
        return ValueIsOne(kSetup20Key, kInstallValue);
    case kDotNet30:
        versionText = L"3.0";
        downloadUrl = kDotNet30DownloadUrl;
        return InstalledWithVersion(kSetup30Key, kInstallSuccessValue, kMinimum30);
    case kDotNet35:
        return InstalledWithVersion(kSetup35Key, kInstallValue, kMinimum35);
    default:
        return false;
    }
}
