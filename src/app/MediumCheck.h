// "/check": the medium the program stands on, read as a run reads it and held
// against the run's own rules, without looking for an installation, without
// writing anything and without a page or a box. Rules that depend on the
// machine (free space, an installation, old data) are not applied.
#pragma once

class CheckFindings;
class SetupLog;
struct ModulePaths;
struct SetupState;

// The findings a run of state's language and country would make on the
// medium of paths.
void CheckMedium(const SetupState& state, const ModulePaths& paths, CheckFindings& findings);

// The whole check: the findings and a line of their counts to the standard
// output and to log (when open). The exit code: 0 when a run would install
// every package without a refusal, 1603 when it would refuse something.
int RunMediumCheck(const SetupState& state, const ModulePaths& paths, SetupLog* log);
