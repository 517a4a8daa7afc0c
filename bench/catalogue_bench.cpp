// Load, Refresh and Save of the administration file with many packages: the
// catalogue merge as a run with a large medium would do it.
#include "harness/BenchHarness.h"
#include "support/TempDir.h"
#include "catalogue/FirmenArray.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using bench::PackageId;

std::string Packages(int n, const char* version, bool installed)
{
    std::string text = "[manufacturers]\r\n";
    for (int i = 0; i < n; ++i) {
        const std::string id = PackageId(i);
        text += id + "=" + id + "\r\n";
    }
    for (int i = 0; i < n; ++i) {
        const std::string id = PackageId(i);
        // Name and disc change with the version, so a newer record changes the file.
        text += "[" + id + "]\r\nname=Maker " + id + " " + version + "\r\ndbname=db" + id +
                "\r\nproducts=12\r\ndirname=Maker" + id + "\r\ndisc=DVD" + version + "\r\nversion=" + version +
                "\r\nplugin=inst.exe\r\n";
        text += installed ? "status=2\r\nlocalpath=C:\\Data\\Local\r\n" : "status=0\r\n";
    }
    return text;
}

// One Load + Refresh + Save of n packages; gives their seconds together.
double Run(int n)
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

    const double t0 = bench::Now();
    CFirmenArray known;
    known.Load(admin, data, L"");
    const double t1 = bench::Now();
    // Once more: the system has the file in its cache now.
    known.Load(admin, data, L"");
    const double t2 = bench::Now();

    // Every catalogue record is newer: each is written to the administration file.
    CFirmenArray list;
    list.SetAdminFile(admin);
    const int refresh = static_cast<int>(list.Refresh().result);
    const double t3 = bench::Now();

    // Every package installed anew, as the registration after copying marks them.
    for (std::size_t i = 0; i < list.GetSize(); ++i) {
        list[i]->status |= 0x10 | kStatusChanged;
        list[i]->localpath = L"D:\\Data\\New";
    }
    const bool saved = static_cast<bool>(list.Save());
    const double t4 = bench::Now();
    const double together = (t1 - t0) + (t4 - t2);

    // The merge's names are in the file, read as the product reads it.
    wchar_t merged[32] = {};
    ::GetPrivateProfileStringW(L"000", L"name", L"", merged, 32, admin.c_str());

    WIN32_FILE_ATTRIBUTE_DATA info{};
    ::GetFileAttributesExW(admin.c_str(), GetFileExInfoStandard, &info);
    std::printf("%5d packages: Load %7.3f s (again %7.3f s)  Refresh %7.3f s  Save %7.3f s  together %7.3f s"
                "  (known %zu, merged %zu, refresh %d %ls, save %s, file %lu KB)\n",
                n, (t1 - t0), (t2 - t1), (t3 - t2), (t4 - t3),
                together, known.GetSize(), list.GetSize(), refresh,
                std::wcscmp(merged, L"Maker 000 2") == 0 ? L"written" : L"NOT WRITTEN", saved ? "ok" : "FAILED",
                info.nFileSizeLow / 1024);
    std::fflush(stdout);

    ::DeleteFileW(admin.c_str());
    ::DeleteFileW(catalogue.c_str());
    ::RemoveDirectoryW(data.c_str());
    ::RemoveDirectoryW(folder.c_str());
    return together;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(static_cast<int>(std::wcstol(argv[i], nullptr, 10)));
    if (sizes.empty()) sizes = {100, 1000, 5000, 10000};
    // Each size five times, the best counts: the machine is shared.
    std::vector<double> best;
    for (int n : sizes) {
        double fastest = 0;
        for (int round = 0; round < 5 && n > 0; ++round) {
            const double seconds = Run(n);
            if (round == 0 || seconds < fastest) fastest = seconds;
        }
        best.push_back(fastest);
    }
    std::printf("best of five, Load + Refresh + Save:");
    for (std::size_t i = 0; i < sizes.size(); ++i) std::printf("  %d: %.3f s", sizes[i], best[i]);
    std::printf("\n");
    for (std::size_t i = 0; i + 1 < sizes.size(); ++i)
        if (best[i] > 0 && sizes[i + 1] == 2 * sizes[i])
            std::printf("%d against %d packages: %.2f times\n", sizes[i + 1], sizes[i], best[i + 1] / best[i]);
    return 0;
}
