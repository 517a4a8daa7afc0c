#include "files/packages/InstallerCommand.h"

#include "platform/PathUtil.h"

bool InstallerCommandOf(const std::wstring& plg, const std::wstring& plugin, InstallerCommand& command)
{
    command = InstallerCommand();
    std::wstring program = plugin;
    if (!StaysBelowRoot(plugin) || !FileExists(JoinPath(plg, RelativeToRoot(plugin)))) {
        const std::size_t blank = plugin.find(L' ');
        if (blank != std::wstring::npos) {
            program = plugin.substr(0, blank);
            const std::size_t start = plugin.find_first_not_of(L' ', blank);
            if (start != std::wstring::npos) command.arguments = plugin.substr(start);
        }
    }
    if (program.empty() || !StaysBelowRoot(program)) return false;
    command.program = JoinPath(plg, RelativeToRoot(program));
    return true;
}
