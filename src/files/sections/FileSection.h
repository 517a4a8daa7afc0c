// The file sections of the data script: one entry per line,
// "number, source, subfolder, rename, language," (five comma-terminated fields).
#pragma once

#include <memory>
#include <string>
#include <vector>

class CClassItem;
class CFileItem;
class InstallRun;
class SourceNames;
namespace fw {
class UserInterface;
}

// What the entries of a file section are read against.
struct SectionContext {
    fw::UserInterface& ui;   // asked about bad entries; not owned
    InstallRun& run;         // told about refused entries; not owned
    std::wstring sourceDir;  // entries name files below it
    int uiLanguage = 0;      // entries for another language are left out
    SourceNames* scanned = nullptr;  // the scan of sourceDir, or null to search the medium; not owned
};

// The fields of one entry; false when the value has fewer than five commas or
// an empty source (the number field is not kept).
struct FileEntry {
    std::wstring source;
    std::wstring subfolder;
    std::wstring rename;
    std::wstring language;
};
bool ParseFileEntry(const std::wstring& value, FileEntry& entry);

// Decimal value of a language field: optional sign and digits, anything else 0.
int LanguageNumber(const std::wstring& text);

// Adds the entries of section in scriptPath to root, grouped by subfolder.
// Empty, malformed and unmatched entries are reported (messages 12, 13, 14);
// an entry whose value does not fit its 256-character buffer, whose subfolder
// would lead outside the destination or whose rename is not a plain file name
// is refused (asked Abort, Retry, Ignore; the run refused unless Retry); false
// when the user chose Abort.
bool ReadFileSection(const SectionContext& context, const std::wstring& scriptPath, const std::wstring& section,
                     CClassItem& root);
