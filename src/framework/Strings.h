// String-table look-up in the current resource module, and "%1"/"%2" insertion.
#pragma once

#include <windows.h>
#include <string>

namespace fw {

// The module that string, dialog and bitmap look-ups use: the program itself
// until a language library is switched in. The module is not owned here.
HINSTANCE ResourceModule();
void SetResourceModule(HINSTANCE module);

// The string with the given id from the resource module; empty when there is none.
std::wstring LoadStr(UINT id);

// Replaces "%1" and "%2" in pattern by the arguments; other text stays as it is.
std::wstring FormatText(const std::wstring& pattern, const std::wstring& arg1,
                        const std::wstring& arg2 = std::wstring());

// LoadStr(id) with "%1"/"%2" inserted.
std::wstring FormatStr(UINT id, const std::wstring& arg1, const std::wstring& arg2 = std::wstring());

}  // namespace fw
