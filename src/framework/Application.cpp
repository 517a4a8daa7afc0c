#include "framework/Application.h"

#include "framework/Dialog.h"

namespace fw {

int Application::Run()
{
    if (InitInstance()) {
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (IsModelessDialogMessage(msg)) continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        exitCode_ = static_cast<int>(msg.wParam);
    }
    return ExitInstance();
}

}  // namespace fw
