#include "platform/ProfileDocument.h"

#include "platform/ProfileSyntax.h"

#include <algorithm>

namespace {

constexpr std::size_t kMaxFileBytes = 256u * 1024u * 1024u;

}  // namespace

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
    keys_.clear();
    sectionIndex_.clear();
    keyIndex_.clear();
    hasNul_ = text.find(L'\0') != std::wstring::npos;
    std::size_t lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), L'\n'));
    if (lines == 0) lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), L'\r'));
    keys_.reserve(lines + 1);
    keyIndex_.reserve(lines + 1);
    // Lines before the first header belong to a nameless section, always first.
    std::uint32_t current = AddSection(std::wstring());
    const wchar_t* next = text.data();
    const wchar_t* const end = next + text.size();
    while (next < end) {
        const wchar_t* lineBegin = next;
        while (next < end && *next != L'\n' && *next != L'\r') ++next;
        const wchar_t* lineEnd = next;
        while (next < end && (*next == L'\n' || *next == L'\r')) ++next;

        const ProfileLine line = ReadProfileLine(lineBegin, lineEnd);
        if (line.kind == ProfileLine::Blank) continue;
        if (line.kind == ProfileLine::Header) {
            current = AddSection(UpToNul(line.nameBegin, line.nameEnd));
            continue;
        }
        // A line with an empty name right after another is dropped.
        const std::uint32_t last = sections_[current].last;
        if (line.nameEnd == line.nameBegin && last != kNone && keys_[last].name.empty()) continue;
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
    section.name = std::move(name);
    const auto [slot, added] = sectionIndex_.emplace(ProfileNameHash(section.name, 0), index);
    if (added) {
        section.indexed = true;
    } else {
        // Names that hash alike are chained; a name already there stays first.
        std::uint32_t* link = &slot->second;
        for (; *link != kNone; link = &sections_[*link].sameHash)
            if (SameProfileName(sections_[*link].name, section.name)) break;
        section.indexed = *link == kNone;
        if (section.indexed) *link = index;
    }
    sections_.push_back(std::move(section));
    return index;
}

std::uint32_t ProfileDocument::AddKey(std::uint32_t section, Key key)
{
    const auto index = static_cast<std::uint32_t>(keys_.size());
    Section& target = sections_[section];
    key.section = section;
    if (target.indexed) {
        const auto [slot, added] = keyIndex_.emplace(ProfileNameHash(key.name, section + 1), index);
        if (!added) {
            std::uint32_t* link = &slot->second;
            for (; *link != kNone; link = &keys_[*link].sameHash)
                if (keys_[*link].section == section && SameProfileName(keys_[*link].name, key.name)) break;
            if (*link == kNone) *link = index;
        }
    }
    if (target.last == kNone) target.first = index;
    else keys_[target.last].next = index;
    target.last = index;
    keys_.push_back(std::move(key));
    return index;
}

std::uint32_t ProfileDocument::FindSection(std::wstring_view name) const
{
    const auto found = sectionIndex_.find(ProfileNameHash(name, 0));
    if (found == sectionIndex_.end()) return kNone;
    std::uint32_t index = found->second;
    while (index != kNone && !SameProfileName(sections_[index].name, name)) index = sections_[index].sameHash;
    return index;
}

std::uint32_t ProfileDocument::FindKey(std::wstring_view section, std::wstring_view key) const
{
    const std::uint32_t s = FindSection(section);
    return s == kNone ? kNone : FindKeyIn(s, key);
}

std::uint32_t ProfileDocument::FindKeyIn(std::uint32_t s, std::wstring_view key) const
{
    const auto found = keyIndex_.find(ProfileNameHash(key, s + 1));
    if (found == keyIndex_.end()) return kNone;
    std::uint32_t index = found->second;
    while (index != kNone && !(keys_[index].section == s && SameProfileName(keys_[index].name, key)))
        index = keys_[index].sameHash;
    return index;
}

std::wstring ProfileDocument::Get(const std::wstring& section, const std::wstring& key, const std::wstring& def,
                                  DWORD bufferChars) const
{
    if (bufferChars == 0) return std::wstring();
    // Trailing spaces of the default go, but one of an all-space default stays.
    std::wstring_view fallback = UpToNul(def);
    std::size_t keep = fallback.size();
    while (keep > 1 && fallback[keep - 1] == L' ') --keep;
    const std::uint32_t found = FindKey(ProfileTrimmed(UpToNul(section)), ProfileTrimmed(UpToNul(key)));
    if (found != kNone && keys_[found].hasValue) return CopyProfileEntry(keys_[found].value, bufferChars);
    return CopyProfileEntry(fallback.substr(0, keep), bufferChars);
}

int ProfileDocument::GetInt(const std::wstring& section, const std::wstring& key, int def) const
{
    const std::wstring text = Get(section, key, std::wstring(), 30);
    return text.empty() ? def : static_cast<int>(ProfileNumber(text));
}

std::vector<std::wstring> ProfileDocument::Keys(const std::wstring& section, DWORD bufferChars) const
{
    std::vector<std::wstring> keys;
    // The key list takes the section name as given, untrimmed.
    const std::uint32_t found = FindSection(UpToNul(section));
    if (bufferChars < 2 || found == kNone) return keys;
    DWORD left = bufferChars;
    for (std::uint32_t k = sections_[found].first; k != kNone; k = keys_[k].next) {
        const Key& key = keys_[k];
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
    const std::wstring_view section = UpToNul(sectionArg);
    const std::wstring_view key = UpToNul(keyArg);
    const std::wstring_view valueText = ProfileLeadingTrimmed(UpToNul(valueArg));
    const std::uint32_t foundSection = FindSection(ProfileTrimmed(section));
    const std::uint32_t existing = foundSection == kNone ? kNone : FindKeyIn(foundSection, ProfileTrimmed(key));
    if (existing != kNone && keys_[existing].hasValue && keys_[existing].value == valueText) return true;

    // What is written, and what reading it back gives: the texts through the
    // file's encoding, trimmed.
    const std::wstring_view keyText = existing != kNone ? std::wstring_view(keys_[existing].name) : ProfileLeadingTrimmed(key);
    const std::wstring_view sectionText = ProfileLeadingTrimmed(section);
    const std::wstring nameBack = RoundTripProfileText(keyText, encoding_);
    const std::wstring valueBack = RoundTripProfileText(valueText, encoding_);
    const std::wstring sectionBack = foundSection == kNone ? RoundTripProfileText(sectionText, encoding_) : std::wstring();
    const std::wstring_view name = ProfileTrimmed(nameBack);
    // A line break or an "=" in the name would make other lines and keys of it
    // (after a value, only blank lines); a name opening with "[" and a "]"
    // after it, a section header.
    if (HasLineBreak(sectionBack) || HasLineBreak(nameBack) || HasLineBreak(ProfileTrimmed(valueBack)) ||
        nameBack.find(L'=') != std::wstring::npos ||
        (!name.empty() && name[0] == L'[' &&
         (nameBack.find(L']') != std::wstring::npos || valueBack.find(L']') != std::wstring::npos)))
        return false;

    // The platform re-reads the file it wrote before this change: the texts of
    // the previous Set count as read back from then on.
    pending_.active = true;
    pending_.newSection = foundSection == kNone;
    pending_.section = pending_.newSection ? AddSection(std::wstring(ProfileTrimmed(sectionBack))) : foundSection;
    pending_.sectionText.assign(sectionText);
    pending_.valueText.assign(valueText);
    pending_.newKey = existing == kNone;
    if (pending_.newKey) {
        pending_.keyText.assign(keyText);
        Key written;
        written.name.assign(name);
        written.value.assign(ProfileTrimmed(valueBack));
        written.hasValue = true;
        pending_.key = AddKey(pending_.section, std::move(written));
    } else {
        pending_.key = existing;
        keys_[existing].value.assign(ProfileTrimmed(valueBack));
        keys_[existing].hasValue = true;
    }
    dirty_ = true;
    holdsFirstWrite_ = false;
    if (hasNul_) {
        firstWrite_ = EncodeProfileText(Text(), encoding_);
        holdsFirstWrite_ = true;
        std::wstring text;
        encoding_ = DecodeProfileText(firstWrite_.data(), firstWrite_.size(), text);
        Rebuild(text);
        pending_.active = false;
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
        for (std::uint32_t k = section.first; k != kNone; k = keys_[k].next) {
            const Key& key = keys_[k];
            const bool pendingKey = pending_.active && pending_.key == k;
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
