// Load, change and Save of a profile document the size of an administration
// file with many packages: ten keys of every package record changed, as a
// merge with a newer catalogue does it.
#include "platform/ProfileDocument.h"
#include "harness/BenchHarness.h"
#include "support/TempDir.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

using bench::PackageId;

// Twelve keys per package, as the administration file holds them.
std::string Packages(int n)
{
    std::string text = "[basepath]\r\npath=C:\\Orvek\\Daten\r\ndefpath=C:\\Orvek\\\r\n[manufacturers]\r\n";
    for (int i = 0; i < n; ++i) text += PackageId(i) + "=" + PackageId(i) + "\r\n";
    for (int i = 0; i < n; ++i) {
        const std::string id = PackageId(i);
        text += "[" + id + "]\r\nname=Leuchten " + id + "\r\ndbname=db" + id + "\r\nproducts=12\r\nlocaldbname=ldb" + id +
                "\r\ndirname=Maker" + id + "\r\ndisc=DVD1\r\nversion=1\r\nplugin=inst.exe\r\nstatus=2\r\n"
                "localpath=C:\\Daten\\" + id + "\r\nversiononline=1\r\ndbname00=db" + id + "\r\n";
    }
    return text;
}

void Run(int n)
{
    TempDir dir;
    const std::wstring file = dir / L"orvekAdmin.ini";
    WriteBytes(file, Packages(n));
    static const wchar_t* const kChanged[] = {L"products", L"name",   L"dbname", L"localdbname", L"dirname",
                                              L"disc",     L"status", L"localpath", L"versiononline", L"version"};

    const double t0 = bench::Now();
    ProfileDocument doc;
    const bool loaded = doc.Load(file);
    const double t1 = bench::Now();

    int changed = 0;
    // Every package is changed.
    for (const std::wstring& id : doc.Keys(L"manufacturers")) {
        const std::wstring section = doc.Get(L"manufacturers", id, L"", 4);
        if (doc.Keys(section).empty() || doc.GetInt(section, L"status", 0) != 2) continue;
        for (const wchar_t* key : kChanged) changed += doc.Set(section, key, doc.Get(section, key, L"", 512) + L"2");
    }
    const double t2 = bench::Now();
    const bool saved = doc.Save();
    const double t3 = bench::Now();

    WIN32_FILE_ATTRIBUTE_DATA info{};
    ::GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &info);
    std::printf("%6d sections: Load %7.3f s  change %7.3f s  Save %7.3f s  total %7.3f s"
                "  (load %s, %d keys changed, save %s, file %lu KB)\n",
                n, (t1 - t0), (t2 - t1), (t3 - t2), (t3 - t0), loaded ? "ok" : "FAILED",
                changed, saved ? "ok" : "FAILED", info.nFileSizeLow / 1024);
    std::fflush(stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(static_cast<int>(std::wcstol(argv[i], nullptr, 10)));
    if (sizes.empty()) sizes = {1000, 5000, 10000};
    for (int n : sizes)
        if (n > 0) Run(n);
    return 0;
}
