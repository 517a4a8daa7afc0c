// A profile (INI) file read once into memory, read and changed there, and
// written back whole in one step. The product also reads the file with the
// platform's profile functions, so every read here answers what those answer:
// names matched without regard to (ASCII) case, the first section and the first
// key of a name win, blanks around names and values trimmed, enclosing quotes
// removed on reading, a NUL ends a name or value, a lone CR ends a line.
//
// The file belongs to its user as much as to the program: Save changes only the
// lines of the keys written, and every other line stays byte for byte (comments,
// blank lines, blanks around "=", NULs, lone CRs, the encoding). A changed key's
// line is rewritten in place as the platform writes it ("name=value"). A new key
// goes right after the last key line of its section (its header when it has
// none): blank and comment lines that end a section usually introduce the next
// one, so they stay before it. New keys of the nameless section go to the top of
// the file when it has no key yet, new sections to its end. Lines written use the
// file's own line break (the most frequent; CR LF in a new file).
#pragma once

#include "platform/ProfileLines.h"
#include "platform/ProfileText.h"

#include <windows.h>

#include <cstdint>
#include <deque>
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
    // A larger file is read as empty.
    static constexpr std::size_t kMaxFileBytes = 256u * 1024u * 1024u;

    explicit ProfileDocument(ProfileSaveCalls calls = ProfileSaveCalls());

    // Reads the whole file (a name without folder is looked for in the Windows
    // folder, as the platform does). A missing file or folder is an empty
    // document; false when the file is there but cannot be read. What others
    // write to the file after Load is replaced by Save.
    bool Load(const std::wstring& path);
    // The encoding Load would find in the file at path, from its first bytes
    // (Ansi for a file that is missing or cannot be read).
    static ProfileEncoding FileEncoding(const std::wstring& path);
    // The contents from file bytes, read exactly within [bytes, bytes + size);
    // the path stays. False (and empty) only for more than 256 MB.
    bool Parse(const void* bytes, std::size_t size);
    // As Parse, taking the bytes over instead of copying them.
    bool Adopt(std::string bytes);

    // GetPrivateProfileStringW of a key into a buffer of bufferChars characters:
    // at most bufferChars - 1 characters; def when the key or its "=" is missing.
    std::wstring Get(const std::wstring& section, const std::wstring& key, const std::wstring& def,
                     DWORD bufferChars) const;
    // GetPrivateProfileIntW.
    int GetInt(const std::wstring& section, const std::wstring& key, int def) const;
    // The key list of a section as ReadProfileKeys reads it through the platform,
    // every key however many: keys with "=", comments left out.
    std::vector<std::wstring> Keys(const std::wstring& section) const;

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
    // old or the new one. The file keeps its attributes (hidden, system) and
    // creation time, and its security where the platform's replace can be used
    // (the plain rename that stands in for it cannot). A file link (symbolic
    // link, reparse point), a file with more than one name (hard link) and a
    // read-only file are refused and left as they are (GetLastError:
    // kErrorFileIsLink, kErrorFileHasNames, ERROR_ACCESS_DENIED). False on any
    // failure (the file untouched, no temporary file left, the document still
    // Dirty); GetLastError tells why.
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
        bool changed = false;            // written by Set since the file was read
        std::uint32_t section = 0;
        std::uint32_t line = kNone;      // its line in the file; none for a key Set added
        std::uint32_t next = kNone;      // the next key of the section, in file order
        std::uint32_t sameHash = kNone;  // the next looked-up key whose section and folded name hash alike
    };
    struct Section {
        std::wstring name;
        std::uint32_t first = kNone;
        std::uint32_t last = kNone;
        // The line new keys follow; none for the nameless section without keys
        // (they go first) and for a section Set added (written at the end).
        std::uint32_t anchor = kNone;
        bool added = false;
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

    // The keys and sections of text; the number of its lines.
    std::size_t Rebuild(const std::wstring& text);
    std::uint32_t AddSection(std::wstring name);
    std::uint32_t AddKey(std::uint32_t section, Key key);
    std::uint32_t FindSection(std::wstring_view name) const;
    std::uint32_t FindKey(std::wstring_view section, std::wstring_view key) const;
    std::uint32_t FindKeyIn(std::uint32_t section, std::wstring_view key) const;
    // The file's bytes with the changes made since it was read.
    std::string Compose() const;
    std::wstring KeyLine(std::uint32_t key) const;
    std::wstring NewKeyLines(std::uint32_t section) const;
    void AppendText(std::string& bytes, const std::wstring& text) const;
    bool WriteReplacing(const std::wstring& target, const std::string& bytes) const;

    ProfileSaveCalls calls_;
    std::wstring path_;
    bool existed_ = false;
    ProfileEncoding encoding_ = ProfileEncoding::Ansi;
    std::string bytes_;                   // the file as read
    std::vector<ProfileLineSpan> lines_;  // its lines, by the index keys and sections hold
    std::wstring newline_;
    std::vector<Section> sections_;
    // A deque: a document that grows by tens of thousands of keys (a merge of a
    // large catalogue) is never copied whole to grow.
    std::deque<Key> keys_;
    std::unordered_map<std::uint64_t, std::uint32_t> sectionIndex_;  // hash of the folded name
    std::unordered_map<std::uint64_t, std::uint32_t> keyIndex_;      // hash of section and folded name
    Pending pending_;
    bool dirty_ = false;
};
