#include "files/engine/InstallFile.h"

#include "resources/resource.h"
#include "files/run/InstallRun.h"
#include "files/engine/NewCopy.h"
#include "files/engine/OldFileAside.h"
#include "files/engine/Refusals.h"
#include "files/engine/ReplaceAtBoot.h"
#include "files/source/SourceFile.h"
#include "files/logs/UninstallLog.h"
#include "files/engine/VersionCompare.h"
#include "framework/Handles.h"
#include "framework/UserInterface.h"
#include "platform/AnsiNames.h"
#include "platform/FolderLinks.h"
#include "platform/PathUtil.h"
#include "platform/SystemInfo.h"

#include <windows.h>

#include <cwchar>

// The copy log's lines are read by other tools letter for letter, odd spellings
// included: "Prepering", "du to", "Dont know how", and "Dst exist" written twice
// for a destination that is compared. Do not correct them; the tests hold them.

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

// A file written to its destination, for the run's totals.
void CountCopied(InstallRun& run, const WIN32_FILE_ATTRIBUTE_DATA& sourceData)
{
    ++run.totals.copied;
    run.totals.bytesCopied += (static_cast<unsigned long long>(sourceData.nFileSizeHigh) << 32) | sourceData.nFileSizeLow;
}

bool IsReadOnly(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// The copy failed with error: the message, the log line and the result bits.
unsigned CopyFailed(InstallRun& run, const std::wstring& source, const std::wstring& dest, DWORD error, bool quiet)
{
    const std::wstring text = source + L" --> " + dest + L"\r\nCopy failed.";
    run.copyLog.Flush();
    if (!quiet) run.ui.Message(text, MB_OK);
    run.copyLog.Write(L"\t\t" + text + L" Error code " + Decimal(static_cast<int>(error)) + L"\n");
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

// Copies source to dest (overwriting): 0, or the result bits of the failure.
unsigned CopyOver(InstallRun& run, const std::wstring& source, const std::wstring& dest, DWORD sourceAttributes,
                  bool quiet)
{
    if (!run.copyFile(source.c_str(), dest.c_str(), FALSE)) return CopyFailed(run, source, dest, ::GetLastError(), quiet);
    ClearReadOnly(dest, sourceAttributes);  // the copy has the source's attributes; an installed file is left writable
    return 0;
}

// The old file could not be got out of the way (error, never "not found"):
// the result bits. A plain copy over it could leave it half-written, so the
// old file stays whole and the new one is not installed, whatever the error.
unsigned OldFileStays(InstallRun& run, DWORD error, DWORD attributes)
{
    run.copyLog.Write(L" **Failed. Error code " + Decimal(static_cast<int>(error)) + L"\n");
    if (attributes & FILE_ATTRIBUTE_SYSTEM) {
        run.copyLog.Write(L"\t\tSystem attribute on file.. Assuming file in use...\n");
        return kVifFileInUse;
    }
    run.copyLog.Write(L"\t\t**Aborting operation du to error.\n");
    switch (error) {
    case ERROR_PATH_NOT_FOUND: case ERROR_TOO_MANY_OPEN_FILES: case ERROR_OUTOFMEMORY: case ERROR_NO_MORE_FILES:
    case ERROR_NETWORK_BUSY:
        return kVifCannotDelete;
    case ERROR_ACCESS_DENIED: case ERROR_SHARING_VIOLATION:
        return kVifCannotDelete | kVifFileInUse;
    default:
        return kVifCannotDelete;
    }
}

// The old file is aside and must go back, since the copy failed with
// copyError, which is reported as the copy's failure. An old file that cannot
// go back is named in the copy log, and the file counts as not installed.
unsigned PutBack(InstallRun& run, OldFileAside& aside, const std::wstring& source, const std::wstring& dest,
                 DWORD copyError, DWORD attributes, bool quiet)
{
    const std::wstring asidePath = aside.AsidePath();
    if (const DWORD error = aside.Restore()) {
        run.copyLog.Write(L"\t\t**Failed to put the old file back from " + asidePath + L". Error code " +
                              Decimal(static_cast<int>(error)) + L"\n");
        return CopyFailed(run, source, dest, copyError, quiet) | kVifCannotRename;
    }
    if (IsReadOnly(attributes)) ::SetFileAttributesW(dest.c_str(), attributes);
    return CopyFailed(run, source, dest, copyError, quiet);
}

// Step "Old file must (eventually) be deleted", with the copy, for an existing
// destination. The new file is copied beside the old one and renamed over it,
// so the old file stays whole until the new one is complete; where the old
// file cannot be replaced (a running program, a loaded library), it is set
// aside and the copy takes its place. Results and log lines are those of
// "delete the old file, then copy it": a failure to get the old file out of
// the way is reported as the delete's, before any copy; a failed copy as the
// copy's, the old file left as it was. A destination that already is the
// source is left in place (writable). 0: the new file is in place.
unsigned ReplaceExisting(InstallRun& run, SourceFile& sourceFile, const std::wstring& dest,
                         const WIN32_FILE_ATTRIBUTE_DATA& sourceData, const WIN32_FILE_ATTRIBUTE_DATA& destData, bool quiet)
{
    const DWORD attributes = destData.dwFileAttributes;
    const std::wstring& source = sourceFile.Path();
    run.copyLog.Write(L"\t\tOld file must (eventually) be deleted... ");
    if (IsReadOnly(attributes)) {
        ::SetFileAttributesW(dest.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        run.copyLog.Write(L"File is prepered for delete... ");
    }
    auto stays = [&](DWORD error) -> unsigned {
        const unsigned result = OldFileStays(run, error, attributes);
        if (IsReadOnly(attributes)) ::SetFileAttributesW(dest.c_str(), attributes);
        return result;
    };
    // A folder is never moved or replaced, and no restart would make way for the
    // file either: not in use, just in the way.
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        run.copyLog.Write(L" **Failed. Error code " + Decimal(ERROR_ACCESS_DENIED) + L"\n\t\tA folder has this name.\n");
        return kVifCannotDelete | kVifAccessViolation;
    }
    if (AlreadyInPlace(sourceFile, dest, sourceData, destData)) {
        ++run.totals.inPlace;
        return 0;
    }

    NewCopy copy;
    OldFileAside aside(run);
    DWORD copyError = copy.Make(run, sourceFile, dest, sourceData);
    if (copyError == 0) {
        if (copy.MoveTo(run, dest, true)) return 0;
        // Replacing failed: a file in use may still be renamed.
        const DWORD error = aside.MoveAway(dest);
        if (error == ERROR_FILE_NOT_FOUND) {  // gone meanwhile: the copy takes the free place
            if (copy.MoveTo(run, dest, false)) return 0;
            return CopyFailed(run, source, dest, ::GetLastError(), quiet);
        }
        if (error) return stays(error);
        if (copy.MoveTo(run, dest, false)) {
            aside.Discard();
            return 0;
        }
        copyError = ::GetLastError();
        return PutBack(run, aside, source, dest, copyError, attributes, quiet);
    }
    // The copy failed. Would the old file have made way for it? If not, that is
    // what is reported, as when it was deleted first.
    const DWORD error = aside.MoveAway(dest);
    if (error == ERROR_FILE_NOT_FOUND) return CopyFailed(run, source, dest, copyError, quiet);
    if (error) return stays(error);
    return PutBack(run, aside, source, dest, copyError, attributes, quiet);
}

constexpr unsigned kTempNamesTried = 1000;

std::wstring NextTempName(InstallRun& run, const std::wstring& dest)
{
    wchar_t number[16] = {};
    std::swprintf(number, 16, L"%03u", run.tempNumber++);
    return ReplaceExtension(dest, number);
}

// Copies source under the next free temporary name beside dest. Each name is
// taken by a create that fails when it exists, so nothing already there (a
// user's "readme.000") is written over; the copy log reads as for a fresh copy.
// The name, or empty when no copy was made.
std::wstring CopyToTempName(InstallRun& run, const std::wstring& source, const std::wstring& dest, bool quiet)
{
    WIN32_FILE_ATTRIBUTE_DATA sourceData{};
    const bool found = Find(source, sourceData);
    SourceFile sourceFile(source);
    for (unsigned tried = 0; tried < kTempNamesTried; ++tried) {
        const std::wstring temp = NextTempName(run, dest);
        const std::wstring call = L"\t  MyVerInstallFile(" + source + L" --> " + temp + L")\n";
        if (!found) {
            run.copyLog.Write(call + L"\t\t**VIF_CANNOTREADSRC\n");
            return std::wstring();
        }
        if (WriteCopy(run, sourceFile, temp, CREATE_NEW, sourceData)) {
            run.copyLog.Write(call + L"\t\tSrc exist.\n\t\tPrepering for copy...\n\t\tFile installed OK.\n");
            return temp;
        }
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
        run.copyLog.Write(call + L"\t\tSrc exist.\n\t\tPrepering for copy...\n");
        CopyFailed(run, source, temp, error, quiet);
        return std::wstring();
    }
    run.copyLog.Write(L"no free temporary name. ");
    return std::wstring();
}

// The destination is in use: copy under a temporary name and have it replace
// the destination at the next start. True when that is arranged.
bool ReplaceAtRestart(InstallRun& run, const std::wstring& source, const std::wstring& dest, bool quiet)
{
    run.copyLog.Write(L"\tFile is in use... ");
    const std::wstring temp = CopyToTempName(run, source, dest, quiet);
    // Scheduling a copy that is not there would report a failure as success.
    const bool copied = !temp.empty();
    switch (run.systemKind) {
    case SystemKind::NtFamily:
        if (copied &&
            run.moveFile(temp.c_str(), dest.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT)) {
            run.copyLog.Write(L"NT: MoveFileEx() OK\n");
            run.NeedRestart();
            ++run.totals.scheduled;
            return true;
        }
        run.copyLog.Write(L"NT: ***MoveFileEx() failed!\n");
        return false;
    case SystemKind::Win95Family:
        if (copied && ScheduleReplaceAtBoot(run, temp, dest)) {
            run.NeedRestart();
            ++run.totals.scheduled;
            run.copyLog.Write(L"Win95: Scheduled replace at boot OK\n");
            return true;
        }
        return false;
    case SystemKind::Old16BitHost:
        run.copyLog.Write(L"*** Dont know how to install shared files on this system. Shared files will not be installed. "
                     L"if they are in use by Windows.\n");
        return false;
    }
    return false;
}

// dest cannot be named in the 8-bit logs, not even by a short name: not
// installed; after tells what became of a copy made. 0, as for a failure.
int Unnamed(InstallRun& run, const std::wstring& dest, const wchar_t* after)
{
    const std::wstring why = std::wstring(L"its name cannot be written into the 8-bit uninstall log, nor a short name") + after;
    run.copyLog.Write(L"\tNot installed: " + why + L".\n");
    run.Tell(L"not installed: " + dest + L" (" + why + L")");
    run.NotInstalled(dest + L" (" + why + L")");
    return 0;
}

void RecordInstalled(InstallRun& run, const std::wstring& dest, UninstallLog* packageLog)
{
    UninstallLog* runLog = run.RunLog();
    if (runLog && !IsInsideFolder(dest, run.windowsFolder)) runLog->WriteFile(dest);
    // The package log lists every file of its package, run log or not.
    if (packageLog && packageLog->IsOpen()) packageLog->WriteFile(dest);
}

}  // namespace

unsigned MyVerInstallFile(InstallRun& run, bool force, const std::wstring& source, const std::wstring& dest, bool quiet)
{
    CopyLog::Batch batch(run.copyLog);
    run.copyLog.Write(L"\t  MyVerInstallFile(" + source + L" --> " + dest + L")\n");
    WIN32_FILE_ATTRIBUTE_DATA sourceData{};
    if (!Find(source, sourceData)) {
        run.copyLog.Write(L"\t\t**VIF_CANNOTREADSRC\n");
        return kVifCannotReadSrc;
    }
    run.copyLog.Write(L"\t\tSrc exist.\n");
    SourceFile sourceFile(source);
    if (run.KnownMissing(dest)) {
        if (WriteCopy(run, sourceFile, dest, CREATE_NEW, sourceData)) {
            run.copyLog.Write(L"\t\tPrepering for copy...\n\t\tFile installed OK.\n");
            CountCopied(run, sourceData);
            return 0;
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            run.copyLog.Write(L"\t\tPrepering for copy...\n");
            return CopyFailed(run, source, dest, error, quiet);
        }
    }
    WIN32_FILE_ATTRIBUTE_DATA destData{};
    const bool destExists = Find(dest, destData);
    if (destExists) run.copyLog.Write(L"\t\tDst exist\n");

    if (!force && destExists) {
        run.copyLog.Write(L"\t\tDst exist\n");  // again, as the readers of the log expect
        CompareOutcome outcome = CompareForInstall(run, sourceFile, dest, sourceData.ftLastWriteTime, destData.ftLastWriteTime);
        if (outcome.verdict == CompareVerdict::Done) {
            if (outcome.result == 0) ++run.totals.inPlace;  // the same version
            return outcome.result;
        }
    }

    run.copyLog.Write(L"\t\tPrepering for copy...\n");
    const unsigned long long inPlaceBefore = run.totals.inPlace;
    const unsigned result = destExists ? ReplaceExisting(run, sourceFile, dest, sourceData, destData, quiet)
                                       : CopyOver(run, source, dest, sourceData.dwFileAttributes, quiet);
    if (result == 0) {
        run.copyLog.Write(L"\t\tFile installed OK.\n");
        if (run.totals.inPlace == inPlaceBefore) CountCopied(run, sourceData);
    }
    return result;
}

int InstallFile(InstallRun& run, const std::wstring& source, const std::wstring& dest, UninstallLog* packageLog, bool quiet)
{
    CopyLog::Batch batch(run.copyLog);
    auto failed = [&](unsigned flags) {
        const std::wstring text =
            L"Failed to install file: " + source + L" --> " + dest + L"\r\nFlags = " + VifFlagNames(flags);
        run.copyLog.Flush();
        const bool cancelled = !quiet && run.ui.Message(text, MB_OKCANCEL) == IDCANCEL;
        run.copyLog.Write(text + L"\n");
        run.Tell(L"not installed: " + dest + L" (" + VifFlagNames(flags) + L")");
        run.NotInstalled(dest + L" (" + VifFlagNames(flags) + L")");
        return cancelled ? -1 : 0;
    };
    if (const std::wstring link = run.LinkOnTheWay(FolderPart(dest)); !link.empty()) {
        run.copyLog.Write(L"\tNot installed: the folder " + link + L" is a folder link.\n");
        run.copyLog.Flush();
        RefuseFolderLink(run, L"The file " + dest, link, quiet);
        run.NotInstalled(dest + L" (the folder " + link + L" on the way is a folder link)");
        return 0;
    }
    // The logs are 8-bit and read by the uninstaller: a name they cannot spell
    // goes in by its short form, never as a look-alike. Where even that cannot
    // be, the file is not copied (or, when the short form turns out missing,
    // not kept).
    const bool spelt = IsExactAnsi(dest);
    const bool newFile = !spelt && !PathExists(dest);
    if (!spelt) {
        const std::wstring name = AnsiNameOf(newFile ? FolderPart(dest) : dest);
        if (name.empty()) return Unnamed(run, dest, L"");
        if (!newFile) run.copyLog.NameAs(dest, name);
    }
    if (!IsExactAnsi(source)) run.copyLog.NameAs(source, AnsiNameOf(source));
    // An old file that could not be put back is not tried again: the copy log names where it is.
    unsigned r = MyVerInstallFile(run, false, source, dest, quiet);
    run.copyLog.Write(L"\tMyVerInstallFile() returned " + Decimal(static_cast<int>(r)) + L"\n");
    if (r & kVifSrcOld) {
        run.copyLog.Write(L"\tTarget is newer than the install file.\n");
        if (r & kVifMismatch) {
            run.copyLog.Write(L"\tskipping file.\n");
            ++run.totals.inPlace;  // a newer version stays
            return 1;
        }
    }
    if (r != 0 && !(r & kVifCannotRename)) {
        run.copyLog.Write(L"\tTrying to force installation...\n");
        r = MyVerInstallFile(run, true, source, dest, quiet);
    }

    if ((r & kVifFileInUse) && !(r & kVifCannotRename)) {
        if (!ReplaceAtRestart(run, source, dest, quiet)) {
            // Retry asks again until the file goes in or the user gives up.
            for (;;) {
                run.copyLog.Flush();
                const int answer =
                    quiet ? IDIGNORE : run.ui.MessageId(IDS_FILE_IN_USE, MB_ABORTRETRYIGNORE | MB_ICONWARNING, dest);
                if (answer == IDABORT) return -1;
                if (answer != IDRETRY) {
                    // The copy goes on, but this file is not there.
                    run.copyLog.Write(L"\tFile is in use and is not installed.\n");
                    run.Tell(L"not installed: " + dest + L" (in use; it could not be replaced, nor at the next start)");
                    run.NotInstalled(dest + L" (in use)");
                    return 0;
                }
                const unsigned again = MyVerInstallFile(run, true, source, dest, quiet);
                if (again == 0) break;
                if (again & kVifCannotRename) return failed(again);
            }
        }
    } else if (r != 0) {
        return failed(r);
    }

    if (newFile) {
        const std::wstring name = AnsiNameOf(dest);
        // The volume makes no short names: the new copy goes again.
        if (name.empty())
            return Unnamed(run, dest, ::DeleteFileW(dest.c_str()) ? L": the copy is removed"
                                                                  : L": the copy could not be removed");
        run.copyLog.NameAs(dest, name);
    }
    run.copyLog.Write(L"\tFile is installed or scheduled OK\n");
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
