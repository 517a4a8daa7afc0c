// Functions of system libraries that the loader does not always take from the
// system folder (version.dll, comctl32.dll). The program imports none of them:
// a library of that name planted beside setup.exe would otherwise run before
// the program's first line. They are resolved at run time from the system
// folder only.
#pragma once

#include <windows.h>

// The function name of the system library file (e.g. L"version.dll"), loaded
// from the system folder on first use; null when either is missing.
FARPROC SystemFunction(const wchar_t* library, const char* name);

// Typed look-up: SystemFunctionAs<decltype(&::VerQueryValueW)>(L"version.dll", "VerQueryValueW").
template <typename Function>
Function SystemFunctionAs(const wchar_t* library, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemFunction(library, name)));
}

// The version-resource calls of version.dll; false / 0 with ERROR_PROC_NOT_FOUND
// when the library cannot be had.
DWORD VersionInfoSize(const wchar_t* path, DWORD* handle);
BOOL VersionInfo(const wchar_t* path, DWORD handle, DWORD size, void* data);
BOOL VersionQuery(const void* block, const wchar_t* subBlock, void** buffer, UINT* length);

// InitCommonControlsEx of comctl32.dll; false when it cannot be had.
bool InitCommonControlClasses(DWORD classes);
