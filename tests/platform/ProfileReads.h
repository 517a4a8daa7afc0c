// The reads a caller makes of a profile file, done through the platform's
// functions or through a ProfileDocument and written out as one text per side,
// so that a difference shows where it is.
#pragma once

#include "platform/Profile.h"
#include "platform/ProfileDocument.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

// Drops the platform's cached copy, so the next read loads the file from disk.
inline void ForgetProfile(const std::wstring& file)
{
    ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());
}

struct PlatformReads {
    std::wstring file;
    std::wstring Get(const std::wstring& s, const std::wstring& k, DWORD n) const
    {
        return ReadProfileText(file, s, k, n, L"dflt");
    }
    int GetInt(const std::wstring& s, const std::wstring& k) const { return ReadProfileNumber(file, s, k, -99); }
    std::vector<std::wstring> Keys(const std::wstring& s, DWORD n) const { return ReadProfileKeys(file, s, n); }
};

struct DocumentReads {
    const ProfileDocument& doc;
    std::wstring Get(const std::wstring& s, const std::wstring& k, DWORD n) const { return doc.Get(s, k, L"dflt", n); }
    int GetInt(const std::wstring& s, const std::wstring& k) const { return doc.GetInt(s, k, -99); }
    std::vector<std::wstring> Keys(const std::wstring& s, DWORD n) const { return doc.Keys(s, n); }
};

// Sections to read, each with the keys to read in it.
using ReadPlan = std::vector<std::pair<std::wstring, std::vector<std::wstring>>>;

inline void AddOnce(std::vector<std::wstring>& names, const std::wstring& name)
{
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
}

// The document's sections and key lists, and the extra names as sections and
// as keys of every section.
inline ReadPlan PlanReads(const ProfileDocument& doc, const std::vector<std::wstring>& extra)
{
    std::vector<std::wstring> sections = extra;
    for (const auto& name : doc.Sections()) AddOnce(sections, name);
    ReadPlan plan;
    for (const auto& section : sections) {
        std::vector<std::wstring> keys = extra;
        for (const auto& key : doc.Keys(section)) AddOnce(keys, key);
        plan.emplace_back(section, keys);
    }
    return plan;
}

// Each key read as text into buffers of the given sizes, and as a number when asked.
template <typename Reader>
std::wstring Transcript(const Reader& read, const ReadPlan& plan, const std::vector<DWORD>& buffers, bool numbers = true)
{
    std::wstring text;
    for (const auto& [section, keys] : plan) {
        text += L"[" + section + L"]";
        for (DWORD chars : {DWORD{32000}, DWORD{7}}) {
            for (const auto& key : read.Keys(section, chars)) text += L" " + key;
            text += L" |";
        }
        text += L"\n";
        for (const auto& key : keys) {
            text += L"  " + key + L":";
            for (DWORD chars : buffers) text += L" <" + read.Get(section, key, chars) + L">";
            if (numbers) text += L" " + std::to_wstring(read.GetInt(section, key));
            text += L"\n";
        }
    }
    return text;
}
