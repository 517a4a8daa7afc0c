#include "framework/CommandLineInfo.h"

#include "framework/Handles.h"

#include <windows.h>
#include <shellapi.h>

namespace fw {

void ParseCommandLine(CommandLineInfo& info, const wchar_t* commandLine)
{
    if (!commandLine) return;
    int count = 0;
    LPWSTR* args = ::CommandLineToArgvW(commandLine, &count);
    if (!args) return;
    ScopedLocal owner(reinterpret_cast<HLOCAL>(args));
    for (int i = 1; i < count; ++i) {
        const wchar_t* arg = args[i];
        bool isOption = arg[0] == L'/' || arg[0] == L'-';
        info.ParseParam(isOption ? arg + 1 : arg, isOption, i == count - 1);
    }
}

}  // namespace fw
