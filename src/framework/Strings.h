// String-table look-up and "%1"/"%2" insertion.
#pragma once

#include <windows.h>
#include <string>

namespace fw {

// The string with the given id from module (null: the program itself); empty
// when there is none.
std::wstring LoadStr(HINSTANCE module, UINT id);

// Replaces "%1" and "%2" in pattern by the arguments; other text stays as it is.
std::wstring FormatText(const std::wstring& pattern, const std::wstring& arg1,
                        const std::wstring& arg2 = std::wstring());

// LoadStr with "%1"/"%2" inserted.
std::wstring FormatStr(HINSTANCE module, UINT id, const std::wstring& arg1,
                       const std::wstring& arg2 = std::wstring());

}  // namespace fw
