// Load, change and Save of a profile document the size of an administration
// file with many packages: ten keys of every package record changed, as a
// merge with a newer catalogue does it.
#include "platform/ProfileDocument.h"
#include "support/TempDir.h"

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
    TempDir dir;
    const std::wstring file = dir / L"orvekAdmin.ini";
    WriteBytes(file, Packages(n));
    static const wchar_t* const kChanged[] = {L"products", L"name",   L"dbname", L"localdbname", L"dirname",
                                              L"disc",     L"status", L"localpath", L"versiononline", L"version"};

    LARGE_INTEGER t0 = Now();
    ProfileDocument doc;
    const bool loaded = doc.Load(file);
    LARGE_INTEGER t1 = Now();

    int changed = 0;
    // The product reads this list into 32,000 characters, about 8,000 packages;
    // here every package is changed.
    for (const std::wstring& id : doc.Keys(L"manufacturers", 1u << 20)) {
        const std::wstring section = doc.Get(L"manufacturers", id, L"", 4);
        if (doc.Keys(section).empty() || doc.GetInt(section, L"status", 0) != 2) continue;
        for (const wchar_t* key : kChanged) changed += doc.Set(section, key, doc.Get(section, key, L"", 512) + L"2");
    }
    LARGE_INTEGER t2 = Now();
    const bool saved = doc.Save();
    LARGE_INTEGER t3 = Now();

    WIN32_FILE_ATTRIBUTE_DATA info{};
    ::GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &info);
    std::printf("%6d sections: Load %7.3f s  change %7.3f s  Save %7.3f s  total %7.3f s"
                "  (load %s, %d keys changed, save %s, file %lu KB)\n",
                n, Seconds(t0, t1), Seconds(t1, t2), Seconds(t2, t3), Seconds(t0, t3), loaded ? "ok" : "FAILED",
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
