// Load, Refresh and Save of the administration file with many packages: the
// catalogue merge as a run with a large medium would do it.
#include "support/TempDir.h"
#include "catalogue/FirmenArray.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

std::string PackageId(int i)
{
    const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string id(3, '0');
    for (int pos = 2; pos >= 0; --pos) {
        id[static_cast<std::size_t>(pos)] = digits[i % 36];
        i /= 36;
    }
    return id;
}

std::string Packages(int n, const char* version, bool installed)
{
    std::string text = "[manufacturers]\r\n";
    for (int i = 0; i < n; ++i) {
        const std::string id = PackageId(i);
        text += id + "=" + id + "\r\n";
    }
    for (int i = 0; i < n; ++i) {
        const std::string id = PackageId(i);
        text += "[" + id + "]\r\nname=Maker " + id + "\r\ndbname=db" + id + "\r\nproducts=12\r\ndirname=Maker" + id +
                "\r\ndisc=DVD1\r\nversion=" + version + "\r\nplugin=inst.exe\r\n";
        text += installed ? "status=2\r\nlocalpath=C:\\Data\\Local\r\n" : "status=0\r\n";
    }
    return text;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now;
}

void Run(int n)
{
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"catalogue_bench_" + std::to_wstring(n);
    const std::wstring data = folder + L"\\data";
    const std::wstring admin = folder + L"\\orvekAdmin.ini";
    const std::wstring catalogue = data + L"\\ovkdata.inf";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    ::CreateDirectoryW(data.c_str(), nullptr);
    std::string dataAnsi(data.begin(), data.end());
    WriteBytes(admin, "[basepath]\r\npath=" + dataAnsi + "\r\ndefpath=C:\\\r\n[Land]\r\nCountry=49\r\n" +
                              Packages(n, "1", true));
    WriteBytes(catalogue, Packages(n, "2", false));

    LARGE_INTEGER t0 = Now();
    CFirmenArray known;
    known.Load(admin, data, L"");
    LARGE_INTEGER t1 = Now();
    // Once more: the platform has the file in its cache now.
    known.Load(admin, data, L"");
    LARGE_INTEGER t2 = Now();

    // Every catalogue record is newer: each is written to the administration file.
    CFirmenArray list;
    list.SetAdminFile(admin);
    int refresh = list.Refresh();
    LARGE_INTEGER t3 = Now();

    // Every package installed anew, as the registration after copying marks them.
    for (std::size_t i = 0; i < list.GetSize(); ++i) {
        list[i]->status |= 0x10 | kStatusChanged;
        list[i]->localpath = L"D:\\Data\\New";
    }
    bool saved = list.Save();
    LARGE_INTEGER t4 = Now();

    WIN32_FILE_ATTRIBUTE_DATA info{};
    ::GetFileAttributesExW(admin.c_str(), GetFileExInfoStandard, &info);
    std::printf("%5d packages: Load %8.3f s (again %8.3f s)  Refresh %8.3f s  Save %8.3f s"
                "  (known %zu, merged %zu, refresh %d, save %s, file %lu KB)\n",
                n, Seconds(t0, t1), Seconds(t1, t2), Seconds(t2, t3), Seconds(t3, t4), known.GetSize(),
                list.GetSize(), refresh, saved ? "ok" : "FAILED", info.nFileSizeLow / 1024);
    std::fflush(stdout);

    ::DeleteFileW(admin.c_str());
    ::DeleteFileW(catalogue.c_str());
    ::RemoveDirectoryW(data.c_str());
    ::RemoveDirectoryW(folder.c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(static_cast<int>(std::wcstol(argv[i], nullptr, 10)));
    if (sizes.empty()) sizes = {100, 1000, 5000};
    for (int n : sizes)
        if (n > 0) Run(n);
    return 0;
}
