#include "platform/ProfileDocument.h"

#include <algorithm>
#include <functional>

namespace {

constexpr std::size_t kMaxFileBytes = 256u * 1024u * 1024u;

// The platform's blanks: tab to carriage return, space, and ^Z (DOS end of file).
bool IsBlank(wchar_t c)
{
    return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20;
}

void TrimRange(const wchar_t*& begin, const wchar_t*& end)
{
    while (begin < end && IsBlank(*begin)) ++begin;
    while (end > begin && IsBlank(end[-1])) --end;
}

std::wstring Trimmed(const std::wstring& text)
{
    const wchar_t* begin = text.data();
    const wchar_t* end = begin + text.size();
    TrimRange(begin, end);
    return std::wstring(begin, end);
}

std::wstring LeadingTrimmed(const std::wstring& text)
{
    std::size_t from = 0;
    while (from < text.size() && IsBlank(text[from])) ++from;
    return text.substr(from);
}

// The platform keeps names and values as C strings: a NUL ends them.
std::wstring UpToNul(const wchar_t* begin, const wchar_t* end)
{
    return std::wstring(begin, std::find(begin, end, L'\0'));
}

std::wstring UpToNul(const std::wstring& text)
{
    return UpToNul(text.data(), text.data() + text.size());
}

// Names are matched with ASCII letters folded, nothing else.
std::wstring Folded(const std::wstring& text)
{
    std::wstring folded(text);
    for (wchar_t& c : folded)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + (L'a' - L'A'));
    return folded;
}

bool HasLineBreak(const std::wstring& text)
{
    return text.find_first_of(L"\r\n") != std::wstring::npos;
}

// One line (without its line break) as the platform reads it.
struct Line {
    enum Kind { Blank, Header, Entry } kind = Blank;
    const wchar_t* nameBegin = nullptr;
    const wchar_t* nameEnd = nullptr;
    const wchar_t* valueBegin = nullptr;
    const wchar_t* valueEnd = nullptr;
    bool hasValue = false;
};

Line ReadLine(const wchar_t* begin, const wchar_t* end)
{
    Line line;
    TrimRange(begin, end);
    if (begin >= end) return line;
    if (*begin == L'[') {
        // The name runs to the last "]"; what follows it is dropped.
        const wchar_t* close = end;
        while (close > begin && close[-1] != L']') --close;
        if (close > begin) {
            line.kind = Line::Header;
            line.nameBegin = begin + 1;
            line.nameEnd = close - 1;
            TrimRange(line.nameBegin, line.nameEnd);
            return line;
        }
    }
    line.kind = Line::Entry;
    line.nameBegin = begin;
    line.nameEnd = std::find(begin, end, L'=');
    if (line.nameEnd < end) {
        line.hasValue = true;
        line.valueBegin = line.nameEnd + 1;
        line.valueEnd = end;
        while (line.nameEnd > begin && IsBlank(line.nameEnd[-1])) --line.nameEnd;
        while (line.valueBegin < end && IsBlank(*line.valueBegin)) ++line.valueBegin;
    }
    return line;
}

// How the platform copies a value into a buffer of bufferChars characters: one
// pair of enclosing quotes removed, unless the value is cut; a value that just
// fills the buffer loses its last character with the quote.
std::wstring CopyEntry(const std::wstring& value, DWORD bufferChars)
{
    const bool quoted = value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') && value.back() == value[0];
    const std::size_t from = quoted ? 1 : 0;
    const std::size_t rest = value.size() - from;
    std::wstring copy = value.substr(from, std::min<std::size_t>(rest, bufferChars - 1));
    if (quoted && bufferChars >= rest && !copy.empty()) copy.pop_back();
    return copy;
}

// The platform's number reading: leading blanks and controls, one sign, a "0x",
// "0o" or "0b" prefix, then digits of that base; wraps around in 32 bits.
unsigned PlatformNumber(const std::wstring& text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] <= L' ') ++i;
    bool minus = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) minus = text[i++] == L'-';
    unsigned base = 10;
    if (i + 1 < text.size() && text[i] == L'0') {
        const wchar_t mark = text[i + 1];
        base = mark == L'b' ? 2 : mark == L'o' ? 8 : mark == L'x' ? 16 : 10;
        if (base != 10) i += 2;
    }
    unsigned total = 0;
    for (; i < text.size(); ++i) {
        const wchar_t c = text[i];
        unsigned digit = 99;
        if (c >= L'0' && c <= L'9') digit = static_cast<unsigned>(c - L'0');
        else if (c >= L'A' && c <= L'Z') digit = static_cast<unsigned>(c - L'A' + 10);
        else if (c >= L'a' && c <= L'z') digit = static_cast<unsigned>(c - L'a' + 10);
        if (digit >= base) break;
        total = total * base + digit;
    }
    return minus ? 0u - total : total;
}

}  // namespace

std::size_t ProfileDocument::KeySlotHash::operator()(const KeySlot& slot) const
{
    return std::hash<std::wstring>()(slot.name) ^ (slot.section * 0x9E3779B1u);
}

ProfileDocument::ProfileDocument(ProfileSaveCalls calls) : calls_(calls)
{
    Rebuild(std::wstring());
}

bool ProfileDocument::Parse(const void* bytes, std::size_t size)
{
    std::wstring text;
    const bool fits = size <= kMaxFileBytes;
    encoding_ = fits && size > 0 ? DecodeProfileText(bytes, size, text) : ProfileEncoding::Ansi;
    Rebuild(text);
    dirty_ = false;
    pending_ = Pending();
    holdsFirstWrite_ = false;
    firstWrite_.clear();
    return fits;
}

void ProfileDocument::Rebuild(const std::wstring& text)
{
    sections_.clear();
    sectionIndex_.clear();
    keyIndex_.clear();
    hasNul_ = text.find(L'\0') != std::wstring::npos;
    // Lines before the first header belong to a nameless section, always first.
    std::uint32_t current = AddSection(std::wstring());
    const wchar_t* next = text.data();
    const wchar_t* const end = next + text.size();
    while (next < end) {
        const wchar_t* lineBegin = next;
        while (next < end && *next != L'\n' && *next != L'\r') ++next;
        const wchar_t* lineEnd = next;
        while (next < end && (*next == L'\n' || *next == L'\r')) ++next;

        const Line line = ReadLine(lineBegin, lineEnd);
        if (line.kind == Line::Blank) continue;
        if (line.kind == Line::Header) {
            current = AddSection(UpToNul(line.nameBegin, line.nameEnd));
            continue;
        }
        // A line with an empty name right after another is dropped.
        const std::vector<Key>& keys = sections_[current].keys;
        if (line.nameEnd == line.nameBegin && !keys.empty() && keys.back().name.empty()) continue;
        Key key;
        key.name = UpToNul(line.nameBegin, line.nameEnd);
        key.hasValue = line.hasValue;
        if (line.hasValue) key.value = UpToNul(line.valueBegin, line.valueEnd);
        AddKey(current, std::move(key));
    }
}

std::uint32_t ProfileDocument::AddSection(std::wstring name)
{
    const auto index = static_cast<std::uint32_t>(sections_.size());
    Section section;
    section.indexed = sectionIndex_.emplace(Folded(name), index).second;
    section.name = std::move(name);
    sections_.push_back(std::move(section));
    return index;
}

void ProfileDocument::AddKey(std::uint32_t section, Key key)
{
    Section& target = sections_[section];
    if (target.indexed)
        keyIndex_.emplace(KeySlot{section, Folded(key.name)}, static_cast<std::uint32_t>(target.keys.size()));
    target.keys.push_back(std::move(key));
}

const ProfileDocument::Section* ProfileDocument::FindSection(const std::wstring& name) const
{
    const auto found = sectionIndex_.find(Folded(name));
    return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

const ProfileDocument::Key* ProfileDocument::FindKey(const std::wstring& section, const std::wstring& key) const
{
    const auto foundSection = sectionIndex_.find(Folded(section));
    if (foundSection == sectionIndex_.end()) return nullptr;
    const auto found = keyIndex_.find(KeySlot{foundSection->second, Folded(key)});
    return found == keyIndex_.end() ? nullptr : &sections_[foundSection->second].keys[found->second];
}

std::wstring ProfileDocument::Get(const std::wstring& section, const std::wstring& key, const std::wstring& def,
                                  DWORD bufferChars) const
{
    if (bufferChars == 0) return std::wstring();
    // Trailing spaces of the default go, but one of an all-space default stays.
    std::wstring fallback = UpToNul(def);
    std::size_t keep = fallback.size();
    while (keep > 1 && fallback[keep - 1] == L' ') --keep;
    fallback.resize(keep);
    const Key* found = FindKey(Trimmed(UpToNul(section)), Trimmed(UpToNul(key)));
    return CopyEntry(found && found->hasValue ? found->value : fallback, bufferChars);
}

int ProfileDocument::GetInt(const std::wstring& section, const std::wstring& key, int def) const
{
    const std::wstring text = Get(section, key, std::wstring(), 30);
    return text.empty() ? def : static_cast<int>(PlatformNumber(text));
}

std::vector<std::wstring> ProfileDocument::Keys(const std::wstring& section, DWORD bufferChars) const
{
    std::vector<std::wstring> keys;
    // The key list takes the section name as given, untrimmed.
    const Section* found = FindSection(UpToNul(section));
    if (bufferChars < 2 || !found) return keys;
    DWORD left = bufferChars;
    for (const Key& key : found->keys) {
        if (left <= 2) break;
        if (!key.hasValue || (!key.name.empty() && key.name[0] == L';')) continue;
        const std::size_t copied = std::min<std::size_t>(key.name.size(), left - 2);
        // An empty first name reads as the end of the list: no keys at all.
        if (copied == 0 && left == bufferChars) return keys;
        if (copied > 0) keys.push_back(key.name.substr(0, copied));
        left -= static_cast<DWORD>(copied + 1);
        if (left < 2) break;
    }
    return keys;
}

std::vector<std::wstring> ProfileDocument::Sections() const
{
    std::vector<std::wstring> names;
    for (const Section& section : sections_)
        if (!section.name.empty()) names.push_back(section.name);
    return names;
}

bool ProfileDocument::Set(const std::wstring& sectionArg, const std::wstring& keyArg, const std::wstring& valueArg)
{
    const std::wstring section = UpToNul(sectionArg);
    const std::wstring key = UpToNul(keyArg);
    const std::wstring valueText = LeadingTrimmed(UpToNul(valueArg));
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(valueText)) return false;

    const Section* foundSection = FindSection(Trimmed(section));
    const Key* existing = FindKey(Trimmed(section), Trimmed(key));
    if (existing && existing->hasValue && existing->value == valueText) return true;

    // What is written, and what reading the written line gives.
    const std::wstring keyText = existing ? existing->name : LeadingTrimmed(key);
    const std::wstring nameBack = RoundTripProfileText(keyText, encoding_);
    const std::wstring valueBack = RoundTripProfileText(valueText, encoding_);
    if (HasLineBreak(nameBack) || HasLineBreak(valueBack) || nameBack.find(L'=') != std::wstring::npos) return false;
    const std::wstring lineBack = nameBack + L'=' + valueBack;
    const Line line = ReadLine(lineBack.data(), lineBack.data() + lineBack.size());
    if (line.kind != Line::Entry) return false;
    Key written;
    written.name = UpToNul(line.nameBegin, line.nameEnd);
    written.value = UpToNul(line.valueBegin, line.valueEnd);
    written.hasValue = true;

    Pending change;
    change.active = true;
    change.valueText = valueText;
    if (foundSection) {
        change.section = static_cast<std::uint32_t>(foundSection - sections_.data());
    } else {
        change.sectionText = LeadingTrimmed(section);
        const std::wstring sectionBack = RoundTripProfileText(change.sectionText, encoding_);
        if (HasLineBreak(sectionBack)) return false;
        change.newSection = true;
        change.section = AddSection(UpToNul(Trimmed(sectionBack)));
    }
    std::vector<Key>& keys = sections_[change.section].keys;
    if (existing) {
        change.key = static_cast<std::uint32_t>(existing - keys.data());
        keys[change.key].value = written.value;
        keys[change.key].hasValue = true;
    } else {
        change.newKey = true;
        change.keyText = keyText;
        change.key = static_cast<std::uint32_t>(keys.size());
        AddKey(change.section, std::move(written));
    }
    // The platform re-reads the file it wrote before this change: the texts of
    // the previous Set count as read back from then on.
    pending_ = std::move(change);
    dirty_ = true;
    holdsFirstWrite_ = false;
    if (hasNul_) {
        firstWrite_ = EncodeProfileText(Text(), encoding_);
        holdsFirstWrite_ = true;
        std::wstring text;
        encoding_ = DecodeProfileText(firstWrite_.data(), firstWrite_.size(), text);
        Rebuild(text);
        pending_ = Pending();
    }
    return true;
}

std::wstring ProfileDocument::Text() const
{
    std::wstring text;
    for (std::uint32_t s = 0; s < sections_.size(); ++s) {
        const Section& section = sections_[s];
        const bool pendingSection = pending_.active && pending_.section == s;
        const std::wstring& name = pendingSection && pending_.newSection ? pending_.sectionText : section.name;
        if (!name.empty()) {
            text += L'[';
            text += name;
            text += L"]\r\n";
        } else if (s > 0) {
            text += L"[]\r\n";
        }
        for (std::uint32_t k = 0; k < section.keys.size(); ++k) {
            const Key& key = section.keys[k];
            const bool pendingKey = pendingSection && pending_.key == k;
            text += pendingKey && pending_.newKey ? pending_.keyText : key.name;
            if (key.hasValue) {
                text += L'=';
                text += pendingKey ? pending_.valueText : key.value;
            }
            text += L"\r\n";
        }
    }
    return text;
}
