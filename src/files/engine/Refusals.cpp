#include "files/engine/Refusals.h"

#include "files/elements/InstElement.h"
#include "files/run/InstallRun.h"
#include "framework/UserInterface.h"
#include "platform/ProfileDocument.h"

#include <windows.h>

EntryAnswer RefuseEntry(fw::UserInterface& ui, InstallRun& run, const std::wstring& key, const std::wstring& section,
                        const std::wstring& why)
{
    // Fixed English text: these refusals have no entry of the string tables.
    const std::wstring text = L"The entry " + key + L" in section [" + section + L"] " + why +
                              L".\r\nIt is not installed.";
    const int answer = ui.Message(text, MB_ABORTRETRYIGNORE | MB_ICONERROR);
    if (answer == IDRETRY) return EntryAnswer::Retry;
    run.Refuse(L"entry " + key + L" in section [" + section + L"] " + why);
    return answer == IDABORT ? EntryAnswer::Abort : EntryAnswer::Skip;
}

ScriptValue ReadScriptValue(const ProfileDocument& script, const std::wstring& section, const std::wstring& key,
                            unsigned long bufferChars)
{
    ScriptValue value;
    value.read = script.Get(section, key, std::wstring(), bufferChars);
    value.whole = value.read;
    // Only a value that fills the buffer may have been cut: read again into larger ones.
    if (value.read.size() + 1 >= bufferChars) {
        for (DWORD chars = 1024;; chars *= 2) {
            value.whole = script.Get(section, key, std::wstring(), chars);
            if (value.whole.size() + 1 < chars || chars >= (1u << 25)) break;
        }
    }
    return value;
}

std::wstring CutFieldText(unsigned long bufferChars)
{
    return L"is longer than " + std::to_wstring(bufferChars - 1) +
           L" characters, and a field it gives lies beyond them";
}

std::wstring RefuseFolderLink(InstallRun& run, const std::wstring& what, const std::wstring& link, bool quiet)
{
    if (!quiet)
        run.ui.Message(L"The folder " + link + L" is a link to another place.\r\n" + what +
                           L" is not written or deleted through it.",
                       MB_OK | MB_ICONERROR);
    const std::wstring why = what + L": the folder " + link + L" is a folder link";
    run.Refuse(why);
    return why;
}

void FailElement(InstallRun& run, CInstElement& element, const PackageOutcome& outcome)
{
    run.Refuse(OutcomeLogLine(element, outcome));
    if (!element.outcome.LeftOut()) element.outcome = outcome;
}

std::wstring ElementName(const CInstElement& element)
{
    return element.package ? element.package->name : element.displayName;
}

std::wstring LinkedFileText(const std::wstring& what, const std::wstring& path, FileLink link)
{
    return what + L" " + path + L" is not written: " + FileLinkText(link);
}

std::wstring RefuseLinkedFile(InstallRun& run, const std::wstring& what, const std::wstring& path, FileLink link)
{
    const std::wstring why = LinkedFileText(what, path, link);
    run.Refuse(why);
    return why;
}
