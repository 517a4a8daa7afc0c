// Start of setup.exe to its first painted frame, loading 20 billboard pictures
// of 864 x 486 at 24 bits, and the memory a slideshow of eight pictures just
// below the per-file cap takes while every one of them is shown.
#include "support/TempDir.h"
#include "app/Billboard.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double Ms(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return double(to.QuadPart - from.QuadPart) * 1000.0 / double(f.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return t;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

std::wstring TempFolder()
{
    wchar_t base[MAX_PATH];
    ::GetTempPathW(MAX_PATH, base);
    std::wstring dir = std::wstring(base) + L"backdrop_bench_" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(dir.c_str(), nullptr);
    ::CreateDirectoryW((dir + L"\\billboard").c_str(), nullptr);
    return dir;
}

std::string Picture24(int width, int height, BYTE shade)
{
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof(ih);
    ih.biWidth = width;
    ih.biHeight = height;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(ih);
    fh.bfSize = fh.bfOffBits + stride * height;
    std::string out(reinterpret_cast<char*>(&fh), sizeof(fh));
    out.append(reinterpret_cast<char*>(&ih), sizeof(ih));
    out.append(size_t(stride) * height, char(shade));
    return out;
}

// setup.exe from a medium in dir, until its backdrop shows the expected first picture.
double StartToFirstFrame(const std::wstring& setupExe)
{
    ::SetEnvironmentVariableW(L"SETUP_HOLD_MS", L"3000");
    std::wstring cmd = L"\"" + setupExe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    LARGE_INTEGER start = Now();
    if (!::CreateProcessW(setupExe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    double result = -1;
    HDC screen = ::GetDC(nullptr);
    for (int i = 0; i < 4000 && result < 0; ++i) {
        HWND w = ::FindWindowW(nullptr, L"ORVEK Installation");
        if (w && ::IsWindowVisible(w)) {
            POINT p{432, 243};
            ::ClientToScreen(w, &p);
            if (::GetPixel(screen, p.x, p.y) == RGB(0x40, 0x40, 0x40)) result = Ms(start, Now());
        }
        if (result < 0) ::Sleep(1);
    }
    ::ReleaseDC(nullptr, screen);
    ::WaitForSingleObject(pi.hProcess, 20000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return result;
}

// The same picture written a megabyte at a time, so that making it does not
// raise the bench's own peak.
bool WritePicture24(const std::wstring& path, int width, int height, BYTE shade)
{
    const std::string head = Picture24(width, 1, shade);
    const uint64_t stride = (uint64_t(width) * 3 + 3) & ~uint64_t(3);
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    std::memcpy(&fh, head.data(), sizeof(fh));
    std::memcpy(&ih, head.data() + sizeof(fh), sizeof(ih));
    ih.biHeight = height;
    fh.bfSize = DWORD(sizeof(fh) + sizeof(ih) + stride * height);
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = ::WriteFile(file, &fh, sizeof(fh), &written, nullptr) && ::WriteFile(file, &ih, sizeof(ih), &written, nullptr);
    const std::string chunk(1 << 20, char(shade));
    for (uint64_t left = stride * height; ok && left > 0;) {
        const DWORD n = DWORD(std::min<uint64_t>(left, chunk.size()));
        ok = ::WriteFile(file, chunk.data(), n, &written, nullptr) && written == n;
        left -= n;
    }
    ::CloseHandle(file);
    return ok;
}

double PeakWorkingSetMb()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!::K32GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters))) return -1;
    return double(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

// Eight pictures of 4600 x 4600 at 24 bits (about 63.5 MB each, below the
// 64 MB a file may have), shown one after the other as the slideshow does.
void LargePictures(const std::wstring& dir, const std::wstring& script)
{
    const int count = 8, side = 4600;
    std::wstring section = L"[Billboard]\r\n";
    for (int i = 0; i < count; ++i) {
        std::wstring name = L"large" + std::to_wstring(i) + L".bmp";
        if (!WritePicture24(dir + L"\\billboard\\" + name, side, side, BYTE(i * 30))) std::printf("cannot write %ls\n", name.c_str());
        section += name + L"=1000\r\n";
    }
    WriteBytes(script, std::string(section.begin(), section.end()));
    const double before = PeakWorkingSetMb();
    LARGE_INTEGER t0 = Now();
    Billboard billboard;
    billboard.Load(dir + L"\\billboard\\", script, SIZE{864, 486});
    int shown = billboard.Shown() ? 1 : 0;
    for (int i = 1; i < count; ++i) {
        billboard.Tick();
        shown += billboard.Shown() ? 1 : 0;
    }
    const double ms = Ms(t0, Now());
    std::printf("billboard of %d pictures %dx%dx24 (%.1f MB each): %d shown, %.0f ms a picture; peak working set "
                "%.1f MB before, %.1f MB after\n",
                count, side, side, side * (side * 3.0) / (1024 * 1024), shown, ms / count, before, PeakWorkingSetMb());
    for (int i = 0; i < count; ++i) ::DeleteFileW((dir + L"\\billboard\\large" + std::to_wstring(i) + L".bmp").c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const int runs = argc > 1 ? _wtoi(argv[1]) : 5;
    const std::wstring dir = TempFolder();
    const std::wstring script = dir + L"\\setup.inf";

    // Loading 20 pictures.
    std::wstring section = L"[Billboard]\r\n";
    for (int i = 0; i < 20; ++i) {
        std::wstring name = L"p" + std::to_wstring(i) + L".bmp";
        WriteBytes(dir + L"\\billboard\\" + name, Picture24(864, 486, BYTE(i * 10)));
        section += name + L"=1000\r\n";
    }
    std::string ascii(section.begin(), section.end());
    WriteBytes(script, ascii);
    std::vector<double> loads;
    for (int r = 0; r < runs; ++r) {
        LARGE_INTEGER t0 = Now();
        Billboard billboard;
        billboard.Load(dir + L"\\billboard\\", script, SIZE{864, 486});
        loads.push_back(Ms(t0, Now()));
        if (billboard.Count() != 20 || !billboard.HasPicture(19)) std::printf("load failed\n");
    }
    std::printf("billboard load, 20 pictures 864x486x24 (%.1f MB): median %.1f ms over %d runs\n",
                20 * 864.0 * 486 * 3 / 1e6, Median(loads), runs);

    LargePictures(dir, script);

    // Start to first frame: setup.exe beside a script whose first picture is grey 0x40.
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring built = self;
    built = built.substr(0, built.find_last_of(L'\\'));
    built = built.substr(0, built.find_last_of(L'\\')) + L"\\setup.exe";
    std::wstring setupExe = dir + L"\\setup.exe";
    ::CopyFileW(built.c_str(), setupExe.c_str(), FALSE);
    WriteBytes(dir + L"\\billboard\\first.bmp", Picture24(864, 486, 0x40));
    WriteBytes(script, "[Billboard]\r\nfirst.bmp=1000\r\n");
    std::vector<double> starts;
    for (int r = 0; r < runs; ++r) {
        double ms = StartToFirstFrame(setupExe);
        if (ms < 0) {
            std::printf("start to first frame: no frame seen (is there a display?)\n");
            break;
        }
        starts.push_back(ms);
    }
    if (!starts.empty())
        std::printf("setup.exe start to first painted frame: median %.1f ms, min %.1f ms over %zu runs\n",
                    Median(starts), *std::min_element(starts.begin(), starts.end()), starts.size());

    RemoveTree(dir);
    return 0;
}
