#include "files/Refusals.h"

#include "files/InstElement.h"
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

bool ReadWholeValue(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                    unsigned long bufferChars, std::wstring& value, std::wstring& why)
{
    // One character more than the buffer holds tells a value that does not fit.
    value = ReadProfileText(file, section, key, bufferChars + 1);
    if (value.size() < bufferChars) return true;
    why = L"is longer than " + std::to_wstring(bufferChars - 1) + L" characters";
    value.clear();
    return false;
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

void FailElement(InstallRun& run, CInstElement& element, const std::wstring& why)
{
    run.Refuse(why);
    if (element.failure.empty()) element.failure = why;
}

std::wstring ElementName(const CInstElement& element)
{
    return element.package ? element.package->name : element.displayName;
}

std::wstring ErrorSuffix(unsigned long error)
{
    return error ? L" (error " + std::to_wstring(error) + L")" : std::wstring();
}
