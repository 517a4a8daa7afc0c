// The command line of a package's installer, made from its catalogue record's
// plugin: a program in the package's plg folder on the medium, and what it is
// given. Catalogues name the program with its switches ("install.exe /S"), as
// the plain command line that the plg folder and plugin made started it.
#pragma once

#include <string>

struct InstallerCommand {
    std::wstring program;    // full path, below plg
    std::wstring arguments;  // as the plugin gives them; may be empty
};

// plugin below plg: the whole plugin when it names a file there, otherwise the
// program up to its first blank and the rest (from its first other character)
// as arguments. A leading backslash is taken as below plg. False when the
// program would lie outside plg (StaysBelowRoot): nothing is to be started.
bool InstallerCommandOf(const std::wstring& plg, const std::wstring& plugin, InstallerCommand& command);
