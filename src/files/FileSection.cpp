#include "files/FileSection.h"

#include "app/SetupState.h"
#include "dialogs/resource.h"
#include "files/FileItem.h"
#include "framework/Handles.h"
#include "framework/UserInterface.h"
#include "platform/PathUtil.h"

#include <windows.h>

#include <cwchar>

namespace {

constexpr DWORD kKeyListChars = 32000;
constexpr DWORD kValueChars = 256;

std::wstring TrimBlanks(const std::wstring& text)
{
    const std::size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return std::wstring();
    const std::size_t last = text.find_last_not_of(L' ');
    return text.substr(first, last - first + 1);
}

std::vector<std::wstring> SectionKeys(const std::wstring& file, const std::wstring& section)
{
    std::vector<wchar_t> buffer(kKeyListChars, L'\0');
    const DWORD length = ::GetPrivateProfileStringW(section.c_str(), nullptr, L"", buffer.data(), kKeyListChars,
                                                    file.c_str());
    std::vector<std::wstring> keys;
    for (DWORD pos = 0; pos < length && buffer[pos];) {
        std::wstring key(buffer.data() + pos);
        pos += static_cast<DWORD>(key.size()) + 1;
        keys.push_back(std::move(key));
    }
    return keys;
}

std::wstring ReadValue(const std::wstring& file, const std::wstring& section, const std::wstring& key)
{
    wchar_t buffer[kValueChars] = {};
    ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer, kValueChars, file.c_str());
    return buffer;
}

bool NamesEqualNoCase(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

bool HasWildcard(const std::wstring& text)
{
    return text.find_first_of(L"*?") != std::wstring::npos;
}

enum class EntryOutcome { Added, Skipped, Abort };

// One key of the section: parse, filter, group, expand; asks again on Retry.
EntryOutcome ReadEntry(const std::wstring& scriptPath, const std::wstring& section, const std::wstring& key,
                       CClassItem& root, CClassItem*& group)
{
    for (;;) {
        const std::wstring value = ReadValue(scriptPath, section, key);
        if (value.empty()) {
            fw::MessageId(IDS_ENTRY_EMPTY, MB_OK, key, section);
            return EntryOutcome::Skipped;
        }
        FileEntry entry;
        if (!ParseFileEntry(value, entry)) {
            fw::MessageId(IDS_ENTRY_MALFORMED, MB_OK, key, section);
            return EntryOutcome::Skipped;
        }
        if (!entry.language.empty() && LanguageNumber(entry.language) != State().uiLanguage)
            return EntryOutcome::Skipped;
        if (!NamesEqualNoCase(entry.subfolder, group->destName))
            group = root.Add(std::make_unique<CClassItem>(entry.subfolder));
        const std::size_t before = group->children.size();
        const int added = ExpandSource(entry.source, group->children);
        if (added == 0) {
            const int answer = fw::MessageId(IDS_ENTRY_FILE_MISSING, MB_ABORTRETRYIGNORE | MB_ICONERROR, key, section);
            if (answer == IDABORT) return EntryOutcome::Abort;
            if (answer == IDRETRY) continue;
            return EntryOutcome::Skipped;
        }
        if (added == 1 && !entry.rename.empty()) group->children[before]->destName = entry.rename;
        return EntryOutcome::Added;
    }
}

}  // namespace

bool ParseFileEntry(const std::wstring& value, FileEntry& entry)
{
    std::wstring fields[5];
    std::size_t start = 0;
    for (auto& field : fields) {
        const std::size_t comma = value.find(L',', start);
        if (comma == std::wstring::npos) return false;
        field = TrimBlanks(value.substr(start, comma - start));
        start = comma + 1;
    }
    if (fields[1].empty()) return false;
    entry.source = fields[1];
    entry.subfolder = fields[2];
    entry.rename = fields[3];
    entry.language = fields[4];
    return true;
}

int LanguageNumber(const std::wstring& text)
{
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-')) negative = text[pos++] == L'-';
    long long value = 0;
    for (; pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9'; ++pos) {
        value = value * 10 + (text[pos] - L'0');
        if (value > 0x7FFFFFFF) return 0;  // out of range counts as no number
    }
    return static_cast<int>(negative ? -value : value);
}

bool ReadFileSection(const std::wstring& scriptPath, const std::wstring& section, CClassItem& root)
{
    CClassItem* group = &root;  // the current group starts as the root, name empty
    for (const std::wstring& key : SectionKeys(scriptPath, section)) {
        if (ReadEntry(scriptPath, section, key, root, group) == EntryOutcome::Abort) return false;
    }
    return true;
}

int ExpandSource(const std::wstring& source, std::vector<std::unique_ptr<CFileItem>>& children)
{
    const std::wstring full = JoinPath(State().sourceDir, source);
    const std::wstring last = LastPathComponent(full);
    const std::wstring folder = full.substr(0, full.size() - last.size());  // with trailing backslash, or empty
    const bool wholeFolder = last == L"*";
    // A last component with other wildcards takes the files it matches.
    const bool pattern = wholeFolder || HasWildcard(last);
    const std::wstring search = wholeFolder ? folder + L"*.*" : full;

    int added = 0;
    WIN32_FIND_DATAW data;
    fw::ScopedFind find(::FindFirstFileExW(search.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                           FIND_FIRST_EX_LARGE_FETCH));
    if (find) {
        do {
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            const uint64_t size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
            children.push_back(std::make_unique<CFileItem>(pattern ? folder + data.cFileName : full, size));
            ++added;
            if (!pattern) break;
        } while (::FindNextFileW(find.Get(), &data));
    }
    if (added == 0 && wholeFolder) return -1;
    return added;
}
