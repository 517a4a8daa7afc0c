#include "files/Refusals.h"

#include "files/InstallRun.h"
#include "framework/UserInterface.h"
#include "platform/Profile.h"

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

ScriptValue ReadScriptValue(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                            unsigned long bufferChars)
{
    ScriptValue value;
    value.read = ReadProfileText(file, section, key, bufferChars);
    // Only a value that fills the buffer may have been cut.
    value.whole = value.read.size() + 1 < bufferChars ? value.read : ReadWholeProfileText(file, section, key);
    return value;
}

std::wstring CutFieldText(unsigned long bufferChars)
{
    return L"is longer than " + std::to_wstring(bufferChars - 1) +
           L" characters, and a field it gives lies beyond them";
}

void RefuseFolderLink(InstallRun& run, const std::wstring& what, const std::wstring& link, bool quiet)
{
    if (!quiet)
        run.ui.Message(L"The folder " + link + L" is a link to another place.\r\n" + what +
                           L" is not written or deleted through it.",
                       MB_OK | MB_ICONERROR);
    run.Refuse(what + L": the folder " + link + L" is a folder link");
}

void RefuseLinkedFile(InstallRun& run, const std::wstring& what, const std::wstring& path, FileLink link)
{
    run.Refuse(what + L" " + path + L" is not written: " + FileLinkText(link));
}
