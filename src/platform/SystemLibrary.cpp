#include "platform/SystemLibrary.h"

#include <commctrl.h>

FARPROC SystemFunction(const wchar_t* library, const char* name)
{
    // Loaded once and kept for the life of the process, as an import would be;
    // the handle is never freed, so no caller can be left with a dangling pointer.
    HMODULE module = ::GetModuleHandleW(library);
    if (!module) module = ::LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? ::GetProcAddress(module, name) : nullptr;
}

DWORD VersionInfoSize(const wchar_t* path, DWORD* handle)
{
    static const auto size = SystemFunctionAs<decltype(&::GetFileVersionInfoSizeW)>(L"version.dll",
                                                                                    "GetFileVersionInfoSizeW");
    if (!size) {
        ::SetLastError(ERROR_PROC_NOT_FOUND);
        return 0;
    }
    return size(path, handle);
}

BOOL VersionInfo(const wchar_t* path, DWORD handle, DWORD size, void* data)
{
    static const auto info = SystemFunctionAs<decltype(&::GetFileVersionInfoW)>(L"version.dll", "GetFileVersionInfoW");
    if (!info) {
        ::SetLastError(ERROR_PROC_NOT_FOUND);
        return FALSE;
    }
    return info(path, handle, size, data);
}

BOOL VersionQuery(const void* block, const wchar_t* subBlock, void** buffer, UINT* length)
{
    static const auto query = SystemFunctionAs<decltype(&::VerQueryValueW)>(L"version.dll", "VerQueryValueW");
    if (!query) return FALSE;
    return query(block, subBlock, buffer, length);
}

bool InitCommonControlClasses(DWORD classes)
{
    static const auto init = SystemFunctionAs<decltype(&::InitCommonControlsEx)>(L"comctl32.dll", "InitCommonControlsEx");
    if (!init) return false;
    INITCOMMONCONTROLSEX controls{sizeof(controls), classes};
    return init(&controls) != FALSE;
}
