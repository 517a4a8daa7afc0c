// The language library "res_NN.dll" of a run: loaded from the program's own
// folder as a resource-only image, so none of its code ever runs, and freed
// when the owner goes.
#pragma once

#include "framework/Handles.h"

#include <string>

class LanguageLibrary {
public:
    // "res_%02d.dll" for language (res_09.dll, res_204.dll).
    static std::wstring FileName(int language);

    // Loads folder + FileName(language) (folder ends with a backslash); false when
    // it is missing or not a library (LoadError says which). What was loaded
    // before is freed first.
    bool Load(const std::wstring& folder, int language);
    // The Win32 error of the last Load that failed, 0 after one that loaded.
    DWORD LoadError() const { return error_; }
    void Free() { module_.Reset(); }

    // The library as a resource module, or null.
    HINSTANCE Module() const { return module_.Get(); }

private:
    fw::ScopedModule module_;
    DWORD error_ = 0;
};
