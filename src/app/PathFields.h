// The run's three path fields (scriptFile, installDir, mainIniPath) hold at most
// kPathFieldChars characters. A longer path is refused where it enters the run,
// with a text for the user or the log, instead of being cut further on (where a
// cut path would name another folder).
#pragma once

#include <cstddef>
#include <string>

struct SetupState;

inline constexpr std::size_t kPathFieldChars = 259;  // MAX_PATH less the terminator

// Where a path comes from; names it in the message.
enum class PathOrigin {
    InstallPath,   // "installpath"/"P" of the command line, or the installation folder
    SourcePath,    // SourcePath of setup.inf
    DataScript,    // the setup folder + "DataSetup.inf"
    MainIniFile,   // installDir + "\obj\" + Ini
};

// True when path fits a path field. Otherwise false, and message says which path
// is too long and how long it is, followed by the path itself.
bool PathFitsField(const std::wstring& path, PathOrigin origin, std::wstring& message);

// The path start-up already knows: the data script beside the program
// (moduleDir ends with a backslash). False, with the message, when it does not
// fit. The installation path of the command line is recorded only and never
// ends the run.
bool StartPathsFit(const SetupState& state, const std::wstring& moduleDir, std::wstring& message);
