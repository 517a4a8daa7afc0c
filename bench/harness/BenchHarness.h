// What the benchmarks share: a clock, folders and files of a given size, package
// ids, the command-line figures and a generated medium.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

// Seconds on the performance counter.
double Now();

// Every folder of path, from the drive down.
void MakeFolders(const std::wstring& path);
bool WriteFileOfSize(const std::wstring& path, uint64_t size, const std::vector<char>& pattern);
// 1 MB of pseudo-random bytes from a fixed seed.
std::vector<char> Pattern();

// Three characters from 0-9 and A-Z: the catalogue names a package by three.
std::string PackageId(int i);

// "--name value" from the command line, else fallback.
int IntArg(int argc, wchar_t** argv, const wchar_t* name, int fallback);

// "1.23 4.56" for a list of seconds.
std::wstring List(const std::vector<double>& seconds);
double Fastest(const std::vector<double>& seconds);
double Median(std::vector<double> seconds);

// One file of a medium and where a plain copy puts it (relative to a destination root).
struct SourceFile {
    std::wstring source;
    std::wstring relative;
};

// A medium below root: data\ovkdata.inf with `packages` packages and their folders
// (files spread over the package root and its seven category folders), of 4 to
// 16 KB each or fixedSize when given; the data script goes to scriptFolder\DataSetup.inf.
std::vector<SourceFile> MakeMedium(const std::wstring& root, const std::wstring& scriptFolder, int packages,
                                   int files, uint64_t fixedSize);

// The plain loop a copy is measured against: CopyFileW of every file into dest
// (its folders made beforehand, not timed); seconds.
double PlainCopy(const std::vector<SourceFile>& files, const std::wstring& dest);

}  // namespace bench
