#include "harness/BenchHarness.h"

#include "support/TempDir.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>

namespace bench {

double Now()
{
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void MakeFolders(const std::wstring& path)
{
    for (size_t pos = path.find(L'\\', 3);; pos = path.find(L'\\', pos + 1)) {
        ::CreateDirectoryW(path.substr(0, pos).c_str(), nullptr);
        if (pos == std::wstring::npos) break;
    }
}

bool WriteFileOfSize(const std::wstring& path, uint64_t size, const std::vector<char>& pattern)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    for (uint64_t done = 0; ok && done < size;) {
        const DWORD chunk = static_cast<DWORD>(std::min<uint64_t>(pattern.size(), size - done));
        DWORD written = 0;
        ok = ::WriteFile(file, pattern.data(), chunk, &written, nullptr) && written == chunk;
        done += chunk;
    }
    ::CloseHandle(file);
    return ok;
}

std::vector<char> Pattern()
{
    std::vector<char> pattern(1 << 20);
    uint32_t seed = 12345;
    for (char& c : pattern) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 24);
    return pattern;
}

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

int IntArg(int argc, wchar_t** argv, const wchar_t* name, int fallback)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::wcscmp(argv[i], name) == 0) return std::wcstol(argv[i + 1], nullptr, 10);
    return fallback;
}

std::wstring List(const std::vector<double>& seconds)
{
    std::wstring text;
    for (double s : seconds) {
        wchar_t one[32];
        std::swprintf(one, 32, L"%s%.2f", text.empty() ? L"" : L" ", s);
        text += one;
    }
    return text;
}

double Fastest(const std::vector<double>& seconds)
{
    return seconds.empty() ? 0.0 : *std::min_element(seconds.begin(), seconds.end());
}

double Median(std::vector<double> seconds)
{
    if (seconds.empty()) return 0.0;
    std::sort(seconds.begin(), seconds.end());
    const size_t middle = seconds.size() / 2;
    return seconds.size() % 2 ? seconds[middle] : (seconds[middle - 1] + seconds[middle]) / 2;
}

std::vector<SourceFile> MakeMedium(const std::wstring& root, const std::wstring& scriptFolder, int packages,
                                   int files, uint64_t fixedSize)
{
    static const wchar_t* folders[] = {L"", L"cad", L"dtb", L"lvk", L"pic", L"geo", L"sym", L"att"};
    const std::vector<char> pattern = Pattern();
    uint32_t seed = 12345;

    MakeFolders(root + L"\\data");
    std::string catalogue = "[manufacturers]\r\n";
    std::string sections;
    for (int p = 0; p < packages; ++p) {
        const std::string id = PackageId(p);
        catalogue += id + "=" + id + "\r\n";
        sections += "[" + id + "]\r\nname=Package " + id + "\r\ndbname=db" + id + "\r\ndirname=Pkg" + id + "\r\n";
    }
    std::vector<SourceFile> list;
    for (int i = 0; i < files; ++i) {
        const std::string id = PackageId(i % packages);
        const wchar_t* folder = folders[(i / packages) % 8];
        wchar_t name[32];
        std::swprintf(name, 32, L"f%06d.dat", i);
        const std::wstring package = L"Pkg" + std::wstring(id.begin(), id.end());
        const std::wstring relative = package + (*folder ? L"\\" : L"") + folder + L"\\" + name;
        const std::wstring source = root + L"\\data\\" + relative;
        if (i < packages * 8) MakeFolders(source.substr(0, source.rfind(L'\\')));
        seed = seed * 1103515245u + 12345u;
        const uint64_t size = fixedSize ? fixedSize : 4096 + (seed >> 8) % (12 * 1024 + 1);
        if (!WriteFileOfSize(source, size, pattern)) std::wprintf(L"cannot write %ls\n", source.c_str());
        list.push_back({source, relative});
    }
    WriteBytes(root + L"\\data\\ovkdata.inf", catalogue + sections);
    MakeFolders(scriptFolder);
    WriteBytes(scriptFolder + L"\\DataSetup.inf", "[Install32]\r\nDotNetFx=0\r\n");
    return list;
}

double PlainCopy(const std::vector<SourceFile>& files, const std::wstring& dest)
{
    for (const auto& f : files) {
        const std::wstring to = dest + L"\\" + f.relative;
        MakeFolders(to.substr(0, to.rfind(L'\\')));
    }
    const double start = Now();
    for (const auto& f : files)
        if (!::CopyFileW(f.source.c_str(), (dest + L"\\" + f.relative).c_str(), FALSE))
            std::wprintf(L"plain copy failed: %ls (%lu)\n", f.source.c_str(), ::GetLastError());
    return Now() - start;
}

}  // namespace bench
