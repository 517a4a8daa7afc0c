// The text of "/?" and "/help": the options of the command line and the exit
// codes, for an administrator who writes a deployment.
#pragma once

#include <string>
#include <vector>

// One line per option and per exit code, option and meaning separated by a tab.
std::vector<std::wstring> CommandHelpLines();
