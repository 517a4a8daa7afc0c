// The run-wide record of settings and shared objects. One run per process, so
// one instance for the whole process (State()).
#pragma once

#include "catalogue/InstElement.h"
#include "files/FileList.h"

#include <set>
#include <string>

struct SetupState {
    // Command line.
    bool silent = false;
    bool reinstall = false;                       // recorded only
    std::wstring commandInstallPath;              // recorded only
    std::set<std::wstring> manufacturerSelection; // recorded only; "complete", "none" or names
    int commandLanguage = -1;
    int commandCountry = -1;

    // Language and country.
    int defaultLanguage = -1;
    int defaultCountry = -1;
    int language = 0;
    int uiLanguage = 0;
    int country = 0;

    // Run flags.
    bool busy = false;        // wait cursor over the backdrop while set
    int runMode = 0;          // 3: administration file found, -1: not found
    bool restartNeeded = false;
    int runResult = -1;       // 1 copying, 0 cancelled or failed, 2 finished with restart

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

SetupState& State();

// Puts the record back to its initial values (tests run several "runs" in one process).
void ResetState();
