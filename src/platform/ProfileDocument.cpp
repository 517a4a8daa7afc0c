#include "platform/ProfileDocument.h"

#include "platform/ProfileSyntax.h"

#include <algorithm>

namespace {

// The line break most lines of text end with; CR LF when it has none.
std::wstring LineBreakOf(std::wstring_view text)
{
    std::size_t crlf = 0, lf = 0, cr = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n') ++lf;
        if (text[i] != L'\r') continue;
        if (i + 1 < text.size() && text[i + 1] == L'\n') {
            ++crlf;
            ++i;
        } else {
            ++cr;
        }
    }
    if (crlf >= lf && crlf >= cr) return L"\r\n";
    return lf >= cr ? L"\n" : L"\r";
}

}  // namespace

ProfileDocument::ProfileDocument(ProfileSaveCalls calls) : calls_(calls)
{
    Rebuild(std::wstring());
}

bool ProfileDocument::Parse(const void* bytes, std::size_t size)
{
    const bool fits = size <= kMaxFileBytes;
    Adopt(fits && size > 0 ? std::string(static_cast<const char*>(bytes), size) : std::string());
    return fits;
}

bool ProfileDocument::Adopt(std::string bytes)
{
    const bool fits = bytes.size() <= kMaxFileBytes;
    if (!fits) std::string().swap(bytes);
    // What the document held goes before the new text is read: an administration
    // file of thousands of packages is never held twice over.
    keys_ = std::deque<Key>();
    sections_ = std::vector<Section>();
    keyIndex_ = decltype(keyIndex_)();
    sectionIndex_ = decltype(sectionIndex_)();
    lines_ = std::vector<ProfileLineSpan>();
    std::string().swap(bytes_);
    std::wstring text;
    encoding_ = bytes.empty() ? ProfileEncoding::Ansi : DecodeProfileText(bytes.data(), bytes.size(), text);
    bytes_ = std::move(bytes);
    const std::size_t lines = Rebuild(text);
    lines_ = ProfileLineSpans(bytes_, encoding_);
    if (lines_.size() != lines) {
        // A code page that reads a line break where its bytes hold none (or the
        // other way round): the lines are kept as the text they read as.
        bytes_ = EncodeProfileText(text, encoding_);
        lines_ = ProfileLineSpans(bytes_, encoding_);
    }
    newline_ = LineBreakOf(text);
    dirty_ = false;
    pending_ = Pending();
    return fits;
}

std::size_t ProfileDocument::Rebuild(const std::wstring& text)
{
    sections_.clear();
    keys_.clear();
    sectionIndex_.clear();
    keyIndex_.clear();
    std::size_t lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), L'\n'));
    if (lines == 0) lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), L'\r'));
    keyIndex_.reserve(lines + 1);
    // Lines before the first header belong to a nameless section, always first.
    std::uint32_t current = AddSection(std::wstring());
    std::uint32_t index = 0;  // of the line, counting lines that are not empty
    const wchar_t* next = text.data();
    const wchar_t* const end = next + text.size();
    for (; next < end; ++index) {
        while (next < end && (*next == L'\n' || *next == L'\r')) ++next;
        if (next == end) break;
        const wchar_t* lineBegin = next;
        while (next < end && *next != L'\n' && *next != L'\r') ++next;

        const ProfileLine line = ReadProfileLine(lineBegin, next);
        if (line.kind == ProfileLine::Blank) continue;
        if (line.kind == ProfileLine::Header) {
            current = AddSection(UpToNul(line.nameBegin, line.nameEnd));
            sections_[current].anchor = index;
            continue;
        }
        if (line.nameBegin[0] != L';') sections_[current].anchor = index;
        // A line with an empty name right after another is dropped.
        const std::uint32_t last = sections_[current].last;
        if (line.nameEnd == line.nameBegin && last != kNone && keys_[last].name.empty()) continue;
        Key key;
        key.name = UpToNul(line.nameBegin, line.nameEnd);
        key.hasValue = line.hasValue;
        if (line.hasValue) key.value = UpToNul(line.valueBegin, line.valueEnd);
        key.line = index;
        AddKey(current, std::move(key));
    }
    return index;
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

std::vector<std::wstring> ProfileDocument::Keys(const std::wstring& section) const
{
    std::vector<std::wstring> keys;
    // The key list takes the section name as given, untrimmed.
    const std::uint32_t found = FindSection(UpToNul(section));
    if (found == kNone) return keys;
    bool first = true;
    for (std::uint32_t k = sections_[found].first; k != kNone; k = keys_[k].next) {
        const Key& key = keys_[k];
        if (!key.hasValue || (!key.name.empty() && key.name[0] == L';')) continue;
        // An empty first name reads as the end of the list: no keys at all.
        if (key.name.empty() && first) return keys;
        first = false;
        if (!key.name.empty()) keys.push_back(key.name);
    }
    return keys;
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
        written.changed = true;
        pending_.key = AddKey(pending_.section, std::move(written));
    } else {
        pending_.key = existing;
        keys_[existing].value.assign(ProfileTrimmed(valueBack));
        keys_[existing].hasValue = true;
        keys_[existing].changed = true;
    }
    sections_[pending_.section].added = sections_[pending_.section].added || pending_.newSection;
    dirty_ = true;
    return true;
}

std::wstring ProfileDocument::KeyLine(std::uint32_t k) const
{
    const Key& key = keys_[k];
    const bool pendingKey = pending_.active && pending_.key == k;
    std::wstring line = pendingKey && pending_.newKey ? pending_.keyText : key.name;
    line += L'=';
    line += pendingKey ? pending_.valueText : key.value;
    return line;
}

std::wstring ProfileDocument::NewKeyLines(std::uint32_t s) const
{
    std::wstring lines;
    for (std::uint32_t k = sections_[s].first; k != kNone; k = keys_[k].next) {
        if (keys_[k].line != kNone) continue;
        lines += KeyLine(k);
        lines += newline_;
    }
    return lines;
}

void ProfileDocument::AppendText(std::string& bytes, const std::wstring& text) const
{
    // An odd last byte of a UTF-16 file reads as the character 0x00nn; it becomes
    // that whole character before more text follows it.
    const bool wide = encoding_ == ProfileEncoding::Utf16Le || encoding_ == ProfileEncoding::Utf16Be;
    if (wide && bytes.size() % 2) bytes.insert(encoding_ == ProfileEncoding::Utf16Le ? bytes.end() : bytes.end() - 1, '\0');
    bytes += EncodeProfileText(text, encoding_, false);
}

std::string ProfileDocument::Compose() const
{
    std::vector<std::uint32_t> keyAt(lines_.size(), kNone);      // the changed key of a line
    std::vector<std::uint32_t> sectionAt(lines_.size(), kNone);  // the section whose new keys follow a line
    bool first = false;  // new keys of the nameless section go first
    bool added = false;
    for (std::uint32_t k = 0; k < keys_.size(); ++k)
        if (keys_[k].changed && keys_[k].line != kNone) keyAt[keys_[k].line] = k;
    for (std::uint32_t s = 0; s < sections_.size(); ++s) {
        const Section& section = sections_[s];
        added = added || section.added;
        if (section.added || section.last == kNone || keys_[section.last].line != kNone) continue;
        if (section.anchor == kNone) first = true;
        else sectionAt[section.anchor] = s;
    }

    const std::size_t mark = std::min(ProfileMarkSize(encoding_), bytes_.size());
    std::string bytes = bytes_.substr(0, mark);
    if (first) AppendText(bytes, NewKeyLines(0));
    std::size_t copied = mark;  // bytes_ is in bytes up to here
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const ProfileLineSpan& line = lines_[i];
        bytes.append(bytes_, copied, line.begin - copied);
        if (keyAt[i] != kNone) AppendText(bytes, KeyLine(keyAt[i]));
        else bytes.append(bytes_, line.begin, line.end - line.begin);
        copied = line.end;
        if (sectionAt[i] == kNone) continue;
        copied = ProfileBreakEnd(bytes_, line.end, encoding_);
        bytes.append(bytes_, line.end, copied - line.end);
        AppendText(bytes, (copied == line.end ? newline_ : std::wstring()) + NewKeyLines(sectionAt[i]));
    }
    bytes.append(bytes_, copied, std::string::npos);
    if (!added) return bytes;

    // New sections at the end, on a line of their own, each encoded as it is
    // made: the text of thousands of new sections is never held twice over.
    const bool open = !lines_.empty() && lines_.back().end == bytes_.size() && sectionAt.back() == kNone;
    if (open) AppendText(bytes, newline_);
    for (std::uint32_t s = 0; s < sections_.size(); ++s) {
        if (!sections_[s].added) continue;
        const bool pendingSection = pending_.active && pending_.section == s && pending_.newSection;
        std::wstring text = L"[";
        text += pendingSection ? pending_.sectionText : sections_[s].name;
        text += L']';
        text += newline_;
        text += NewKeyLines(s);
        AppendText(bytes, text);
    }
    return bytes;
}
