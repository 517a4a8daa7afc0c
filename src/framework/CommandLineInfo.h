// Command-line splitting as the platform does it, handed argument by argument
// to a parser object.
#pragma once

#include <string>

namespace fw {

class CommandLineInfo {
public:
    virtual ~CommandLineInfo() = default;
    // One argument after the program name. Options ("/x" or "-x") arrive without
    // their first character and with isOption set.
    virtual void ParseParam(const std::wstring& text, bool isOption, bool isLast) = 0;
};

// Splits commandLine with CommandLineToArgvW, skips the program name and calls
// info.ParseParam for every other argument in order.
void ParseCommandLine(CommandLineInfo& info, const wchar_t* commandLine);

}  // namespace fw
