#include "app/CommandHelp.h"

#include "app/RunSummary.h"
#include "app/Sequencer.h"

std::vector<std::wstring> CommandHelpLines()
{
    std::vector<std::wstring> lines = {
        L"setup.exe [options]; options are case-sensitive and start with / or -:",
        L"/S, /silent\tno pages: the packages go below the installation's local data folder; questions and "
        L"messages are still shown",
        L"/Q, /quiet\tsilent, and nothing is asked: each message and question goes to the setup log with the answer "
        L"taken",
        L"/log path\tthe setup log; a quiet run without it logs to %TEMP%\\orvek-setup.log",
        L"/M list, /manufacturers list\tthe packages, by id, folder or name, separated by , ; or blanks "
        L"(complete: every package, none: no package); an empty list, or a name that matches no package offered, "
        L"ends the run",
        L"/P folder, /installpath folder\tthe installation folder, not on the medium; each package goes into its "
        L"own folder below it",
        L"/R, /replacedata\ta package's old data is replaced without asking (a quiet run otherwise keeps it, "
        L"and that package is not installed)",
        L"/F, /reinstall\trecorded",
        L"/L:n\tlanguage (7 German, 9 English, 10 Spanish, 12 French, 16 Italian)",
        L"/C:abc\tcountry by its three-letter abbreviation (e.g. DEU)",
        L"/check\tchecks the medium as a run reads it, installing nothing: one line per finding (on the console "
        L"and in the file of /log), exit code 0 when a run would refuse nothing, else 1603",
        L"/?, /help\tthis text",
        L"Exit codes:",
    };
    for (int code : {kExitInstalled, kExitRestartNeeded, kExitCancelled, kExitFailed, kExitAnotherRun})
        lines.push_back(std::to_wstring(code) + L"\t" + ExitCodeMeaning(code));
    return lines;
}
