#include "app/RunGuard.h"

bool OwnRunGuard(fw::ScopedKernelHandle& guard, const wchar_t* name)
{
    guard.Reset(::CreateMutexW(nullptr, FALSE, name));
    const DWORD error = ::GetLastError();
    // Without the guard nothing keeps a second run out; giving way would let
    // an event planted under the name open the door to two runs.
    if (!guard.Valid() || error == ERROR_ALREADY_EXISTS) {
        guard.Reset();
        return false;
    }
    return true;
}
