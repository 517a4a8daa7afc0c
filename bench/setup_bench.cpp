// The whole program: a quiet run of setup.exe on a generated medium, timed as a
// process from its start to its end, against a plain CopyFileW loop over the
// same files in this process, in turns; then a medium whose catalogue holds many
// packages of one small file each, where the setup log's times give the merge
// and registration. Sizes from the command line (defaults: the full figures):
// --files 20000 --packages 20 --big 8 --big-mb 256 --many 5000 --rounds 3.
// The machine's data folder (where a quiet run installs) is set aside while the
// benchmark runs and put back afterwards.
#include "harness/BenchHarness.h"
#include "support/TempDir.h"
#include "catalogue/AppData.h"
#include "dialogs/WindowsUi.h"
#include "framework/UserInterface.h"
#include "platform/PathUtil.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
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
        RemoveTree(folder_);
        ::MoveFileW(saved_.c_str(), folder_.c_str());
    }
    DataFolderAside(const DataFolderAside&) = delete;
    DataFolderAside& operator=(const DataFolderAside&) = delete;

    // An empty administration file, as a product installation leaves it.
    void Fresh() const
    {
        RemoveTree(folder_);
        bench::MakeFolders(folder_);
        WriteBytes(folder_ + L"\\orvekAdmin.ini", "[basepath]\r\npath=\r\n");
    }
    const std::wstring& Path() const { return folder_; }

private:
    std::wstring folder_;
    std::wstring saved_;
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

// The times of the setup log's lines ("2026-12-08 05:20:13.481  text"), in
// seconds of the day, by the start of the text; the last line of each wins.
std::map<std::string, double> LogTimes(const std::wstring& path)
{
    std::map<std::string, double> times;
    const std::string text = ReadBytes(path);
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        unsigned y, mo, d, h, mi, s, ms;
        if (line.size() < 25 || std::sscanf(line.c_str(), "%u-%u-%u %u:%u:%u.%u", &y, &mo, &d, &h, &mi, &s, &ms) != 7)
            continue;
        times[line.substr(25, 24)] = h * 3600.0 + mi * 60.0 + s + ms / 1000.0;
    }
    return times;
}

struct SetupRun {
    double seconds = 0;
    DWORD exitCode = 0;
    std::map<std::string, double> log;
};

// One quiet run of setup.exe over a fresh data folder; the process from start to end.
SetupRun RunSetup(const Medium& medium, const DataFolderAside& data, const std::wstring& logPath)
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
    ::WaitForSingleObject(process.hProcess, INFINITE);
    run.seconds = Now() - start;
    ::GetExitCodeProcess(process.hProcess, &run.exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    run.log = LogTimes(logPath);
    if (run.exitCode != 0) std::wprintf(L"  setup.exe ended with %lu (see %ls)\n", run.exitCode, logPath.c_str());
    return run;
}

// Seconds between two lines of the setup log, by the start of their text.
double Between(const SetupRun& run, const char* from, const char* to)
{
    const auto a = run.log.lower_bound(from), b = run.log.lower_bound(to);
    if (a == run.log.end() || b == run.log.end() || a->first.rfind(from, 0) != 0 || b->first.rfind(to, 0) != 0)
        return -1;
    double seconds = b->second - a->second;
    return seconds < 0 ? seconds + 86400 : seconds;
}

void Steps(const SetupRun& run)
{
    std::wprintf(L"  from the setup log: start to source %.2f s, to the administration file %.2f s (scan and"
                 L" element list), copy and file trees %.2f s, merge and registration %.2f s; the process outside"
                 L" its log %.2f s\n",
                 Between(run, "start: ", "source "), Between(run, "source ", "administration file"),
                 Between(run, "administration file", "every file copied"),
                 Between(run, "every file copied", "packages recorded"),
                 run.seconds - Between(run, "start: ", "exit code"));
}

// Plain loop and setup.exe in turns (plain first in the odd rounds): the page
// cache's write-back weighs on both alike; the fastest of each are compared.
void CompareWithPlainCopy(const wchar_t* what, const Medium& medium, const DataFolderAside& data,
                          const std::wstring& base, int rounds)
{
    std::vector<double> plain, setup;
    SetupRun last;
    const std::wstring plainDir = base + L"\\plain", logPath = base + L"\\setup.log";
    auto plainRound = [&] {
        plain.push_back(bench::PlainCopy(medium.list, plainDir));
        RemoveTree(plainDir);
    };
    auto setupRound = [&] {
        last = RunSetup(medium, data, logPath);
        setup.push_back(last.seconds);
    };
    for (int round = 0; round < rounds; ++round) {
        if (round % 2 == 0) {
            plainRound();
            setupRound();
        } else {
            setupRound();
            plainRound();
        }
    }
    // Single runs of either vary by a third on a shared machine: both the fastest and the medians.
    const double p = bench::Fastest(plain), s = bench::Fastest(setup);
    std::wprintf(L"%ls: %zu files; plain CopyFileW %ls s, setup.exe %ls s; fastest %.2f s and %.2f s: ratio %.2f;"
                 L" ratio of the medians %.2f\n",
                 what, medium.list.size(), bench::List(plain).c_str(), bench::List(setup).c_str(), p, s, s / p,
                 bench::Median(setup) / bench::Median(plain));
    Steps(last);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const int files = bench::IntArg(argc, argv, L"--files", 20000);
    const int packages = std::max(1, bench::IntArg(argc, argv, L"--packages", 20));
    const int big = bench::IntArg(argc, argv, L"--big", 8);
    const int bigMb = bench::IntArg(argc, argv, L"--big-mb", 256);
    const int many = bench::IntArg(argc, argv, L"--many", 5000);
    const int rounds = std::max(1, bench::IntArg(argc, argv, L"--rounds", 3));

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
    std::wprintf(L"data under %ls\n", base.c_str());
    {
        const DataFolderAside data(dataFolder);
        if (files > 0) {
            const Medium medium(base + L"\\small", packages, files, 0);
            CompareWithPlainCopy(L"small files", medium, data, base, rounds);
        }
        if (big > 0) {
            const Medium medium(base + L"\\big", 1, big, static_cast<uint64_t>(bigMb) << 20);
            CompareWithPlainCopy(L"large files", medium, data, base, rounds);
        }
        if (many > 0) {
            const Medium medium(base + L"\\many", many, many, 0);
            std::vector<double> seconds, merge;
            SetupRun last;
            for (int round = 0; round < rounds; ++round) {
                last = RunSetup(medium, data, base + L"\\setup.log");
                seconds.push_back(last.seconds);
                merge.push_back(Between(last, "every file copied", "packages recorded"));
            }
            std::wprintf(L"%d packages of one file each: setup.exe %ls s; merge and registration %ls s\n", many,
                         bench::List(seconds).c_str(), bench::List(merge).c_str());
            Steps(last);
        }
    }
    RemoveTree(base);
    return 0;
}
