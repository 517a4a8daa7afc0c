#include "app/LanguageLibrary.h"

#include <cwchar>

std::wstring LanguageLibrary::FileName(int language)
{
    wchar_t name[32] = {};
    std::swprintf(name, 32, L"res_%02d.dll", language);
    return name;
}

bool LanguageLibrary::Load(const std::wstring& folder, int language)
{
    module_.Reset();
    // A full path and a data-only load: a library planted anywhere on the search
    // path, or code inside this one, never runs.
    const std::wstring path = folder + FileName(language);
    module_.Reset(::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    error_ = module_.Valid() ? 0 : ::GetLastError();
    if (!module_.Valid() && error_ == 0) error_ = ERROR_BAD_EXE_FORMAT;
    return module_.Valid();
}
