// A fresh folder under the temporary folder, removed with everything in it.
#pragma once

#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder, without trailing backslash.
    const std::wstring& Path() const { return path_; }
    // Path() + "\" + relative.
    std::wstring operator/(const std::wstring& relative) const { return path_ + L"\\" + relative; }

private:
    std::wstring path_;
};

// Small file helpers for tests.
bool WriteBytes(const std::wstring& path, const std::string& bytes);
bool WriteText(const std::wstring& path, const std::wstring& utf16Text);  // written as UTF-8
std::string ReadBytes(const std::wstring& path);
bool MakeDirs(const std::wstring& path);
void RemoveTree(const std::wstring& path);
