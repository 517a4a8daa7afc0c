// What the copy engine and the package step may ask the user beyond message
// boxes and progress: whether a package's old data may be replaced.
#pragma once

#include "framework/UserInterface.h"

#include <string>

class InstallUi : public fw::UserInterface {
public:
    // The replace-old-data question for packageName in folder. hide is passed
    // through to the dialog; applyToAll comes back as the state of its check box.
    // IDYES (1) replaces, anything else keeps the old data.
    virtual int AskReplaceOldData(const std::wstring& packageName, const std::wstring& folder, bool hide,
                                  bool& applyToAll) = 0;
};
