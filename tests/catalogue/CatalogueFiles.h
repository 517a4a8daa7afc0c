// Catalogue texts for the tests: packages written as INI sections.
#pragma once

#include <string>
#include <utility>
#include <vector>

using Keys = std::vector<std::pair<std::wstring, std::wstring>>;

inline std::wstring Section(const std::wstring& name, const Keys& keys)
{
    std::wstring text = L"[" + name + L"]\r\n";
    for (const auto& [key, value] : keys) text += key + L"=" + value + L"\r\n";
    return text;
}

// A manufacturers list naming ids in order, then a section per id.
inline std::wstring Catalogue(const std::vector<std::pair<std::wstring, Keys>>& packages)
{
    Keys list;
    for (const auto& package : packages) list.emplace_back(package.first, package.first);
    std::wstring text = Section(L"manufacturers", list);
    for (const auto& [id, keys] : packages) text += Section(id, keys);
    return text;
}

// n packages P00000 ... with ids "000" ... (three-digit ids, so n <= 1000 stays
// unique; larger n use letters as well).
inline std::wstring PackageId(int i)
{
    const wchar_t digits[] = L"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::wstring id(3, L'0');
    for (int pos = 2; pos >= 0; --pos) {
        id[static_cast<std::size_t>(pos)] = digits[i % 36];
        i /= 36;
    }
    return id;
}

inline std::wstring ManyPackages(int n, const std::wstring& version, int status)
{
    std::wstring text = L"[manufacturers]\r\n";
    for (int i = 0; i < n; ++i) text += L"m" + std::to_wstring(i) + L"=" + PackageId(i) + L"\r\n";
    for (int i = 0; i < n; ++i) {
        std::wstring id = PackageId(i);
        text += L"[" + id + L"]\r\nname=Maker " + id + L"\r\ndbname=db" + id + L"\r\nproducts=12\r\ndirname=Maker" + id +
                L"\r\ndisc=DVD1\r\nversion=" + version + L"\r\nplugin=inst.exe\r\nstatus=" + std::to_wstring(status) +
                L"\r\n";
        if (status & 2) text += L"localpath=C:\\Data\\Local\r\n";
    }
    return text;
}
