// The reads a caller makes of a profile file, through the platform's functions
// (doc null) or through a ProfileDocument, written out as one text per side so
// that a difference shows where it is.
#pragma once

#include "platform/Profile.h"
#include "platform/ProfileDocument.h"

#include <algorithm>
#include <string>
#include <vector>

// Drops the platform's cached copy, so the next read loads the file from disk.
inline void ForgetProfile(const std::wstring& file)
{
    ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());
}

// The document's sections and the extra names, each read with its own keys and
// the extra names as keys; every value into buffers of the given sizes and, when
// asked, as a number.
inline std::wstring Transcript(const ProfileDocument* doc, const std::wstring& file, const ProfileDocument& plan,
                               const std::vector<std::wstring>& extra, const std::vector<DWORD>& buffers,
                               bool numbers = true)
{
    auto once = [](std::vector<std::wstring> names, const std::vector<std::wstring>& more) {
        for (const auto& name : more)
            if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
        return names;
    };
    std::wstring text;
    for (const auto& section : once(extra, plan.Sections())) {
        text += L"[" + section + L"]";
        for (DWORD chars : {DWORD{32000}, DWORD{7}}) {
            for (const auto& key : doc ? doc->Keys(section, chars) : ReadProfileKeys(file, section, chars))
                text += L" " + key;
            text += L" |";
        }
        for (const auto& key : once(extra, plan.Keys(section))) {
            text += L"\n  " + key + L":";
            for (DWORD chars : buffers)
                text += L" <" + (doc ? doc->Get(section, key, L"dflt", chars)
                                     : ReadProfileText(file, section, key, chars, L"dflt")) + L">";
            if (numbers)
                text += L" " + std::to_wstring(doc ? doc->GetInt(section, key, -99)
                                                   : ReadProfileNumber(file, section, key, -99));
        }
        text += L"\n";
    }
    return text;
}
