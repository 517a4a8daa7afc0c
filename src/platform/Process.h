// Starting other programs: the packages' installers (waited for) and the
// follow-up program (not waited for).
#pragma once

#include <windows.h>

#include <string>

// argument written so that CommandLineToArgvW (and the C runtime) read it back
// unchanged: as it is when it holds no blank, tab, newline or quote; otherwise in
// quotes, with a quote inside escaped and the backslashes before a quote
// (the closing one included) doubled. An empty argument becomes "".
std::wstring QuoteArgument(const std::wstring& argument);

// path as it is when it fits MAX_PATH, else its short form where the file
// system has one that fits (a program or folder below a deep folder cannot be
// started by its long name).
std::wstring ShortFormWhenLong(const std::wstring& path);

// Starts program (its path always quoted, so a folder with blanks cannot start
// another program) followed by arguments, which go as given (quote each with
// QuoteArgument), in workingDir (empty: this process's folder). Waits without a
// time limit until it ends (a path too long to start by is started by its short
// form: ShortFormWhenLong), dispatching this thread's messages meanwhile so its
// windows keep painting. A quit message seen while waiting is posted again
// afterwards. exitCode (when given) receives the program's exit code. False when
// it could not be started; error (when given) then receives the Win32 error.
bool RunAndWait(const std::wstring& program, const std::wstring& arguments, const std::wstring& workingDir,
                DWORD* exitCode = nullptr, unsigned long* error = nullptr);

// Starts commandLine exactly as given (the caller quotes it), with this process's
// handles inherited, SW_SHOW requested, in workingDir (empty: this process's
// folder). Not waited for; both handles are closed at once. False when it could
// not be started; error (when given) then receives the Win32 error.
bool StartProcess(const std::wstring& commandLine, const std::wstring& workingDir, unsigned long* error = nullptr);
