// setup.exe /check on a medium of many packages of one file each (the medium of
// setup_bench's many-package figure): the process from its start to its end,
// and its exit code. Sizes from the command line: --many 5000 --rounds 5.
#include "harness/BenchHarness.h"
#include "support/TempDir.h"
#include "framework/UserInterface.h"
#include "platform/PathUtil.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// seconds of one check of the medium whose program is setup; exitCode its end.
double RunCheck(const std::wstring& setup, const std::wstring& logPath, DWORD& exitCode)
{
    ::DeleteFileW(logPath.c_str());
    std::wstring command = L"\"" + setup + L"\" /check /log \"" + logPath + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const double start = bench::Now();
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::wprintf(L"setup.exe could not be started (%lu)\n", ::GetLastError());
        exitCode = ~0u;
        return 0;
    }
    ::WaitForSingleObject(process.hProcess, INFINITE);
    const double seconds = bench::Now() - start;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return seconds;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const int many = bench::IntArg(argc, argv, L"--many", 5000);
    const int rounds = bench::IntArg(argc, argv, L"--rounds", 5);
    std::setvbuf(stdout, nullptr, _IONBF, 0);

    std::wstring program;
    fw::ProgramPath(program);
    const std::wstring build = FolderPart(program) + L"..";
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring root = std::wstring(temp) + L"ovkcheckbench_" + std::to_wstring(::GetCurrentProcessId());
    const std::wstring install = root + L"\\install";
    bench::MakeMedium(root, install, many, many, 0);
    const std::wstring setup = install + L"\\setup.exe";
    ::CopyFileW((build + L"\\setup.exe").c_str(), setup.c_str(), FALSE);
    ::CopyFileW((build + L"\\lang\\res_09.dll").c_str(), (install + L"\\res_09.dll").c_str(), FALSE);

    std::vector<double> seconds;
    DWORD exitCode = 0;
    for (int round = 0; round < rounds; ++round) seconds.push_back(RunCheck(setup, root + L"\\check.log", exitCode));
    std::wprintf(L"setup.exe /check of %d packages of one file each: %ls s (median %.2f s), exit code %lu\n", many,
                 bench::List(seconds).c_str(), bench::Median(seconds), exitCode);
    RemoveTree(root);
    return 0;
}
