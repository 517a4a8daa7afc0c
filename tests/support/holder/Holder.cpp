// holder.exe PATH [MS]: holds PATH open without sharing, as a running program
// holds its files, for MS milliseconds (default 60000) or until PATH.release exists.
// holder.exe PATH MS event=NAME: holds an event named NAME instead (PATH is not
// opened) and writes PATH.held once it does.
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) return 2;
    const std::wstring path = argv[1];
    const DWORD ms = argc > 2 ? static_cast<DWORD>(_wtoi(argv[2])) : 60000;
    const std::wstring event = argc > 3 ? argv[3] : L"";
    HANDLE file = INVALID_HANDLE_VALUE;
    if (event.rfind(L"event=", 0) == 0) {
        file = ::CreateEventW(nullptr, TRUE, FALSE, event.substr(6).c_str());
        if (!file) return 1;
        HANDLE held = ::CreateFileW((path + L".held").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (held != INVALID_HANDLE_VALUE) ::CloseHandle(held);
    } else {
        file = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return 1;
    }
    const std::wstring release = path + L".release";
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < ms && ::GetFileAttributesW(release.c_str()) == INVALID_FILE_ATTRIBUTES)
        ::Sleep(50);
    ::CloseHandle(file);
    return 0;
}
