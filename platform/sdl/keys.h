// SDL key events as the platform's key messages.
#pragma once

#include <SDL.h>

#include "platform/win32_api.h"

namespace platform {

// The virtual-key code of an SDL key (0 for keys without one).
WPARAM VirtualKeyOf(SDL_Keycode key);
// Alt pressed alone, keys pressed while Alt is held, and F10 are system keys:
// they arrive as WM_SYSKEYDOWN / WM_SYSKEYUP.
bool IsSystemKey(SDL_Keycode key, Uint16 modifiers);
// The key message (WM_KEYDOWN, WM_SYSKEYDOWN, WM_KEYUP or WM_SYSKEYUP) and
// its lParam for one SDL key event.
MSG KeyMessage(const SDL_KeyboardEvent& event);

} // namespace platform
