#include "support/ScriptedUi.h"

namespace {
int FirstButton(UINT flags)
{
    switch (flags & MB_TYPEMASK) {
    case MB_ABORTRETRYIGNORE: return IDABORT;
    case MB_YESNO:
    case MB_YESNOCANCEL: return IDYES;
    case MB_RETRYCANCEL: return IDRETRY;
    default: return IDOK;
    }
}
}  // namespace

int ScriptedUi::ShowMessage(UINT stringId, const std::wstring& text, UINT flags, const std::wstring& caption)
{
    messages.push_back({stringId, text, flags, caption});
    if (answers_.empty()) return FirstButton(flags);
    int answer = answers_.front();
    answers_.pop_front();
    return answer;
}
