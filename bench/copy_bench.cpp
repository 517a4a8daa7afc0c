// The copy engine against a plain CopyFileW loop, and the source scan against a
// plain FindFirstFileW walk. Sizes from the command line (defaults: the full
// figures): --files 20000 --packages 20 --big 8 --big-mb 256 --scan 100000 --rounds 3
// --replace-rounds 5.
// Data lives under the Wine temporary folder and is removed afterwards.
#include "harness/BenchHarness.h"
#include "support/TempDir.h"
#include "app/SetupState.h"
#include "files/elements/InstElement.h"
#include "files/logs/CopyLog.h"
#include "files/run/InstallRun.h"
#include "files/elements/ElementList.h"
#include "files/elements/FileItem.h"
#include "files/source/FileList.h"
#include "files/sections/FileSection.h"
#include "files/sections/FileTrees.h"
#include "files/steps/InstallElements.h"
#include "files/engine/InstallFile.h"
#include "files/engine/NewCopy.h"
#include "files/source/SourceFile.h"
#include "files/engine/VersionCompare.h"
#include "dialogs/ProgressDlg.h"
#include "dialogs/WindowsUi.h"
#include "files/logs/UninstallLog.h"
#include "framework/UserInterface.h"
#include "platform/FileCopy.h"
#include "files/engine/RunLogs.h"
#include "files/steps/CreateFolders.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using bench::IntArg;
using bench::List;
using bench::MakeFolders;
using bench::PlainCopy;
using bench::Now;
using bench::SourceFile;
using bench::WriteFileOfSize;

struct Options {
    int files = 20000;
    int packages = 20;
    int big = 8;
    int bigMb = 256;
    int scan = 100000;
    int rounds = 3;
    int replaceRounds = 5;  // a newer medium: medians of this many rounds
    int readOnly = 0;  // 1: the medium's files read-only, as a DVD shows them
};

// Answers every box with its first button and counts them; a benchmark never waits.
class CountingUi : public WindowsUi {
public:
    int ShowMessage(UINT, const std::wstring& text, UINT flags, const std::wstring&) override
    {
        if (++count <= 3) std::wprintf(L"  message: %ls\n", text.c_str());
        return (flags & MB_TYPEMASK) == MB_ABORTRETRYIGNORE ? IDIGNORE : IDOK;
    }
    int count = 0;
};

// One run of the engine: what the sequencer would own. The run's way: element
// list, scan, trees, folders and logs (not timed), then InstallElements (timed).
struct Engine {
    explicit Engine(CountingUi& userInterface) : ui(userInterface) {}
    void NewRun()
    {
        run = std::make_unique<InstallRun>(ui);
        state = std::make_unique<SetupState>();
    }
    CountingUi& ui;
    std::unique_ptr<SetupState> state;
    std::unique_ptr<InstallRun> run;
};

double EngineCopy(Engine& engine, const std::wstring& root, const std::wstring& dest, bool again, int& installed)
{
    // Installing again is a run of its own, as a second start of the program is:
    // nothing it learnt about the destination in the first run carries over.
    if (!again) engine.NewRun();
    else engine.run = std::make_unique<InstallRun>(engine.ui);
    SetupState& state = *engine.state;
    InstallRun& run = *engine.run;
    if (!again) {
        state.sourceDir = root + L"\\";
        state.scriptFile = root + L"\\DataSetup.inf";
        state.installDir = dest;
        state.uiLanguage = 9;
        state.runMode = 3;
        MakeFolders(dest);
        BuildElementList(run, state.elements, state.sourceDir, state.country);
        state.sourceFiles.Scan(state.sourceDir);
    }
    run.sourceDir = state.sourceDir;
    const SectionContext sections{engine.ui, run, state.sourceDir, state.uiLanguage};
    BuildFileTrees(sections, state.scriptFile, state.elements, state.runMode == kRunModeAdmin);  // trees again: a tree expands its folders when installed
    CIEArray& elements = state.elements;
    installed = 0;
    for (size_t i = 0; i < elements.GetSize(); ++i) {
        CInstElement& element = *elements[i];
        element.selected = element.packageElement;
        if (element.packageElement) element.destination = dest + L"\\" + element.folderKey;
        if (element.selected && element.fileTree) installed += CountFiles(*element.fileTree, state.sourceFiles);
    }
    OpenUninstallLog(run, dest + L"\\.UNINST.INF");
    CreateFolders(run, state.elements, state.scriptFile, state.installDir);
    OpenCopyLog(run, dest + L"\\update.log");
    run.BeginCopy();
    const double start = Now();
    const bool ok = InstallElements(run, elements, state.sourceFiles);
    const double seconds = Now() - start;

    if (!ok || run.Result() != kRunCopying) std::wprintf(L"  InstallElements reported a failure\n");
    return seconds;
}

// What the platform calls of one file cost here. Every file of an installed
// folder (dest) goes through each way of replacing it in turn, each call timed
// on its own, so the page cache's write-back weighs on all of them alike.
// Leaves dest as it found it.
void CallCosts(fw::UserInterface& ui, const std::vector<SourceFile>& files, const std::wstring& dest)
{
    enum { kAttributes, kVersionSize, kFirstBytes, kCopyOver, kRename, kCopyNew, kDelete, kHandleAside, kHandleRemove,
           kCopyBeside, kReplace, kSetAttributes, kLogLine, kOwnCopy, kInstallFile, kOwnNew, kCopyFileNew, kCount };
    double sums[kCount] = {};
    double mark = Now();
    auto lap = [&sums, &mark](int what) {
        const double now = Now();
        sums[what] += now - mark;
        mark = now;
    };
    HANDLE log = ::CreateFileW((dest + L"\\calls.log").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_ALWAYS, 0, nullptr);
    const std::string line(300, 'x');
    InstallRun run(ui);
    OpenUninstallLog(run, dest + L"\\calls.UNINST.INF");
    OpenCopyLog(run, dest + L"\\calls.update.log");
    for (const auto& f : files) {
        const std::wstring to = dest + L"\\" + f.relative, aside = to + L".~ovk";
        WIN32_FILE_ATTRIBUTE_DATA data;
        DWORD ignored = 0, written = 0;
        mark = Now();
        ::GetFileAttributesExW(f.source.c_str(), GetFileExInfoStandard, &data);
        lap(kAttributes);
        ::GetFileVersionInfoSizeW(f.source.c_str(), &ignored);
        lap(kVersionSize);
        HANDLE file = ::CreateFileW(f.source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        char head[4];
        ::ReadFile(file, head, sizeof head, &ignored, nullptr);
        ::CloseHandle(file);
        lap(kFirstBytes);
        ::WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        lap(kLogLine);
        // The plain way: straight over the old file.
        ::CopyFileW(f.source.c_str(), to.c_str(), FALSE);
        lap(kCopyOver);
        // Set aside by name, copy, remove by name.
        ::MoveFileExW(to.c_str(), aside.c_str(), 0);
        lap(kRename);
        ::CopyFileW(f.source.c_str(), to.c_str(), FALSE);
        lap(kCopyNew);
        ::DeleteFileW(aside.c_str());
        lap(kDelete);
        // Set aside through one handle, copy, remove through the same handle.
        file = ::CreateFileW(to.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
        alignas(8) BYTE buffer[sizeof(FILE_RENAME_INFO) + MAX_PATH * 2 * sizeof(wchar_t)] = {};
        auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer);
        rename->FileNameLength = static_cast<DWORD>(aside.size() * sizeof(wchar_t));
        aside.copy(rename->FileName, aside.size());
        ::SetFileInformationByHandle(file, FileRenameInfo, rename, sizeof(buffer));
        lap(kHandleAside);
        ::CopyFileW(f.source.c_str(), to.c_str(), FALSE);
        lap(kCopyNew);
        FILE_DISPOSITION_INFO disposition{TRUE};
        ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof(disposition));
        ::CloseHandle(file);
        lap(kHandleRemove);
        // Copy beside, then rename over the old file.
        ::CopyFileW(f.source.c_str(), aside.c_str(), TRUE);
        lap(kCopyBeside);
        ::MoveFileExW(aside.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING);
        lap(kReplace);
        ::SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
        lap(kSetAttributes);
        // One open of the source for its head and its bytes, copied beside and
        // renamed over the old file through the copy's own handle.
        file = ::CreateFileW(f.source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        ::ReadFile(file, head, sizeof head, &ignored, nullptr);
        ::SetFilePointer(file, 0, nullptr, FILE_BEGIN);
        HANDLE out = ::CreateFileW(aside.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                   nullptr);
        CopyFileData(file, out);
        ::SetFileTime(out, nullptr, nullptr, &data.ftLastWriteTime);
        RenameOpenFile(out, to.c_str(), TRUE);
        ::CloseHandle(out);
        ::CloseHandle(file);
        lap(kOwnCopy);
        InstallFile(run, f.source, to, nullptr, true);
        lap(kInstallFile);
        // A new file as the engine's first install makes it: one open of the
        // source, its bytes into a new name, its date.
        ::DeleteFileW(aside.c_str());
        mark = Now();
        file = ::CreateFileW(f.source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        out = ::CreateFileW(aside.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        CopyFileData(file, out);
        ::SetFileTime(out, nullptr, nullptr, &data.ftLastWriteTime);
        ::CloseHandle(out);
        ::CloseHandle(file);
        lap(kOwnNew);
        ::DeleteFileW(aside.c_str());
        mark = Now();
        ::CopyFileW(f.source.c_str(), aside.c_str(), TRUE);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY)  // the copy of a read-only source is made writable
            ::SetFileAttributesW(aside.c_str(), data.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
        lap(kCopyFileNew);
        ::DeleteFileW(aside.c_str());
    }
    ::CloseHandle(log);
    const double n = static_cast<double>(files.size());
    auto us = [&sums, n](int what, int times = 1) { return sums[what] * 1e6 / n / times; };
    std::wprintf(L"  per call (us per file): GetFileAttributesExW %.0f; GetFileVersionInfoSizeW of a data file %.0f;"
                 L" open, read 4 bytes, close %.0f; a log line %.0f; SetFileAttributesW %.0f\n"
                 L"    CopyFileW over the file %.0f, to a new name %.0f;"
                 L" set aside: MoveFileExW %.0f + DeleteFileW %.0f, or one handle %.0f + %.0f;"
                 L" CopyFileW beside %.0f + MoveFileExW replacing %.0f;"
                 L" one open: head, copy beside, rename by handle %.0f; the engine's InstallFile %.0f\n"
                 L"    a new file: the engine's own copy %.0f; CopyFileW, then SetFileAttributesW for a read-only source %.0f\n",
                 us(kAttributes), us(kVersionSize), us(kFirstBytes), us(kLogLine), us(kSetAttributes), us(kCopyOver),
                 us(kCopyNew, 2), us(kRename), us(kDelete), us(kHandleAside), us(kHandleRemove), us(kCopyBeside),
                 us(kReplace), us(kOwnCopy), us(kInstallFile), us(kOwnNew), us(kCopyFileNew));
}

// Where the engine's time goes: the per-file installer alone (logs open), and
// the progress dialog alone (names and steps for the same number of files).
void Breakdown(Engine& engine, const std::vector<SourceFile>& files, const std::wstring& dest)
{
    for (const auto& f : files) MakeFolders((dest + L"\\" + f.relative).substr(0, (dest + L"\\" + f.relative).rfind(L'\\')));
    double install = 0;
    {
        // A run of its own: the engine's run and element list are used again by (b).
        InstallRun run(engine.ui);
        OpenUninstallLog(run, dest + L"\\.UNINST.INF");
        OpenCopyLog(run, dest + L"\\update.log");
        const double start = Now();
        for (const auto& f : files) InstallFile(run, f.source, dest + L"\\" + f.relative, nullptr, true);
        install = Now() - start;
    }

    CProgressDlg progress;
    double start = Now();
    progress.Create();
    const double create = Now() - start;
    progress.SetTotal(static_cast<int>(files.size()));
    progress.SetStep(1);
    start = Now();
    for (const auto& f : files) {
        progress.ShowNames(f.source, dest + L"\\" + f.relative);
        progress.Step();
    }
    const double steps = Now() - start;
    start = Now();
    progress.Destroy();
    const double destroy = Now() - start;
    double again = 0;
    {
        InstallRun run(engine.ui);
        OpenUninstallLog(run, dest + L"\\.UNINST.INF");
        OpenCopyLog(run, dest + L"\\update.log");
        start = Now();
        for (const auto& f : files) InstallFile(run, f.source, dest + L"\\" + f.relative, nullptr, true);
        again = Now() - start;
    }
    const double n = static_cast<double>(files.size());
    std::wprintf(L"  breakdown: InstallFile alone %.0f us per file, again over the same files %.0f us; dialog names and"
                 L" step %.0f us per file; dialog create %.2f s, destroy %.2f s\n",
                 install * 1e6 / n, again * 1e6 / n, steps * 1e6 / n, create, destroy);
    CallCosts(engine.ui, files, dest);
}

// Closing the progress dialog costs a fixed time under Xvfb without a window
// manager (Wine waits for a withdrawal that never comes); measured once.
double g_dialogClose = 0;

void MeasureDialogClose()
{
    CProgressDlg progress;
    progress.Create();
    const double start = Now();
    progress.Destroy();
    g_dialogClose = Now() - start;
    std::wprintf(L"progress dialog: closing it takes %.2f s here\n", g_dialogClose);
}

// Dates every source file days after now.
void DateAll(const std::vector<SourceFile>& files, int days)
{
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time{};
    time.LowPart = now.dwLowDateTime;
    time.HighPart = now.dwHighDateTime;
    time.QuadPart += static_cast<ULONGLONG>(days) * 864000000000ULL;
    const FILETIME later{time.LowPart, time.HighPart};
    for (const auto& f : files) {
        HANDLE file = ::CreateFileW(f.source.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                    nullptr);
        ::SetFileTime(file, nullptr, nullptr, &later);
        ::CloseHandle(file);
    }
}

// The yardstick of a replace: what the engine may do at the least. Each file
// is copied beside the installed one (CopyFileW to "<name>.~ovn") and renamed
// over it (MoveFileExW), so a copy stopped half-way leaves the old file whole.
double SafeReplace(const std::vector<SourceFile>& files, const std::wstring& dest)
{
    const double start = Now();
    for (const auto& f : files) {
        const std::wstring to = dest + L"\\" + f.relative, beside = to + L".~ovn";
        if (!::CopyFileW(f.source.c_str(), beside.c_str(), TRUE) ||
            !::MoveFileExW(beside.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING))
            std::wprintf(L"safe replace failed: %ls (%lu)\n", to.c_str(), ::GetLastError());
    }
    return Now() - start;
}

// Where a replace's time goes: every installed file of dest (older than its
// source) taken through the engine's steps one by one, each step timed, with
// the engine's own functions where they are public. The version decision
// opens the source, which the copy then reads again from its start, as in the
// engine. The copy log and the uninstall logs get lines of the engine's
// length; the progress dialog is not shown (its share is in the breakdown).
void ReplaceSteps(fw::UserInterface& ui, const std::vector<SourceFile>& files, const std::wstring& dest)
{
    enum { kLinkCheck, kSourceAttributes, kListing, kDestAttributes, kDecision, kInPlace, kCopyBeside, kRename,
           kLogLines, kCount };
    static const wchar_t* names[kCount] = {L"folder-link check", L"source attributes", L"folder listing look-up",
                                           L"destination attributes", L"version decision", L"in-place check",
                                           L"copy beside under a free name", L"rename over the old file",
                                           L"log lines"};
    double sums[kCount] = {};
    double mark = 0;
    auto lap = [&sums, &mark](int what) {
        const double now = Now();
        sums[what] += now - mark;
        mark = now;
    };
    InstallRun run(ui);
    run.installDir = dest;
    OpenUninstallLog(run, dest + L"\\steps.UNINST.INF");
    OpenCopyLog(run, dest + L"\\steps.update.log");
    run.copyLog.Hold(4096);
    run.runLog.Hold(4096);
    UninstallLog packageLog;
    packageLog.Open(dest + L"\\steps_uninst.inf");
    packageLog.Hold(4096);
    const double start = Now();
    for (const auto& f : files) {
        const std::wstring to = dest + L"\\" + f.relative;
        mark = Now();
        run.LinkOnTheWay(to.substr(0, to.rfind(L'\\')));
        lap(kLinkCheck);
        WIN32_FILE_ATTRIBUTE_DATA sourceData{}, destData{};
        ::GetFileAttributesExW(f.source.c_str(), GetFileExInfoStandard, &sourceData);
        lap(kSourceAttributes);
        ::SourceFile source(f.source);
        run.KnownMissing(to);
        lap(kListing);
        ::GetFileAttributesExW(to.c_str(), GetFileExInfoStandard, &destData);
        lap(kDestAttributes);
        CompareForInstall(run, source, to, sourceData.ftLastWriteTime, destData.ftLastWriteTime);
        lap(kDecision);
        AlreadyInPlace(source, to, sourceData, destData);
        lap(kInPlace);
        {
            NewCopy copy;
            copy.Make(run, source, to, sourceData);
            lap(kCopyBeside);
            if (!copy.MoveTo(run, to, true)) std::wprintf(L"  rename failed: %ls (%lu)\n", to.c_str(), ::GetLastError());
        }
        lap(kRename);
        {
            CopyLog::Batch batch(run.copyLog);
            run.copyLog.Write(L"\t  MyVerInstallFile(" + f.source + L" --> " + to + L")\n\t\tSrc exist.\n\t\tDst exist\n");
            run.copyLog.Write(L"\t\tDst exist\n\t\tComparsion are defaulting to file date...\n\t\tPrepering for copy...\n");
            run.copyLog.Write(L"\t\tOld file must (eventually) be deleted... \t\tFile installed OK.\n");
            run.copyLog.Write(L"\tMyVerInstallFile() returned 0\n\tFile is installed or scheduled OK\n");
        }
        run.runLog.WriteFile(to);
        packageLog.WriteFile(to);
        lap(kLogLines);
    }
    const double whole = Now() - start;
    const double n = static_cast<double>(files.size());
    std::wprintf(L"  the engine's steps of a replace, one by one (%.0f us per file):", whole * 1e6 / n);
    for (int i = 0; i < kCount; ++i)
        std::wprintf(L" %ls %.0f us (%.0f%%);", names[i], sums[i] * 1e6 / n, 100 * sums[i] / whole);
    std::wprintf(L"\n");
}

// Times of the plain loop and the engine over the same files, a few rounds of
// each taken in turns (plain first in the odd rounds), so that the page cache's
// write-back weighs on both alike; the fastest of each are compared (single
// runs vary by two or three times on a shared machine).
struct Timings {
    std::vector<double> plain;
    std::vector<double> engine;
};

void Report(const wchar_t* what, int files, const Timings& t)
{
    const double plain = bench::Fastest(t.plain);
    const double engine = bench::Fastest(t.engine);
    const double net = engine - g_dialogClose;
    std::wprintf(L"%ls: %d files; plain CopyFileW %ls s, engine %ls s; fastest %.2f s and %.2f s: ratio %.2f;"
                 L" without the dialog's close %.2f s: ratio %.2f (%.0f us per file plain, %.0f us engine)\n",
                 what, files, List(t.plain).c_str(), List(t.engine).c_str(), plain, engine, engine / plain, net,
                 net / plain, plain * 1e6 / files, net * 1e6 / files);
}

// Runs plain and engine rounds times in turns, each after prepare (not timed).
Timings InTurns(int rounds, const std::function<void()>& prepare, const std::function<double()>& plain,
                const std::function<double()>& engine)
{
    Timings t;
    for (int round = 0; round < rounds; ++round) {
        prepare();
        if (round % 2 == 0) {
            t.plain.push_back(plain());
            t.engine.push_back(engine());
        } else {
            t.engine.push_back(engine());
            t.plain.push_back(plain());
        }
    }
    return t;
}

// A newer medium over installed files, medians of rounds in turns: the plain
// overwrite, the safe replace and the engine; then the engine's steps.
void ReplaceRounds(int rounds, const std::vector<SourceFile>& files, const std::wstring& plainDir,
                   const std::wstring& safeDir, Engine& engine, const std::wstring& src, const std::wstring& engineDir,
                   int& installed)
{
    PlainCopy(files, safeDir);  // installed once, as the other two are
    std::vector<double> plain, safe, own;
    const std::function<void()> ways[] = {
        [&] { plain.push_back(PlainCopy(files, plainDir)); },
        [&] { safe.push_back(SafeReplace(files, safeDir)); },
        [&] { own.push_back(EngineCopy(engine, src, engineDir, true, installed)); },
    };
    for (int round = 0; round < rounds; ++round) {
        DateAll(files, round + 1);
        for (int i = 0; i < 3; ++i) ways[(round + i) % 3]();
    }
    const double p = bench::Median(plain), s = bench::Median(safe), e = bench::Median(own), net = e - g_dialogClose;
    std::wprintf(L"(b2) a newer medium over it: %d files replaced; plain overwrite %ls s, safe replace %ls s, engine %ls s\n"
                 L"  medians of %d rounds in turns: plain %.2f s, safe %.2f s, engine %.2f s (%.2f s without the"
                 L" dialog's close): engine/safe %.2f (%.2f without the close), engine/plain %.2f (%.2f), safe/plain %.2f\n",
                 installed, List(plain).c_str(), List(safe).c_str(), List(own).c_str(), rounds, p, s, e, net, e / s,
                 net / s, e / p, net / p, s / p);
    DateAll(files, rounds + 1);
    ReplaceSteps(engine.ui, files, engineDir);
    RemoveTree(safeDir);
}

// The plain walk the scan is measured against.
void PlainWalk(const std::wstring& folder, uint64_t& files, uint64_t& bytes)
{
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((folder + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (data.cFileName[0] == L'.' && (!data.cFileName[1] || (data.cFileName[1] == L'.' && !data.cFileName[2]))) continue;
            PlainWalk(folder + data.cFileName + L"\\", files, bytes);
        } else {
            ++files;
            bytes += (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        }
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
}

void ScanBench(const std::wstring& root, int count)
{
    std::vector<char> pattern(64, 'x');
    const int perFolder = 100;
    for (int i = 0; i < count; ++i) {
        wchar_t path[64];
        std::swprintf(path, 64, L"\\d%03d\\s%03d", i / (perFolder * 100), (i / perFolder) % 100);
        const std::wstring folder = root + path;
        if (i % perFolder == 0) MakeFolders(folder);
        wchar_t name[32];
        std::swprintf(name, 32, L"\\file%06d.dat", i);
        WriteFileOfSize(folder + name, 1 + i % 64, pattern);
    }
    PROCESS_MEMORY_COUNTERS_EX before{};
    before.cb = sizeof(before);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&before), sizeof(before));

    uint64_t files = 0, bytes = 0;
    double start = Now();
    PlainWalk(root + L"\\", files, bytes);
    const double plain1 = Now() - start;

    FileList list;
    start = Now();
    list.Scan(root);
    const double scan = Now() - start;
    PROCESS_MEMORY_COUNTERS_EX after{};
    after.cb = sizeof(after);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&after), sizeof(after));

    files = bytes = 0;
    start = Now();
    PlainWalk(root + L"\\", files, bytes);
    const double plain2 = Now() - start;
    const double plain = (plain1 + plain2) / 2;
    std::wprintf(L"scan: %llu files in %zu folders; plain FindFirstFileW walk %.3f s and %.3f s, FileList::Scan %.3f s:"
                 L" ratio %.2f\n",
                 static_cast<unsigned long long>(files), list.FolderCount(), plain1, plain2, scan, scan / plain);
    std::wprintf(L"scan memory: peak working set %.1f MB before, %.1f MB after (+%.1f MB); private bytes +%.1f MB"
                 L" held by the scan\n",
                 before.PeakWorkingSetSize / 1048576.0, after.PeakWorkingSetSize / 1048576.0,
                 (static_cast<double>(after.PeakWorkingSetSize) - before.PeakWorkingSetSize) / 1048576.0,
                 (static_cast<double>(after.PrivateUsage) - before.PrivateUsage) / 1048576.0);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    Options o;
    o.files = IntArg(argc, argv, L"--files", o.files);
    o.packages = IntArg(argc, argv, L"--packages", o.packages);
    o.big = IntArg(argc, argv, L"--big", o.big);
    o.bigMb = IntArg(argc, argv, L"--big-mb", o.bigMb);
    o.scan = IntArg(argc, argv, L"--scan", o.scan);
    o.rounds = std::max(1, IntArg(argc, argv, L"--rounds", o.rounds));
    o.replaceRounds = std::max(1, IntArg(argc, argv, L"--replace-rounds", o.replaceRounds));
    o.readOnly = IntArg(argc, argv, L"--read-only", o.readOnly);
    if (o.packages < 1) o.packages = 1;

    std::setvbuf(stdout, nullptr, _IONBF, 0);  // figures stay when a run is cut short
    CountingUi ui;
    Engine engine(ui);
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring base = std::wstring(temp) + L"ovkbench_" + std::to_wstring(::GetCurrentProcessId());
    MakeFolders(base);
    std::wprintf(L"data under %ls\n", base.c_str());
    MeasureDialogClose();

    if (o.scan > 0) {
        ScanBench(base + L"\\scan", o.scan);
        RemoveTree(base + L"\\scan");
    }

    if (o.files > 0) {
        const std::wstring src = base + L"\\small";
        const std::wstring plainDir = base + L"\\plain", engineDir = base + L"\\engine";
        const std::vector<bench::SourceFile> files = bench::MakeMedium(src, src, o.packages, o.files, 0);
        if (o.readOnly)
            for (const auto& f : files) ::SetFileAttributesW(f.source.c_str(), FILE_ATTRIBUTE_READONLY);
        int installed = 0;
        // First installs, each into fresh folders.
        Timings t = InTurns(
            o.rounds,
            [&] {
                engine.run.reset();  // closes the logs in engineDir
                RemoveTree(plainDir);
                RemoveTree(engineDir);
            },
            [&] { return PlainCopy(files, plainDir); },
            [&] { return EngineCopy(engine, src, engineDir, false, installed); });
        Report(L"(a) first install", installed, t);
        Breakdown(engine, files, base + L"\\breakdown");
        RemoveTree(base + L"\\breakdown");
        // Again over the installed files: the plain loop overwrites, the engine checks versions and dates.
        t = InTurns(
            o.rounds, [] {}, [&] { return PlainCopy(files, plainDir); },
            [&] { return EngineCopy(engine, src, engineDir, true, installed); });
        Report(L"(b) install again", installed, t);
        // A newer medium over it: every file dated later than the installed
        // one, so each is replaced (its bytes alike: only the date decides).
        // Three ways in turns, each round starting with another: CopyFileW
        // straight over the old file (a copy stopped half-way destroys it), the
        // safe replace (copied beside, renamed over it) and the engine.
        ReplaceRounds(o.replaceRounds, files, plainDir, base + L"\\safe", engine, src, engineDir, installed);
        engine.run.reset();
        RemoveTree(plainDir);
        RemoveTree(engineDir);
        RemoveTree(src);
    }

    if (o.big > 0) {
        const std::wstring src = base + L"\\big";
        const std::wstring plainDir = base + L"\\plain", engineDir = base + L"\\engine";
        const std::vector<bench::SourceFile> files = bench::MakeMedium(src, src, 1, o.big, static_cast<uint64_t>(o.bigMb) << 20);
        int installed = 0;
        const Timings t = InTurns(
            o.rounds, [] {},
            [&] {
                const double seconds = PlainCopy(files, plainDir);
                RemoveTree(plainDir);
                return seconds;
            },
            [&] {
                const double seconds = EngineCopy(engine, src, engineDir, false, installed);
                engine.run.reset();
                uint64_t count = 0, bytes = 0;  // what a user finds: every byte there
                PlainWalk(engineDir + L"\\", count, bytes);
                if (bytes < (static_cast<uint64_t>(o.big) * o.bigMb << 20))
                    std::wprintf(L"  the engine left only %.0f MB\n", bytes / 1048576.0);
                RemoveTree(engineDir);
                return seconds;
            });
        Report(L"(c) large files", installed, t);
        RemoveTree(src);
    }

    RemoveTree(base);
    std::wprintf(L"messages shown: %d\n", ui.count);
    return 0;
}
