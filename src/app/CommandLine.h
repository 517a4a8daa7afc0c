// The setup program's command line: silent/S, reinstall/F, installpath/P value,
// manufacturers/M list, L:<language number>, C:<country abbreviation>, and for
// unattended runs quiet/Q (silent, and no box at all) and log <path>; ?/help
// shows the options; check checks the medium without installing.
#pragma once

#include "framework/CommandLineInfo.h"

struct SetupState;

class OvkSetupCmdLineInfo : public fw::CommandLineInfo {
public:
    explicit OvkSetupCmdLineInfo(SetupState& state) : state_(state) {}

    void ParseParam(const std::wstring& text, bool isOption, bool isLast) override;

    bool expectInstallPath = false;
    bool expectManufacturers = false;
    bool expectLogPath = false;

private:
    void AddManufacturers(const std::wstring& text);

    SetupState& state_;
};
