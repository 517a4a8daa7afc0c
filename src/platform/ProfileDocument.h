// A profile (INI) file read once into memory, read and changed there, and
// written back whole in one step. The product also reads the file with the
// platform's profile functions, so every read here answers what those answer,
// and Save writes the bytes their writes would have left: names matched without
// regard to (ASCII) case, the first section and the first key of a name win,
// blanks around names and values trimmed, enclosing quotes removed on reading,
// comments and foreign lines kept as lines, the file's encoding kept. Like the
// platform, Save writes the file in its normal form: one "name=value" per line,
// CR LF line ends, no blank lines; new keys at the end of their section, new
// sections at the end of the file.
//
// Where the platform's write would change what the file reads as, the document
// keeps the meaning instead: a second nameless section ("[]") keeps its header,
// so its keys do not move into the section before it, and keys given for the
// nameless section go to the top of the file.
#pragma once

#include "platform/ProfileText.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The platform call of Save that Wine cannot make fail on its own; tests put a
// failing one in its place.
struct ProfileSaveCalls {
    BOOL(WINAPI* writeFile)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED) = &::WriteFile;
};

class ProfileDocument {
public:
    explicit ProfileDocument(ProfileSaveCalls calls = ProfileSaveCalls());

    // Reads the whole file (a name without folder is looked for in the Windows
    // folder, as the platform does). A missing file or folder is an empty
    // document; false when the file is there but cannot be read. What others
    // write to the file after Load is replaced by Save.
    bool Load(const std::wstring& path);
    // The contents from file bytes, read exactly within [bytes, bytes + size);
    // the path stays. False (and empty) only for more than 256 MB.
    bool Parse(const void* bytes, std::size_t size);

    // GetPrivateProfileStringW of a key into a buffer of bufferChars characters:
    // at most bufferChars - 1 characters; def when the key or its "=" is missing.
    std::wstring Get(const std::wstring& section, const std::wstring& key, const std::wstring& def,
                     DWORD bufferChars) const;
    // GetPrivateProfileIntW.
    int GetInt(const std::wstring& section, const std::wstring& key, int def) const;
    // The key list of a section as ReadProfileKeys reads it through the platform:
    // keys with "=", comments left out, cut where a buffer of bufferChars ends.
    std::vector<std::wstring> Keys(const std::wstring& section, DWORD bufferChars = 32000) const;
    // The names of the named sections in file order (duplicates included).
    std::vector<std::wstring> Sections() const;

    // WritePrivateProfileStringW of a value, in memory; reads see the value as
    // the file will give it back (blanks trimmed, in the file's code page).
    // False, and nothing changed, when what is written could not be read back
    // as this key: a line break in the key, in a new section's name or within
    // the value, "=" in the key, or a line that would read as a section header.
    bool Set(const std::wstring& section, const std::wstring& key, const std::wstring& value);

    // A value changed since the last Load, Parse or Save.
    bool Dirty() const { return dirty_; }
    // Writes the file when Dirty: to a temporary file in the same folder that
    // then replaces the file (write-through), so the file is always either the
    // old or the new one. A read-only file is refused and left as it is. False
    // on any failure (the file untouched, no temporary file left, the document
    // still Dirty); GetLastError tells why.
    bool Save();

    const std::wstring& Path() const { return path_; }
    // The file was there when loaded (or has been saved since).
    bool Existed() const { return existed_; }
    ProfileEncoding Encoding() const { return encoding_; }

private:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    struct Key {
        std::wstring name;  // as the platform reads it: trimmed, up to a NUL
        std::wstring value;
        bool hasValue = false;
        std::uint32_t section = 0;
        std::uint32_t next = kNone;      // the next key of the section, in file order
        std::uint32_t sameHash = kNone;  // the next looked-up key whose section and folded name hash alike
    };
    struct Section {
        std::wstring name;
        std::uint32_t first = kNone;
        std::uint32_t last = kNone;
        bool indexed = false;            // the first section of its name: its keys are looked up
        std::uint32_t sameHash = kNone;  // the next first-of-its-name section whose name hashes alike
    };
    // The texts of the last Set as given: the platform writes them so and reads
    // them back trimmed, so they matter for the next write only.
    struct Pending {
        bool active = false;
        std::uint32_t section = 0;
        std::uint32_t key = 0;
        bool newSection = false;
        bool newKey = false;
        std::wstring sectionText;
        std::wstring keyText;
        std::wstring valueText;
    };

    void Rebuild(const std::wstring& text);
    std::uint32_t AddSection(std::wstring name);
    std::uint32_t AddKey(std::uint32_t section, Key key);
    std::uint32_t FindSection(std::wstring_view name) const;
    std::uint32_t FindKey(std::wstring_view section, std::wstring_view key) const;
    std::uint32_t FindKeyIn(std::uint32_t section, std::wstring_view key) const;
    std::wstring Text() const;
    bool WriteReplacing(const std::string& bytes) const;

    ProfileSaveCalls calls_;
    std::wstring path_;
    bool existed_ = false;
    ProfileEncoding encoding_ = ProfileEncoding::Ansi;
    std::vector<Section> sections_;
    std::vector<Key> keys_;
    std::unordered_map<std::uint64_t, std::uint32_t> sectionIndex_;  // hash of the folded name
    std::unordered_map<std::uint64_t, std::uint32_t> keyIndex_;      // hash of section and folded name
    Pending pending_;
    bool dirty_ = false;
    // A file with NUL characters does not read back as it was read; the first
    // write of such a file is kept as written, and the document re-read from it.
    bool hasNul_ = false;
    bool holdsFirstWrite_ = false;
    std::string firstWrite_;
};
