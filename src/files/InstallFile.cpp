#include "files/InstallFile.h"

#include "resources/resource.h"
#include "files/CopyLog.h"
#include "files/InstallRun.h"
#include "files/OldFileAside.h"
#include "files/UninstallLog.h"
#include "files/VersionCompare.h"
#include "framework/Handles.h"
#include "framework/UserInterface.h"
#include "platform/PathUtil.h"
#include "platform/SystemInfo.h"

#include <windows.h>

#include <cwchar>

namespace {

std::wstring Decimal(long long value)
{
    return std::to_wstring(value);
}

// Attributes and dates of a file in one call (a directory search costs more, and
// the paths here never hold wildcards).
bool Find(const std::wstring& path, WIN32_FILE_ATTRIBUTE_DATA& data)
{
    return ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) != FALSE;
}

// Step "Old file must (eventually) be deleted": 0 to go on with the copy, else
// the result bits to return. The old file is set aside rather than deleted, so
// a failed copy loses nothing.
unsigned ClearDestination(InstallRun& run, const std::wstring& dest, OldFileAside& aside)
{
    CopyLogWrite(run, L"\t\tOld file must (eventually) be deleted... ");
    const DWORD attributes = ::GetFileAttributesW(dest.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        ::SetFileAttributesW(dest.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        CopyLogWrite(run, L"File is prepered for delete... ");
    }
    const DWORD error = aside.MoveAway(dest, attributes);
    if (error == 0 || error == ERROR_FILE_NOT_FOUND) return 0;

    // The old file stays as it was.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        ::SetFileAttributesW(dest.c_str(), attributes);
    CopyLogWrite(run, L" **Failed. Error code " + Decimal(static_cast<int>(error)) + L"\n");
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_SYSTEM)) {
        CopyLogWrite(run, L"\t\tSystem attribute on file.. Assuming file in use...\n");
        return kVifFileInUse;
    }
    CopyLogWrite(run, L"\t\t**Aborting operation du to error.\n");
    switch (error) {
    case ERROR_PATH_NOT_FOUND: case ERROR_TOO_MANY_OPEN_FILES: case ERROR_OUTOFMEMORY: case ERROR_NO_MORE_FILES:
    case ERROR_NETWORK_BUSY:
        return kVifCannotDelete;
    case ERROR_ACCESS_DENIED: case ERROR_SHARING_VIOLATION:
        return kVifCannotDelete | kVifFileInUse;
    default:
        return 0;  // CopyFileW decides
    }
}

unsigned CopyOver(InstallRun& run, const std::wstring& source, const std::wstring& dest, bool quiet)
{
    if (run.copyFile(source.c_str(), dest.c_str(), FALSE)) {
        const DWORD attributes = ::GetFileAttributesW(dest.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
            ::SetFileAttributesW(dest.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        CopyLogWrite(run, L"\t\tFile installed OK.\n");
        return 0;
    }
    const DWORD error = ::GetLastError();
    const std::wstring text = source + L" --> " + dest + L"\r\nCopy failed.";
    FlushCopyLog(run);
    if (!quiet) run.ui.Message(text, MB_OK);
    CopyLogWrite(run, L"\t\t" + text + L" Error code " + Decimal(static_cast<int>(error)) + L"\n");
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        return kVifCannotReadSrc;
    case ERROR_ACCESS_DENIED:
        return kVifAccessViolation;
    case ERROR_SHARING_VIOLATION:
        return kVifSharingViolation | kVifFileInUse;
    default:
        return kVifCannotCreate;
    }
}

// "C:\Windows" holds "C:\Windows\x" but not "C:\WindowsApps\x".
bool InsideFolder(const std::wstring& path, const std::wstring& folder)
{
    if (folder.empty() || path.size() < folder.size()) return false;
    if (::CompareStringOrdinal(path.c_str(), static_cast<int>(folder.size()), folder.c_str(),
                               static_cast<int>(folder.size()), TRUE) != CSTR_EQUAL)
        return false;
    return path.size() == folder.size() || folder.back() == L'\\' || path[folder.size()] == L'\\';
}

std::wstring NextTempName(InstallRun& run, const std::wstring& dest)
{
    wchar_t number[16] = {};
    std::swprintf(number, 16, L"%03u", run.tempNumber++);
    return ReplaceExtension(dest, number);
}

// The destination is in use: copy under a temporary name and have it replace
// the destination at the next start. True when that is arranged.
bool ReplaceAtRestart(InstallRun& run, const std::wstring& source, const std::wstring& dest, bool quiet)
{
    CopyLogWrite(run, L"\tFile is in use... ");
    const std::wstring temp = NextTempName(run, dest);
    // Scheduling a copy that is not there would report a failure as success.
    const bool copied = MyVerInstallFile(run, true, source, temp, quiet) == 0;
    switch (run.systemKind) {
    case SystemKind::NtFamily:
        if (copied &&
            run.moveFile(temp.c_str(), dest.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT)) {
            CopyLogWrite(run, L"NT: MoveFileEx() OK\n");
            run.restartNeeded = true;
            return true;
        }
        CopyLogWrite(run, L"NT: ***MoveFileEx() failed!\n");
        return false;
    case SystemKind::Win95Family:
        if (copied && ScheduleReplaceAtBoot(run, temp, dest)) {
            run.restartNeeded = true;
            CopyLogWrite(run, L"Win95: Scheduled replace at boot OK\n");
            return true;
        }
        return false;
    case SystemKind::Old16BitHost:
        CopyLogWrite(run, L"*** Dont know how to install shared files on this system. Shared files will not be installed. "
                     L"if they are in use by Windows.\n");
        return false;
    }
    return false;
}

void RecordInstalled(InstallRun& run, const std::wstring& dest, UninstallLog* packageLog)
{
    UninstallLog* runLog = run.RunLog();
    if (runLog && !InsideFolder(dest, run.windowsFolder)) runLog->WriteFile(dest);
    // The package log lists every file of its package, run log or not.
    if (packageLog && packageLog->IsOpen()) packageLog->WriteFile(dest);
}

}  // namespace

unsigned MyVerInstallFile(InstallRun& run, bool force, const std::wstring& source, const std::wstring& dest, bool quiet)
{
    CopyLogBatch batch(run);
    CopyLogWrite(run, L"\t  MyVerInstallFile(" + source + L" --> " + dest + L")\n");
    WIN32_FILE_ATTRIBUTE_DATA sourceData{};
    if (!Find(source, sourceData)) {
        CopyLogWrite(run, L"\t\t**VIF_CANNOTREADSRC\n");
        return kVifCannotReadSrc;
    }
    CopyLogWrite(run, L"\t\tSrc exist.\n");
    WIN32_FILE_ATTRIBUTE_DATA destData{};
    const bool destExists = Find(dest, destData);
    if (destExists) CopyLogWrite(run, L"\t\tDst exist\n");

    if (!force && destExists) {
        CopyLogWrite(run, L"\t\tDst exist\n");
        CompareOutcome outcome = CompareForInstall(run, source, dest, sourceData.ftLastWriteTime, destData.ftLastWriteTime);
        if (outcome.verdict == CompareVerdict::Done) return outcome.result;
    }

    CopyLogWrite(run, L"\t\tPrepering for copy...\n");
    OldFileAside aside(run);  // put back unless the copy succeeds
    if (destExists) {
        if (unsigned result = ClearDestination(run, dest, aside)) return result;
    }
    const unsigned result = CopyOver(run, source, dest, quiet);
    if (result == 0) aside.Discard();
    return result;
}

int InstallFile(InstallRun& run, const std::wstring& source, const std::wstring& dest, UninstallLog* packageLog, bool quiet)
{
    CopyLogBatch batch(run);
    unsigned r = MyVerInstallFile(run, false, source, dest, quiet);
    CopyLogWrite(run, L"\tMyVerInstallFile() returned " + Decimal(static_cast<int>(r)) + L"\n");
    if (r & kVifSrcOld) {
        CopyLogWrite(run, L"\tTarget is newer than the install file.\n");
        if (r & kVifMismatch) {
            CopyLogWrite(run, L"\tskipping file.\n");
            return 1;
        }
    }
    if (r != 0) {
        CopyLogWrite(run, L"\tTrying to force installation...\n");
        r = MyVerInstallFile(run, true, source, dest, quiet);
    }

    if (r & kVifFileInUse) {
        if (!ReplaceAtRestart(run, source, dest, quiet)) {
            // Retry asks again until the file goes in or the user gives up.
            for (;;) {
                FlushCopyLog(run);
                const int answer =
                    quiet ? IDIGNORE : run.ui.MessageId(IDS_FILE_IN_USE, MB_ABORTRETRYIGNORE | MB_ICONWARNING, dest);
                if (answer == IDABORT) return -1;
                if (answer != IDRETRY) break;
                if (MyVerInstallFile(run, true, source, dest, quiet) == 0) break;
            }
        }
    } else if (r != 0) {
        const std::wstring text =
            L"Failed to install file: " + source + L" --> " + dest + L"\r\nFlags = " + VifFlagNames(r);
        FlushCopyLog(run);
        const bool cancelled = !quiet && run.ui.Message(text, MB_OKCANCEL) == IDCANCEL;
        CopyLogWrite(run, text + L"\n");
        return cancelled ? -1 : 0;
    }

    CopyLogWrite(run, L"\tFile is installed or scheduled OK\n");
    RecordInstalled(run, dest, packageLog);
    return 1;
}

std::wstring VifFlagNames(unsigned flags)
{
    static const struct {
        unsigned bit;
        const wchar_t* name;
    } kNames[] = {
        {kVifTempFile, L"VIF_TEMPFILE"},
        {kVifMismatch, L"VIF_MISMATCH"},
        {kVifSrcOld, L"VIF_SRCOLD"},
        {kVifDiffLang, L"VIF_DIFFLANG"},
        {kVifDiffCodePg, L"VIF_DIFFCODEPG"},
        {kVifDiffType, L"VIF_DIFFTYPE"},
        {kVifWriteProt, L"VIF_WRITEPROT"},
        {kVifFileInUse, L"VIF_FILEINUSE"},
        {kVifOutOfSpace, L"VIF_OUTOFSPACE"},
        {kVifAccessViolation, L"VIF_ACCESSVIOLATION"},
        {kVifSharingViolation, L"VIF_SHARINGVIOLATION"},
        {kVifCannotCreate, L"VIF_CANNOTCREATE"},
        {kVifCannotDelete, L"VIF_CANNOTDELETE"},
        {kVifCannotDeleteCur, L"VIF_CANNOTDELETECUR"},
        {kVifCannotRename, L"VIF_CANNOTRENAME"},
        {kVifOutOfMemory, L"VIF_OUTOFMEMORY"},
        {kVifCannotReadSrc, L"VIF_CANNOTREADSRC"},
        {kVifBuffTooSmall, L"VIF_BUFFTOOSMALL"},
        {kVifCannotReadDst, L"VIF_CANNOTREADDST"},
    };
    std::wstring names;
    for (const auto& entry : kNames)
        if (flags & entry.bit) names += entry.name;
    return names;
}
