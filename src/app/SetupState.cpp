#include "app/SetupState.h"

namespace {
SetupState g_state;
}

SetupState& State()
{
    return g_state;
}

void ResetState()
{
    g_state = SetupState();
}
