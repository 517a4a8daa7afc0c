#include "files/source/SourceFile.h"

HANDLE SourceFile::FromStart()
{
    if (!file_) {
        // Others may read and write it meanwhile, as a look at a file's version allows.
        file_.Reset(::CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!file_) return INVALID_HANDLE_VALUE;
    } else if (!::SetFilePointerEx(file_.Get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN)) {
        return INVALID_HANDLE_VALUE;
    }
    return file_.Get();
}

int SourceFile::ReadStart(char* head, DWORD size)
{
    const HANDLE file = FromStart();
    DWORD read = 0;
    if (file == INVALID_HANDLE_VALUE || !::ReadFile(file, head, size, &read, nullptr)) return -1;
    return static_cast<int>(read);
}
