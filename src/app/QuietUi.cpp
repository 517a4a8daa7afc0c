#include "app/QuietUi.h"

#include "app/SetupLog.h"

namespace {

const wchar_t* AnswerName(int answer)
{
    switch (answer) {
    case IDOK: return L"OK";
    case IDCANCEL: return L"Cancel";
    case IDABORT: return L"Abort";
    case IDRETRY: return L"Retry";
    case IDIGNORE: return L"Ignore";
    case IDYES: return L"Yes";
    case IDNO: return L"No";
    default: return L"?";
    }
}

}  // namespace

int QuietUi::DefaultAnswer(UINT flags)
{
    switch (flags & MB_TYPEMASK) {
    case MB_ABORTRETRYIGNORE: return IDIGNORE;
    case MB_YESNO:
    case MB_YESNOCANCEL: return IDNO;
    case MB_RETRYCANCEL: return IDCANCEL;
    default: return IDOK;  // OK, and OK/Cancel: go on as the copy engine's quiet path does
    }
}

int QuietUi::ShowMessage(UINT, const std::wstring& text, UINT flags, const std::wstring&)
{
    const int answer = DefaultAnswer(flags);
    log_.Write(L"message: " + text + L" -> " + AnswerName(answer));
    return answer;
}

void QuietUi::BeginProgress(int total)
{
    shown_.UseResources(Resources());
    shown_.BeginProgress(total);
}

void QuietUi::ShowProgressFile(const std::wstring& source, const std::wstring& dest)
{
    shown_.ShowProgressFile(source, dest);
}

void QuietUi::StepProgress()
{
    shown_.StepProgress();
}

bool QuietUi::ProgressCancelled()
{
    return shown_.ProgressCancelled();
}

void QuietUi::EndProgress()
{
    shown_.EndProgress();
}

int QuietUi::AskReplaceOldData(const std::wstring& packageName, const std::wstring& folder, bool, bool& applyToAll)
{
    applyToAll = false;
    log_.Write(L"question: replace the old data of " + packageName + L" in " + folder +
               L"? -> No (the old data is kept, the package is not installed)");
    return IDNO;
}

void QuietUi::Page(const wchar_t* name)
{
    log_.Write(std::wstring(L"page not shown in a quiet run: ") + name);
}

int QuietUi::ChooseLanguage(const std::wstring&, int&)
{
    Page(L"language");
    return IDCANCEL;
}

int QuietUi::ShowOptionsPage(InstallRun&, std::wstring&, const std::wstring&, const std::wstring&, CIEArray&,
                             const FileList&)
{
    Page(L"options");
    return IDCANCEL;
}

bool QuietUi::BrowseForFolder(std::wstring&, const std::wstring&)
{
    Page(L"folder browser");
    return false;
}

int QuietUi::EditPath(InstallRun&, CIEArray&, const FileList&, std::size_t, const std::wstring&, std::wstring&)
{
    Page(L"path");
    return IDCANCEL;
}

int QuietUi::ShowDotNetMissing(const std::wstring& versionText, const std::wstring& downloadUrl)
{
    log_.Write(L"prompt: .NET Framework " + versionText + L" is missing (" + downloadUrl + L") -> Cancel");
    return IDCANCEL;
}
