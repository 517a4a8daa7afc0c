// The record of settings and shared objects of the one run of a process. The
// application object owns it and hands it, or the piece a step uses, to each
// step. The copy engine's own run pieces (restart flag, run result, logs) are in
// files/InstallRun.h, owned by the sequencer.
#pragma once

#include "files/source/FileList.h"
#include "files/elements/InstElement.h"

#include <set>
#include <string>
#include <vector>

// runMode
constexpr int kRunModeUnknown = 0;
constexpr int kRunModeAdmin = 3;     // the administration file was found
constexpr int kRunModeNoAdmin = -1;  // it was not

struct SetupState {
    // Command line.
    bool silent = false;
    bool reinstall = false;                       // recorded only
    std::wstring commandInstallPath;              // the installation folder; empty: the usual one
    std::set<std::wstring> manufacturerSelection; // "complete", "none" or names, split at "," ";" and blanks
    // The names of manufacturerSelection as given, split at "," and ";" only,
    // so that a package name with blanks can be matched whole.
    std::vector<std::wstring> manufacturerRequests;
    bool manufacturersGiven = false;  // "manufacturers"/"M" was given, with a list or without
    bool help = false;          // "?"/"help": the options are shown, nothing is run
    bool check = false;         // "check": the medium is checked, nothing is installed
    int commandLanguage = -1;
    int commandCountry = -1;
    bool quiet = false;         // no box and no page: each message is logged with the answer taken
    bool replaceOldData = false;  // "R"/"replacedata": a package's old data goes without asking
    std::wstring logPath;       // the setup log; empty: none (a quiet run then logs to %TEMP%)

    // Language and country.
    int defaultLanguage = -1;
    int defaultCountry = -1;
    int language = 0;
    int uiLanguage = 0;
    int country = 0;

    // Run flags.
    bool busy = false;  // wait cursor over the backdrop while set
    int runMode = kRunModeUnknown;
    // Why start-up refused the run (a path too long for the path fields), for
    // the log; empty when it did not. The run then ends without its steps.
    std::wstring startRefusal;

    // Folders and paths (paths at most MAX_PATH characters).
    std::wstring setupDir;
    std::wstring sourceDir;
    std::wstring scriptFile;
    std::wstring installDir;
    std::wstring mainIniPath;
    std::wstring installDirText;
    std::wstring iniName;
    std::wstring installSection;
    std::wstring iniSection;
    std::wstring adminFile;

    // The install element list.
    CIEArray elements;
    // The scan of sourceDir.
    FileList sourceFiles;
};
