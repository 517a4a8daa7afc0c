#include "files/InstallFile.h"

unsigned MyVerInstallFile(bool, const std::wstring&, const std::wstring&, bool)
{
    return kVifCannotCreate;
}

int InstallFile(const std::wstring&, const std::wstring&, UninstallLog*, bool)
{
    return 0;
}

bool ScheduleReplaceAtBoot(const std::wstring&, const std::wstring&)
{
    return false;
}

std::wstring VifFlagNames(unsigned)
{
    return std::wstring();
}
