#include "RecordFile.h"

#include <cerrno>
#include <cwchar>

namespace companion {

namespace {

// Owns a file handle for the length of one append.
class FileOwner {
public:
    explicit FileOwner(HANDLE h) : handle_(h) {}
    ~FileOwner()
    {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    FileOwner(const FileOwner&) = delete;
    FileOwner& operator=(const FileOwner&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

} // namespace

std::string Utf8(std::wstring_view text)
{
    if (text.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                   nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

std::wstring OneLine(std::wstring_view text)
{
    std::wstring out(text);
    for (wchar_t& c : out) {
        if (c == L'\r' || c == L'\n') c = L' ';
    }
    return out;
}

bool AppendToFile(const std::wstring& path, std::string_view bytes)
{
    // FILE_APPEND_DATA without FILE_WRITE_DATA: every write goes to the end,
    // whoever else has the file open.
    FileOwner file(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    if (!WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        return false;
    if (written != bytes.size()) {
        SetLastError(ERROR_WRITE_FAULT);
        return false;
    }
    return true;
}

long EnvironmentNumber(const wchar_t* name, long fallback)
{
    wchar_t value[32] = {};
    DWORD length = GetEnvironmentVariableW(name, value, 32);
    if (length == 0 || length >= 32) return fallback;
    wchar_t* end = nullptr;
    errno = 0;
    long number = std::wcstol(value, &end, 10);
    if (end == value || *end != L'\0' || errno == ERANGE) return fallback;
    return number;
}

} // namespace companion
