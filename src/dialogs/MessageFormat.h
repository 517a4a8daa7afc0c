// Message-format insertion into texts that come from a template or a language
// library, so a translation may place and shape its inserts as it needs.
#pragma once

#include <string>

// pattern with %1 and %2 inserted by FormatMessageW (so "%%", "%n" and "%1!s!"
// work as there). Inserts %3 to %99 stand for empty text. A pattern the
// platform refuses gets plain "%1"/"%2" replacement instead.
std::wstring FormatMessageText(const std::wstring& pattern, const std::wstring& arg1,
                               const std::wstring& arg2 = std::wstring());
