// The reads a caller makes of a profile file, through the platform's functions
// (doc null) or through a ProfileDocument, written out as one text per side so
// that a difference shows where it is.
#pragma once

#include "platform/Profile.h"
#include "platform/ProfileDocument.h"

#include "platform/ProfileSyntax.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

// Drops the platform's cached copy, so the next read loads the file from disk.
inline void ForgetProfile(const std::wstring& file)
{
    ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());
}

// The lines of a file's text that are not blank.
inline std::vector<std::wstring> TextLines(const std::string& bytes)
{
    std::wstring text;
    DecodeProfileText(bytes.data(), bytes.size(), text);
    std::vector<std::wstring> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find_first_of(L"\r\n", at), text.size());
        const std::wstring line = text.substr(at, end - at);
        if (!ProfileTrimmed(line).empty()) lines.push_back(line);
        at = end + 1;
    }
    return lines;
}

// The names of the named sections of a file's bytes, in file order (duplicates
// included), as a document read from them holds them.
inline std::vector<std::wstring> SectionNames(const std::string& bytes)
{
    std::vector<std::wstring> names;
    for (const auto& line : TextLines(bytes)) {
        const ProfileLine read = ReadProfileLine(line.data(), line.data() + line.size());
        if (read.kind != ProfileLine::Header) continue;
        std::wstring name = UpToNul(read.nameBegin, read.nameEnd);
        if (!name.empty()) names.push_back(std::move(name));
    }
    return names;
}

// The sections of plan (planBytes: the file it was read from or saved to) and
// the extra names, each read with its own keys and the extra names as keys;
// every value into buffers of the given sizes and, when asked, as a number.
inline std::wstring Transcript(const ProfileDocument* doc, const std::wstring& file, const ProfileDocument& plan,
                               const std::string& planBytes, const std::vector<std::wstring>& extra,
                               const std::vector<DWORD>& buffers, bool numbers = true)
{
    auto once = [](std::vector<std::wstring> names, const std::vector<std::wstring>& more) {
        for (const auto& name : more)
            if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
        return names;
    };
    std::wstring text;
    for (const auto& section : once(extra, SectionNames(planBytes))) {
        text += L"[" + section + L"]";
        for (const auto& key : doc ? doc->Keys(section) : ReadProfileKeys(file, section)) text += L" " + key;
        text += L" |";
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

// What a save changed: the lines of after that before lacks (written) and the
// lines of before that after lacks (removed), each counted as often as it stands.
struct LineChanges {
    std::vector<std::wstring> written;
    std::size_t removed = 0;
};
inline LineChanges ChangedLines(const std::string& before, const std::string& after)
{
    std::map<std::wstring, int> left;
    for (const auto& line : TextLines(before)) ++left[line];
    LineChanges changes;
    for (const auto& line : TextLines(after)) {
        if (left[line] > 0) --left[line];
        else changes.written.push_back(line);
    }
    for (const auto& [line, count] : left) changes.removed += static_cast<std::size_t>(count);
    return changes;
}

// The lines written that the platform's own writes did not write, one a line.
inline std::wstring NotWrittenByPlatform(const std::vector<std::wstring>& written, const std::string& platformFile)
{
    const std::vector<std::wstring> platform = TextLines(platformFile);
    std::wstring missing;
    for (const auto& line : written)
        if (std::find(platform.begin(), platform.end(), line) == platform.end()) missing += line + L"\n";
    return missing;
}

// The platform's own write loses what a NUL or a second nameless section holds;
// the document keeps it, so such files read differently afterwards.
inline bool PlatformWriteChangesMeaning(const std::string& bytes)
{
    std::wstring text;
    DecodeProfileText(bytes.data(), bytes.size(), text);
    if (text.find(L'\0') != std::wstring::npos) return true;
    bool first = true;
    for (const auto& line : TextLines(bytes)) {
        const ProfileLine read = ReadProfileLine(line.data(), line.data() + line.size());
        if (read.kind == ProfileLine::Header && !first && UpToNul(read.nameBegin, read.nameEnd).empty()) return true;
        first = first && read.kind != ProfileLine::Header;
    }
    return false;
}
