// Helpers shared by tests that work with windows, Wine paths and files in use.
#pragma once

#include "framework/Handles.h"

#include <windows.h>

#include <functional>
#include <string>

// A Linux path (from the build) as Wine's drive Z: shows it.
std::wstring WinePathOf(const std::string& unixPath);

// Dispatches this thread's messages until WM_QUIT comes, at most ms milliseconds.
// False when WM_QUIT was seen (it is then taken off the queue; quitCode gets its wParam).
bool PumpFor(DWORD ms, WPARAM* quitCode = nullptr);
// Dispatches this thread's messages until condition() holds (true) or ms milliseconds
// passed or WM_QUIT came (false).
bool PumpUntil(const std::function<bool()>& condition, DWORD ms);
// Dispatches the messages waiting now and those they post. False when WM_QUIT was seen.
bool PumpWaiting();

// A file held open without sharing, as a running program holds its files.
class HeldOpen {
public:
    explicit HeldOpen(const std::wstring& path)
        : file_(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    bool Held() const { return file_.Valid(); }
    void Release() { file_.Reset(); }

private:
    fw::ScopedFile file_;
};

// Starts "ln -s target name" in folder (Wine makes no links of its own); the
// link may appear a moment after the start.
bool StartSymlink(const std::wstring& folder, const std::wstring& name, const std::wstring& target);

// Makes folder\name a Linux symbolic link to target (relative to folder, with
// "/"), as "ln -s" makes it; Wine shows such a link to a file as the file
// itself. True once the name shows the file it points at.
bool MakeFileSymlink(const std::wstring& folder, const std::wstring& name, const std::wstring& target);
