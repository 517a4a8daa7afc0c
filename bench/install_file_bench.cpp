// InstallFile over N small files (logs open, fresh destinations, then the same
// files again, which compares dates and replaces) against a plain CopyFileW loop
// over the same files in the same run.
#include "support/TempDir.h"
#include "files/logs/CopyLog.h"
#include "files/run/InstallRun.h"
#include "files/engine/InstallFile.h"
#include "files/logs/UninstallLog.h"
#include "dialogs/WindowsUi.h"
#include "files/engine/RunLogs.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::wstring Name(int i)
{
    return L"\\f" + std::to_wstring(i) + L".dat";
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const int count = argc > 1 ? _wtoi(argv[1]) : 2000;
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring base = std::wstring(temp) + L"install_file_bench_" + std::to_wstring(::GetCurrentProcessId());
    const std::wstring src = base + L"_src", viaInstall = base + L"_inst", viaCopy = base + L"_copy";
    ::CreateDirectoryW(src.c_str(), nullptr);
    ::CreateDirectoryW(viaInstall.c_str(), nullptr);
    ::CreateDirectoryW(viaCopy.c_str(), nullptr);

    std::string content(2048, 'x');
    for (int i = 0; i < count; ++i) {
        HANDLE file = ::CreateFileW((src + Name(i)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        ::CloseHandle(file);
    }

    WindowsUi ui;  // quiet installs: no box is ever shown
    auto run = std::make_unique<InstallRun>(ui);
    OpenUninstallLog(*run, viaInstall + L"\\.UNINST.INF");
    if (!std::getenv("NO_COPY_LOG")) OpenCopyLog(*run, viaInstall + L"\\update.log");

    LARGE_INTEGER t0, t1, t2, t3;
    ::QueryPerformanceCounter(&t0);
    for (int i = 0; i < count; ++i) ::CopyFileW((src + Name(i)).c_str(), (viaCopy + Name(i)).c_str(), FALSE);
    ::QueryPerformanceCounter(&t1);
    int installed = 0;
    for (int i = 0; i < count; ++i) installed += InstallFile(*run, src + Name(i), viaInstall + Name(i), nullptr, true) == 1;
    ::QueryPerformanceCounter(&t2);
    for (int i = 0; i < count; ++i) installed += InstallFile(*run, src + Name(i), viaInstall + Name(i), nullptr, true) == 1;
    ::QueryPerformanceCounter(&t3);
    run.reset();  // closes the logs

    const double copy = Seconds(t0, t1), fresh = Seconds(t1, t2), again = Seconds(t2, t3);
    std::printf("files: %d of 2048 bytes, installed %d of %d\n", count, installed, 2 * count);
    std::printf("CopyFileW loop:            %.3f s (%.3f ms/file)\n", copy, 1000 * copy / count);
    std::printf("InstallFile, new files:    %.3f s (%.3f ms/file), ratio %.2f\n", fresh, 1000 * fresh / count,
                fresh / copy);
    std::printf("InstallFile, replacing:    %.3f s (%.3f ms/file), ratio %.2f\n", again, 1000 * again / count,
                again / copy);

    RemoveTree(src);
    RemoveTree(viaInstall);
    RemoveTree(viaCopy);
    return 0;
}
