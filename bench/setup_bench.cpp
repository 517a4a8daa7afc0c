// The whole program: a quiet run of setup.exe on a generated medium, timed as a
// process from its start to its end, against two loops in this process over the
// same files, in turns: a plain CopyFileW loop (its folders made beforehand) and
// a loop that does the program's work by hand (package and category folders,
// the uninstall logs). Then media of many packages of one small file each.
// Each step's time comes from the setup log's lines, beside the loop's. Sizes from the command
// line (defaults: the full figures): --files 20000 --packages 20 --many 5000
// --more 10000 --section 10000 --pairs 5; large files with --big 8 --big-mb 256;
// --settle 35 seconds waited before a medium's rounds. The file section goes
// into one folder, then into folders of --per-folder files (default: as many
// as a folder of the small-files medium holds).
// Each setup.exe run's peak working set is reported beside its time.
// The machine's data folder (where a quiet run installs) is set aside while the
// benchmark runs and put back afterwards.
#include "harness/BenchHarness.h"
#include "support/TempDir.h"
#include "catalogue/AppData.h"
#include "dialogs/WindowsUi.h"
#include "framework/UserInterface.h"
#include "platform/PathUtil.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using bench::Now;

// The machine's data folder set aside for the benchmark's runs and put back.
class DataFolderAside {
public:
    explicit DataFolderAside(std::wstring folder) : folder_(std::move(folder)), saved_(folder_ + L".saved-by-bench")
    {
        if (::GetFileAttributesW(saved_.c_str()) == INVALID_FILE_ATTRIBUTES)
            ::MoveFileW(folder_.c_str(), saved_.c_str());
        RemoveTree(folder_);
    }
    ~DataFolderAside()
    {
        RemoveSetAside();
        RemoveTree(folder_);
        ::MoveFileW(saved_.c_str(), folder_.c_str());
    }
    DataFolderAside(const DataFolderAside&) = delete;
    DataFolderAside& operator=(const DataFolderAside&) = delete;

    // An empty administration file, as a product installation leaves it.
    void Fresh()
    {
        if (::GetFileAttributesW(folder_.c_str()) != INVALID_FILE_ATTRIBUTES) SetAside();
        bench::MakeFolders(folder_);
        WriteBytes(folder_ + L"\\orvekAdmin.ini", "[basepath]\r\npath=\r\n");
    }
    const std::wstring& Path() const { return folder_; }

    // What the last way wrote is moved aside, not deleted: on a file system
    // that skips inodes freed in the last half minute, the way after a large
    // deletion would pay for it in every folder it makes, and the turns do not
    // put each way after each other equally often.
    void SetAside()
    {
        const std::wstring done = folder_ + L".done-" + std::to_wstring(++setAside_);
        RemoveTree(done);  // left by a benchmark cut short
        ::MoveFileW(folder_.c_str(), done.c_str());
    }
    void RemoveSetAside()
    {
        for (; setAside_ > 0; --setAside_) RemoveTree(folder_ + L".done-" + std::to_wstring(setAside_));
    }

private:
    std::wstring folder_;
    std::wstring saved_;
    int setAside_ = 0;
};

// A medium as a DVD holds it: install\ with setup.exe, its companions and the
// data script; data\ with the catalogue and the packages.
struct Medium {
    Medium(const std::wstring& root, int packages, int files, uint64_t fixedSize) : root(root)
    {
        std::wstring program;
        fw::ProgramPath(program);
        const std::wstring build = FolderPart(program) + L"..";
        const std::wstring install = root + L"\\install";
        list = bench::MakeMedium(root, install, packages, files, fixedSize);
        setup = install + L"\\setup.exe";
        if (!::CopyFileW((build + L"\\setup.exe").c_str(), setup.c_str(), FALSE))
            std::wprintf(L"no setup.exe in %ls\n", build.c_str());
        ::CopyFileW((build + L"\\companions\\PostSetup.exe").c_str(), (install + L"\\PostSetup.exe").c_str(), FALSE);
        ::CopyFileW((build + L"\\lang\\res_09.dll").c_str(), (install + L"\\res_09.dll").c_str(), FALSE);
    }
    ~Medium() { RemoveTree(root); }
    Medium(const Medium&) = delete;
    Medium& operator=(const Medium&) = delete;

    std::wstring root;
    std::wstring setup;
    std::vector<bench::SourceFile> list;
};

// A medium whose data script names the program's files one by one: one
// package of one file, and a file section ("Files") of entries files, each
// its own entry, copied below the folder "prog" of the installation folder:
// into "prog" itself, or perFolder to a subfolder "prog\dNNN" as a package
// spreads its files over its category folders.
std::wstring SectionFolder(int entry, int entries, int perFolder)
{
    if (perFolder >= entries) return L"prog";
    wchar_t folder[32];
    std::swprintf(folder, 32, L"prog\\d%03d", entry / perFolder);
    return folder;
}

void AddFileSection(const Medium& medium, int entries, int perFolder)
{
    const std::vector<char> pattern = bench::Pattern();
    std::wstring script = L"[Install32]\r\nDotNetFx=0\r\n[CreateDir]\r\n";
    for (int i = 0, line = 1; i < entries; i += perFolder)
        script += std::to_wstring(line++) + L"=" + SectionFolder(i, entries, perFolder) + L"\r\n";
    script += L"[Files]\r\n";
    for (int i = 0; i < entries; ++i) {
        const std::wstring folder = SectionFolder(i, entries, perFolder);
        if (i % perFolder == 0) bench::MakeFolders(medium.root + L"\\" + folder);
        wchar_t name[32];
        std::swprintf(name, 32, L"s%06d.dat", i);
        bench::WriteFileOfSize(medium.root + L"\\" + folder + L"\\" + name, 4096 + i % 4096, pattern);
        script += L"f" + std::to_wstring(i) + L"=" + std::to_wstring(i) + L"," + folder + L"\\" + name + L"," + folder +
                  L",,,\r\n";
    }
    WriteBytes(medium.root + L"\\install\\DataSetup.inf", std::string(script.begin(), script.end()));
}

// The setup log's lines ("2026-12-08 05:20:13.481  text"): seconds of the day and text.
struct LogLine {
    double time = 0;
    std::string text;
};

std::vector<LogLine> LogLines(const std::wstring& path)
{
    std::vector<LogLine> lines;
    const std::string text = ReadBytes(path);
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        unsigned y, mo, d, h, mi, s, ms;
        if (line.size() < 25 || std::sscanf(line.c_str(), "%u-%u-%u %u:%u:%u.%u", &y, &mo, &d, &h, &mi, &s, &ms) != 7)
            continue;
        lines.push_back({h * 3600.0 + mi * 60.0 + s + ms / 1000.0, line.substr(25)});
    }
    return lines;
}

struct SetupRun {
    double seconds = 0;
    DWORD exitCode = 0;
    double peakMb = 0;  // peak working set of the process, as last seen before it ended
    std::vector<LogLine> log;
};

// One quiet run of setup.exe over a fresh data folder; the process from start to end.
SetupRun RunSetup(const Medium& medium, DataFolderAside& data, const std::wstring& logPath)
{
    data.Fresh();
    ::DeleteFileW(logPath.c_str());
    std::wstring command = L"\"" + medium.setup + L"\" /Q /log \"" + logPath + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    SetupRun run;
    const double start = Now();
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::wprintf(L"setup.exe could not be started (%lu)\n", ::GetLastError());
        return run;
    }
    // The peak working set is asked for while the process runs: once it has
    // ended, Wine no longer knows it (it reads the figure of the live process).
    SIZE_T peak = 0;
    for (;;) {
        const DWORD waited = ::WaitForSingleObject(process.hProcess, 20);
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof(counters);
        if (::GetProcessMemoryInfo(process.hProcess, &counters, sizeof(counters)))
            peak = std::max(peak, counters.PeakWorkingSetSize);
        if (waited != WAIT_TIMEOUT) break;
    }
    run.seconds = Now() - start;
    run.peakMb = peak / 1048576.0;
    ::GetExitCodeProcess(process.hProcess, &run.exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    run.log = LogLines(logPath);
    if (run.exitCode != 0) std::wprintf(L"  setup.exe ended with %lu (see %ls)\n", run.exitCode, logPath.c_str());
    return run;
}

// The time of the first line that starts with text; negative when there is none.
double FirstLine(const SetupRun& run, const char* text)
{
    for (const LogLine& line : run.log)
        if (line.text.rfind(text, 0) == 0) return line.time;
    return -1;
}

// The time of the last line before the first that starts with text.
double LineBefore(const SetupRun& run, const char* text)
{
    for (size_t i = 1; i < run.log.size(); ++i)
        if (run.log[i].text.rfind(text, 0) == 0) return run.log[i - 1].time;
    return -1;
}

// What the same-work loop spent, step by step, in seconds.
struct LoopSteps {
    double folders = 0;  // package and category folders
    double logs = 0;     // opening and closing each package log, and writing its lines
    double copy = 0;     // CopyFileW of every file
    double runLog = 0;   // the run log's blocks
    double listing = 0;  // listing each package's folders on the medium
};

// The median of each step over setup.exe's runs (from their setup logs'
// lines) beside the median of the same-work loop's equivalent over its
// rounds, in microseconds per package and per file.
void StepTable(const std::vector<SetupRun>& runs, const std::vector<LoopSteps>& loops, std::size_t packages,
               std::size_t files)
{
    constexpr std::size_t kSteps = 7;
    std::vector<double> setup[kSteps];
    for (const SetupRun& run : runs) {
        const double start = FirstLine(run, "start: "), source = FirstLine(run, "source "),
                     scanned = FirstLine(run, "medium read"), choices = LineBefore(run, "folders made"),
                     folders = FirstLine(run, "folders made"), copied = FirstLine(run, "every file copied"),
                     recorded = FirstLine(run, "packages recorded"), exit = FirstLine(run, "exit code");
        if (start < 0 || source < 0 || scanned < 0 || choices < 0 || folders < 0 || copied < 0 || recorded < 0 ||
            exit < 0) {
            std::wprintf(L"  a setup log lacks a step's line\n");
            return;
        }
        const double steps[kSteps] = {(source - start) + (run.seconds - (exit - start)),
                                      scanned - source,
                                      choices - scanned,
                                      folders - choices,
                                      copied - folders,
                                      recorded - copied,
                                      exit - recorded};
        for (std::size_t i = 0; i < kSteps; ++i) setup[i].push_back(steps[i]);
    }
    auto loopMedian = [&loops](double LoopSteps::*step) {
        std::vector<double> values;
        for (const LoopSteps& loop : loops) values.push_back(loop.*step);
        return values.empty() ? -1 : bench::Median(values);
    };
    std::vector<double> copyAndLogs;
    for (const LoopSteps& loop : loops) copyAndLogs.push_back(loop.copy + loop.logs);
    auto setupMedian = [&setup](std::size_t step) { return setup[step].empty() ? -1 : bench::Median(setup[step]); };
    const struct {
        const wchar_t* name;
        double setup;  // negative: setup.exe has no such step
        double loop;   // negative: the loop has no such step
    } steps[] = {
        {L"process start, start-up", setupMedian(0), -1},
        {L"scan of the medium", setupMedian(1), loopMedian(&LoopSteps::listing)},
        {L"catalogue, administration file, package checks", setupMedian(2), -1},
        {L"package folders", setupMedian(3), loopMedian(&LoopSteps::folders)},
        {L"copy, version decisions, package logs", setupMedian(4), copyAndLogs.empty() ? -1 : bench::Median(copyAndLogs)},
        {L"  of which the loop's package logs", -1, loopMedian(&LoopSteps::logs)},
        {L"  of which the loop's run log", -1, loopMedian(&LoopSteps::runLog)},
        {L"installers and registration", setupMedian(5), -1},
        {L"summary and end", setupMedian(6), -1},
    };
    const double perPackage = 1e6 / std::max<std::size_t>(1, packages), perFile = 1e6 / std::max<std::size_t>(1, files);
    std::wprintf(L"  per step, microseconds per package / per file (medians of %zu setup.exe runs and %zu loop rounds):\n",
                 runs.size(), loops.size());
    for (const auto& step : steps) {
        std::wprintf(L"    %-48ls", step.name);
        if (step.setup >= 0)
            std::wprintf(L" setup.exe %8.0f / %6.0f", step.setup * perPackage, step.setup * perFile);
        else
            std::wprintf(L" %26ls", L"");
        if (step.loop >= 0) std::wprintf(L"   loop %8.0f / %6.0f", step.loop * perPackage, step.loop * perFile);
        std::wprintf(L"\n");
    }
}

// The files of a medium by package, in the order the program takes them.
std::vector<std::vector<const bench::SourceFile*>> ByPackage(const std::vector<bench::SourceFile>& files)
{
    std::map<std::wstring, std::vector<const bench::SourceFile*>> packages;
    for (const auto& f : files) packages[f.relative.substr(0, f.relative.find(L'\\'))].push_back(&f);
    std::vector<std::vector<const bench::SourceFile*>> list;
    for (auto& [name, files] : packages) list.push_back(std::move(files));
    return list;
}

// A log opened for appending, as the program opens its logs.
HANDLE OpenAppend(const std::wstring& path)
{
    return ::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

void Append(HANDLE log, const std::string& text)
{
    DWORD written = 0;
    ::WriteFile(log, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());  // the benchmark's paths are ASCII
}


// Every entry of folder read, as an installer reads a folder it copies.
void ListFolder(const std::wstring& folder)
{
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return;
    while (::FindNextFileW(find, &data)) {
    }
    ::FindClose(find);
}

// The loop that does the program's work by hand, as tightly as a careful
// installer would write it: below dest (made beforehand, not timed), each
// package's source folders listed (an installer learns a package's files from
// its folders), the package folder with its seven category folders, every file
// copied with CopyFileW, a package log of its own ("dir" lines, then a line
// per file) written in one go, and the same "file" lines gathered for the
// run's log, which is written in blocks.
double SameWorkCopy(const std::vector<std::vector<const bench::SourceFile*>>& packages, const std::wstring& dest,
                    LoopSteps& steps)
{
    static const wchar_t* categories[] = {L"lvk", L"dtb", L"cad", L"pic", L"geo", L"sym", L"att"};
    constexpr std::size_t kBlock = 64 * 1024;
    bench::MakeFolders(dest);
    const double start = Now();
    HANDLE runLog = OpenAppend(dest + L"\\.UNINST.INF");
    std::string runLines, packageLines;
    std::vector<std::wstring> sourceFolders;
    double t = Now();
    auto lap = [&t](double& step) {
        const double now = Now();
        step += now - t;
        t = now;
    };
    for (const auto& files : packages) {
        sourceFolders.clear();
        for (const bench::SourceFile* f : files) {
            const std::wstring folder = f->source.substr(0, f->source.rfind(L'\\'));
            if (std::find(sourceFolders.begin(), sourceFolders.end(), folder) == sourceFolders.end())
                sourceFolders.push_back(folder);
        }
        for (const std::wstring& folder : sourceFolders) ListFolder(folder);
        lap(steps.listing);
        const std::wstring relative = files.front()->relative;
        const std::wstring folder = dest + L"\\" + relative.substr(0, relative.find(L'\\'));
        ::CreateDirectoryW(folder.c_str(), nullptr);
        for (const wchar_t* category : categories) ::CreateDirectoryW((folder + L"\\" + category).c_str(), nullptr);
        lap(steps.folders);
        const std::string narrowFolder = Narrow(folder);
        packageLines = "dir " + narrowFolder + "\n";
        for (const wchar_t* category : categories) packageLines += "dir " + narrowFolder + "\\" + Narrow(category) + "\n";
        runLines += "file 0 0 " + narrowFolder + "\\_uninst.inf\n";
        for (const bench::SourceFile* f : files) {
            const std::wstring to = dest + L"\\" + f->relative;
            if (!::CopyFileW(f->source.c_str(), to.c_str(), FALSE))
                std::wprintf(L"same-work copy failed: %ls (%lu)\n", f->source.c_str(), ::GetLastError());
            const std::string line = "file 0 0 " + Narrow(to) + "\n";
            packageLines += line;
            runLines += line;
        }
        lap(steps.copy);
        HANDLE packageLog = OpenAppend(folder + L"\\_uninst.inf");
        Append(packageLog, packageLines);
        ::CloseHandle(packageLog);
        lap(steps.logs);
        if (runLines.size() >= kBlock) {
            Append(runLog, runLines);
            runLines.clear();
            lap(steps.runLog);
        }
    }
    Append(runLog, runLines);
    ::CloseHandle(runLog);
    lap(steps.runLog);
    return Now() - start;
}


// Seconds of the three ways over one medium, in turns.
struct Figures {
    std::vector<double> plain, same, setup;
    std::vector<double> peakMb;  // of each setup.exe run
    std::vector<SetupRun> runs;   // each setup.exe run, with its setup log's lines
    std::vector<LoopSteps> loop;  // each round of the same-work loop
};

// The plain loop, the same-work loop and setup.exe in turns, each round in
// another order, so that the page cache's write-back weighs on all three
// alike. The plain loop only when withPlain.
Figures InTurns(const Medium& medium, DataFolderAside& data, const std::wstring& base, int pairs, bool withPlain,
                int settleSeconds)
{
    Figures f;
    const auto packages = ByPackage(medium.list);
    // The loops write where setup.exe does (the data folder is set aside meanwhile):
    // the same disk, the same parent folders.
    const std::wstring plainDir = data.Path() + L"\\local", sameDir = plainDir, logPath = base + L"\\setup.log";
    const std::function<void()> ways[] = {
        [&] {
            if (!withPlain) return;
            data.Fresh();
            f.plain.push_back(bench::PlainCopy(medium.list, plainDir));
        },
        [&] {
            data.Fresh();
            f.same.push_back(SameWorkCopy(packages, sameDir, f.loop.emplace_back()));
        },
        [&] {
            const SetupRun& run = f.runs.emplace_back(RunSetup(medium, data, logPath));
            f.setup.push_back(run.seconds);
            f.peakMb.push_back(run.peakMb);
        },
    };
    // Deletions made before (the last medium, its installations) are waited
    // out, so that the first way starts as the others do.
    ::Sleep(settleSeconds * 1000);
    // The six orders in turn: each way comes after each other one about
    // equally often (a rotation would put setup.exe after the same-work loop's
    // tens of thousands of folders every time, and the loop never after it).
    static const int orders[6][3] = {{0, 1, 2}, {2, 1, 0}, {1, 2, 0}, {0, 2, 1}, {1, 0, 2}, {2, 0, 1}};
    for (int round = 0; round < pairs; ++round)
        for (const int way : orders[round % 6]) ways[way]();
    data.RemoveSetAside();
    return f;
}

// The median over the rounds of setup.exe's time against the same-work
// loop's of the same round: the two ran minutes apart at most, on the disk as
// that round found it.
double PairedRatio(const Figures& f)
{
    std::vector<double> ratios;
    for (std::size_t i = 0; i < f.setup.size() && i < f.same.size(); ++i)
        if (f.same[i] > 0) ratios.push_back(f.setup[i] / f.same[i]);
    return ratios.empty() ? 0 : bench::Median(ratios);
}

void Report(const wchar_t* what, const Medium& medium, const Figures& f)
{
    const double setup = bench::Median(f.setup), same = bench::Median(f.same);
    std::wprintf(L"%ls: %zu files; setup.exe %ls s; same-work loop %ls s", what, medium.list.size(),
                 bench::List(f.setup).c_str(), bench::List(f.same).c_str());
    if (!f.plain.empty()) std::wprintf(L"; plain CopyFileW loop %ls s", bench::List(f.plain).c_str());
    std::wprintf(L"\n  medians: setup.exe %.2f s, same-work %.2f s: ratio %.2f (fastest %.2f)", setup, same, setup / same,
                 bench::Fastest(f.setup) / bench::Fastest(f.same));
    if (!f.plain.empty()) {
        const double plain = bench::Median(f.plain);
        std::wprintf(L"; plain %.2f s: ratio %.2f (fastest %.2f)", plain, setup / plain,
                     bench::Fastest(f.setup) / bench::Fastest(f.plain));
    }
    // Handed the list of files, a loop would not read the medium's folders.
    std::vector<double> unlisted;
    for (std::size_t i = 0; i < f.same.size() && i < f.loop.size(); ++i) unlisted.push_back(f.same[i] - f.loop[i].listing);
    const double withoutListing = unlisted.empty() ? same : bench::Median(unlisted);
    std::wprintf(L"\n  same-work loop without its listing of the medium %.2f s: ratio %.2f", withoutListing,
                 setup / withoutListing);
    std::wprintf(L"\n  peak working set of setup.exe: %ls MB\n", bench::List(f.peakMb).c_str());
    StepTable(f.runs, f.loop, ByPackage(medium.list).size(), medium.list.size());
}

// setup.exe on a medium of one file section against a plain CopyFileW loop of
// the same files into the same folders (made as it reaches them), in turns.
void SectionCase(const std::wstring& base, DataFolderAside& data, int entries, int perFolder, int pairs, int settle,
                 double perPackagedFile)
{
    const Medium medium(base + L"\\section", 1, 1, 0);
    AddFileSection(medium, entries, perFolder);
    std::vector<double> seconds, peaks, plain;
    const std::function<void()> ways[] = {
        [&] {
            data.Fresh();
            const double start = Now();
            for (int i = 0; i < entries; ++i) {
                const std::wstring folder = SectionFolder(i, entries, perFolder);
                if (i % perFolder == 0) bench::MakeFolders(data.Path() + L"\\" + folder);
                wchar_t name[32];
                std::swprintf(name, 32, L"\\s%06d.dat", i);
                const std::wstring from = medium.root + L"\\" + folder + name, to = data.Path() + L"\\" + folder + name;
                if (!::CopyFileW(from.c_str(), to.c_str(), FALSE))
                    std::wprintf(L"plain copy failed: %ls (%lu)\n", to.c_str(), ::GetLastError());
            }
            plain.push_back(Now() - start);
        },
        [&] {
            const SetupRun run = RunSetup(medium, data, base + L"\\setup.log");
            seconds.push_back(run.seconds);
            peaks.push_back(run.peakMb);
        },
    };
    ::Sleep(settle * 1000);
    for (int round = 0; round < pairs; ++round)
        for (int i = 0; i < 2; ++i) ways[(round + i) % 2]();
    const double median = bench::Median(seconds), perEntry = median / entries;
    const std::wstring where = perFolder >= entries ? L"one folder" : L"folders of " + std::to_wstring(perFolder) + L" files";
    std::wprintf(L"a file section of %d entries into %ls: setup.exe %ls s; plain CopyFileW loop %ls s\n"
                 L"  medians: setup.exe %.2f s, plain %.2f s: ratio %.2f; %.2f ms an entry",
                 entries, where.c_str(), bench::List(seconds).c_str(), bench::List(plain).c_str(), median,
                 bench::Median(plain), median / bench::Median(plain), perEntry * 1e3);
    if (perPackagedFile > 0)
        std::wprintf(L", %.2f times a packaged file (%.2f ms)", perEntry / perPackagedFile, perPackagedFile * 1e3);
    std::wprintf(L"\n  peak working set of setup.exe: %ls MB\n", bench::List(peaks).c_str());
    data.RemoveSetAside();
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const int files = bench::IntArg(argc, argv, L"--files", 20000);
    const int packages = std::max(1, bench::IntArg(argc, argv, L"--packages", 20));
    const int big = bench::IntArg(argc, argv, L"--big", 0);
    const int bigMb = bench::IntArg(argc, argv, L"--big-mb", 256);
    const int many = bench::IntArg(argc, argv, L"--many", 5000);
    const int more = bench::IntArg(argc, argv, L"--more", 10000);
    const int section = bench::IntArg(argc, argv, L"--section", 10000);
    const int pairs = std::max(1, bench::IntArg(argc, argv, L"--pairs", 5));
    const int settle = std::max(0, bench::IntArg(argc, argv, L"--settle", 35));
    // A package's files spread over its eight folders.
    const int perFolder = std::max(1, bench::IntArg(argc, argv, L"--per-folder", std::max(1, files / packages / 8)));

    std::setvbuf(stdout, nullptr, _IONBF, 0);  // figures stay when a run is cut short
    // Where a quiet run installs: the program's own answer, without a box.
    WindowsUi ui;
    std::wstring dataFolder;
    if (!DataFolder(ui, dataFolder, true)) {
        std::wprintf(L"no data folder on this machine\n");
        return 1;
    }
    // The follow-up program closes at once: no run waits for it, but it should not linger.
    ::SetEnvironmentVariableW(L"POSTSETUP_CLOSE_MS", L"100");
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring base = std::wstring(temp) + L"ovksetupbench_" + std::to_wstring(::GetCurrentProcessId());
    bench::MakeFolders(base);
    std::wprintf(L"data under %ls; medians of %d rounds in turns\n", base.c_str(), pairs);
    {
        DataFolderAside data(dataFolder);
        double perPackagedFile = 0;  // seconds of setup.exe per file of the small-files medium
        if (files > 0) {
            const Medium medium(base + L"\\small", packages, files, 0);
            const Figures f = InTurns(medium, data, base, pairs, true, settle);
            Report(L"small files", medium, f);
            perPackagedFile = bench::Median(f.setup) / files;
        }
        if (big > 0) {
            const Medium medium(base + L"\\big", 1, big, static_cast<uint64_t>(bigMb) << 20);
            Report(L"large files", medium, InTurns(medium, data, base, pairs, true, settle));
        }
        if (section > 0) {
            // Into one folder, a folder of thousands of files costs every create
            // there more under Wine, whoever makes it; in folders the size of a
            // package's, an entry meets a packaged file on equal ground.
            SectionCase(base, data, section, section, pairs, settle, perPackagedFile);
            SectionCase(base, data, section, perFolder, pairs, settle, perPackagedFile);
        }
        double manySetup = 0, manySame = 0, manyPaired = 0;
        for (const int count : {many, more}) {
            if (count <= 0) continue;
            const Medium medium(base + L"\\many", count, count, 0);
            const Figures f = InTurns(medium, data, base, pairs, true, settle);
            Report((std::to_wstring(count) + L" packages of one file each").c_str(), medium, f);
            if (count == more && manySetup > 0) {
                std::wprintf(L"  growth from %d to %d packages: setup.exe %.2f times, same-work loop %.2f times\n", many,
                             more, bench::Median(f.setup) / manySetup, bench::Median(f.same) / manySame);
                std::wprintf(L"  setup.exe against the loop of its round: %.2f at %d packages, %.2f at %d (medians of "
                             L"the rounds' ratios): setup.exe grows %.2f times as steeply\n",
                             manyPaired, many, PairedRatio(f), more, PairedRatio(f) / manyPaired);
            }
            manyPaired = PairedRatio(f);
            manySetup = bench::Median(f.setup);
            manySame = bench::Median(f.same);
        }
    }
    RemoveTree(base);
    return 0;
}
