// holder.exe PATH [MS]: holds PATH open without sharing, as a running program
// holds its files, for MS milliseconds (default 60000) or until PATH.release exists.
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) return 2;
    const std::wstring path = argv[1];
    const DWORD ms = argc > 2 ? static_cast<DWORD>(_wtoi(argv[2])) : 60000;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    const std::wstring release = path + L".release";
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < ms && ::GetFileAttributesW(release.c_str()) == INVALID_FILE_ATTRIBUTES)
        ::Sleep(50);
    ::CloseHandle(file);
    return 0;
}
