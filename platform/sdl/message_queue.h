// The thread's message queue: posted messages and input in arrival order, and
// the quit request that comes out once nothing else is waiting.
#pragma once

#include "platform/win32_api.h"

namespace platform {

void PostToQueue(const MSG& msg);
// A destroyed window's pending messages go with it.
void DropMessagesFor(HWND hwnd);
// Turns what SDL and the signal handlers have gathered into messages: input
// is queued, closes are sent straight to the window procedure.
void PumpEvents();

} // namespace platform
