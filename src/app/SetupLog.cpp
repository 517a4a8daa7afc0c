#include "app/SetupLog.h"

#include <cwchar>

namespace {

std::string Utf8(const std::wstring& text)
{
    if (text.empty()) return std::string();
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr,
                              nullptr);
    return out;
}

}  // namespace

bool SetupLog::Open(const std::wstring& path)
{
    // Others may read the log while the run goes on; every line goes to the end.
    // The folder may be shared (the temporary folder of the system): nothing is
    // written through a link planted there.
    file_ = OpenWithoutLink(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, true, link_);
    openError_ = file_.Valid() ? 0 : ::GetLastError();
    if (file_.Valid() && ::GetFileType(file_.Get()) != FILE_TYPE_DISK) {
        file_.Reset();
        openError_ = ERROR_BAD_DEVICE;  // a device, not a file
    }
    path_ = file_.Valid() ? path : std::wstring();
    return file_.Valid();
}

void SetupLog::Write(const std::wstring& text)
{
    if (!file_.Valid()) return;
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    wchar_t stamp[32] = {};
    std::swprintf(stamp, 32, L"%04u-%02u-%02u %02u:%02u:%02u.%03u  ", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond, now.wMilliseconds);
    std::wstring line = stamp;
    for (wchar_t c : text) {
        if (c == L'\r') continue;
        if (c == L'\n') line += L" | ";
        else line += c;
    }
    const std::string bytes = Utf8(line) + "\r\n";
    DWORD written = 0;
    ::WriteFile(file_.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::wstring DefaultSetupLogPath()
{
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) return std::wstring();
    return std::wstring(folder, length) + L"orvek-setup.log";
}
