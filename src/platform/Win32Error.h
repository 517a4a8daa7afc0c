// How a Win32 error is told in a message or a log line: the one place its
// text is made, so that every line names an error the same way.
#pragma once

#include <string>

// " (error N)" for a Win32 error, nothing for 0.
std::wstring ErrorSuffix(unsigned long error);
// " (error N)", also for 0: where a line always names the code.
std::wstring ErrorCodeSuffix(unsigned long error);
// "error N: the system's text for it", or "error N" when the system has none.
std::wstring Win32ErrorText(unsigned long error);
// " (HRESULT 0x8XXXXXXX)" for a COM result.
std::wstring HresultSuffix(long result);

// What a step that can fail gives back: done, or failed with the Win32 error
// taken on the line that failed (0 when no Win32 call failed, e.g. a refused
// value).
struct Win32Result {
    bool done = true;
    unsigned long error = 0;

    explicit operator bool() const { return done; }
    static Win32Result Done() { return {}; }
    static Win32Result Failed(unsigned long error) { return {false, error}; }
};
