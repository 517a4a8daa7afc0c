#include "files/sections/FileSection.h"

#include "resources/resource.h"
#include "files/elements/FileItem.h"
#include "files/run/InstallRun.h"
#include "files/engine/Refusals.h"
#include "framework/Handles.h"
#include "framework/UserInterface.h"
#include "platform/PathUtil.h"
#include "platform/ProfileDocument.h"

#include <windows.h>

#include <climits>
#include <cwchar>

namespace {

constexpr DWORD kValueChars = 256;

std::wstring TrimBlanks(const std::wstring& text)
{
    const std::size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return std::wstring();
    const std::size_t last = text.find_last_not_of(L' ');
    return text.substr(first, last - first + 1);
}

enum class EntryOutcome { Added, Skipped, Abort };

EntryOutcome Outcome(EntryAnswer refused)
{
    return refused == EntryAnswer::Abort ? EntryOutcome::Abort : EntryOutcome::Skipped;
}

// Why an entry cannot be taken as it stands, or empty. Its folder and name are
// joined to the element's destination: neither may lead elsewhere.
std::wstring Unsafe(const FileEntry& entry)
{
    // Reads stay on the medium: a file elsewhere must not reach the installation folder.
    if (!StaysBelowRoot(entry.source)) return L"reads from outside the source folder: " + entry.source;
    if (!StaysBelowRoot(entry.subfolder)) return L"leads outside its folder: " + entry.subfolder;
    // A name of dots and blanks only would name the folder or its parent.
    const bool plainName = entry.rename.find_first_of(L"\\/") == std::wstring::npos && entry.rename != L"." &&
                           StaysBelowRoot(entry.rename);
    if (!plainName)
        return L"renames to something else than a plain file name: " + entry.rename;
    return std::wstring();
}

// One key of the section: parse, filter, group, expand; asks again on Retry.
EntryOutcome ReadEntry(const SectionContext& context, const ProfileDocument& script, const std::wstring& section,
                       const std::wstring& key, CClassItem& root, CClassItem*& group)
{
    auto refuse = [&](const std::wstring& why) { return RefuseEntry(context.ui, context.run, key, section, why); };
    for (;;) {
        const ScriptValue value = ReadScriptValue(script, section, key, kValueChars);
        if (value.read.empty()) {
            context.ui.MessageId(IDS_ENTRY_EMPTY, MB_OK, key, section);
            return EntryOutcome::Skipped;
        }
        // The cut value is the start of the whole one: when it holds all five
        // fields they are the whole value's, and what follows (a comment) is not read.
        FileEntry entry;
        if (!ParseFileEntry(value.read, entry)) {
            if (FileEntry whole; value.Cut() && ParseFileEntry(value.whole, whole)) {
                const EntryAnswer answer = refuse(CutFieldText(kValueChars));
                if (answer == EntryAnswer::Retry) continue;
                return Outcome(answer);
            }
            context.ui.MessageId(IDS_ENTRY_MALFORMED, MB_OK, key, section);
            return EntryOutcome::Skipped;
        }
        if (!entry.language.empty() && LanguageNumber(entry.language) != context.uiLanguage)
            return EntryOutcome::Skipped;
        if (const std::wstring why = Unsafe(entry); !why.empty()) {
            const EntryAnswer answer = refuse(why);
            if (answer == EntryAnswer::Retry) continue;
            return Outcome(answer);
        }
        entry.subfolder = RelativeToRoot(entry.subfolder);
        if (!SameName(entry.subfolder, group->destName))
            group = root.Add(std::make_unique<CClassItem>(entry.subfolder));
        const std::size_t before = group->children.size();
        const int added = ExpandSource(context.sourceDir, entry.source, group->children, context.scanned);
        if (added == 0) {
            const int answer = context.ui.MessageId(IDS_ENTRY_FILE_MISSING, MB_ABORTRETRYIGNORE | MB_ICONERROR, key, section);
            if (answer == IDABORT) return EntryOutcome::Abort;
            if (answer == IDRETRY) continue;
            // Ignored, but the file is still not installed.
            const std::wstring file = JoinPath(context.sourceDir, entry.source);
            context.run.Refuse(L"entry " + key + L" in section [" + section + L"]: its file " + file +
                               L" is not on the medium: not installed");
            context.run.NotInstalled(file + L" (not on the medium; entry " + key + L" in section [" + section + L"])");
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
    const int value = DecimalValue(text);
    return value == INT_MAX || value == INT_MIN ? 0 : value;  // out of range counts as no number
}

bool ReadFileSection(const SectionContext& context, const std::wstring& scriptPath, const std::wstring& section,
                     CClassItem& root)
{
    CClassItem* group = &root;  // the current group starts as the root, name empty
    // Read once, as the platform reads it: one search of the file per entry
    // would make a section of thousands of entries take seconds.
    ProfileDocument script;
    script.Load(scriptPath);
    for (const std::wstring& key : script.Keys(section)) {
        if (ReadEntry(context, script, section, key, root, group) == EntryOutcome::Abort) return false;
    }
    return true;
}
