#include "platform/sdl/keys.h"

namespace {

struct KeyCode {
    SDL_Keycode sdl;
    WPARAM vk;
};

// Keys whose code is not derived from a range below.
constexpr KeyCode kNamedKeys[] = {
    {SDLK_BACKSPACE, 0x08}, {SDLK_TAB, 0x09},       {SDLK_RETURN, 0x0D},   {SDLK_KP_ENTER, 0x0D},
    {SDLK_LSHIFT, 0x10},    {SDLK_RSHIFT, 0x10},    {SDLK_LCTRL, 0x11},    {SDLK_RCTRL, 0x11},
    {SDLK_LALT, 0x12},      {SDLK_RALT, 0x12},      {SDLK_PAUSE, 0x13},    {SDLK_CAPSLOCK, 0x14},
    {SDLK_ESCAPE, 0x1B},    {SDLK_SPACE, 0x20},     {SDLK_PAGEUP, 0x21},   {SDLK_PAGEDOWN, 0x22},
    {SDLK_END, 0x23},       {SDLK_HOME, 0x24},      {SDLK_LEFT, 0x25},     {SDLK_UP, 0x26},
    {SDLK_RIGHT, 0x27},     {SDLK_DOWN, 0x28},      {SDLK_PRINTSCREEN, 0x2C}, {SDLK_INSERT, 0x2D},
    {SDLK_DELETE, 0x2E},    {SDLK_LGUI, 0x5B},      {SDLK_RGUI, 0x5C},     {SDLK_APPLICATION, 0x5D},
    {SDLK_KP_MULTIPLY, 0x6A}, {SDLK_KP_PLUS, 0x6B}, {SDLK_KP_MINUS, 0x6D}, {SDLK_KP_PERIOD, 0x6E},
    {SDLK_KP_DIVIDE, 0x6F}, {SDLK_NUMLOCKCLEAR, 0x90}, {SDLK_SCROLLLOCK, 0x91},
    {SDLK_SEMICOLON, 0xBA}, {SDLK_EQUALS, 0xBB},    {SDLK_COMMA, 0xBC},    {SDLK_MINUS, 0xBD},
    {SDLK_PERIOD, 0xBE},    {SDLK_SLASH, 0xBF},     {SDLK_BACKQUOTE, 0xC0}, {SDLK_LEFTBRACKET, 0xDB},
    {SDLK_BACKSLASH, 0xDC}, {SDLK_RIGHTBRACKET, 0xDD}, {SDLK_QUOTE, 0xDE},
};

constexpr WPARAM kVkF10 = 0x79;
constexpr LPARAM kContextAltBit = LPARAM(1) << 29;
constexpr LPARAM kPreviousStateBit = LPARAM(1) << 30;
constexpr LPARAM kTransitionBit = LPARAM(1) << 31;

} // namespace

namespace platform {

WPARAM VirtualKeyOf(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return 0x70 + (key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return 0x61 + (key - SDLK_KP_1);
    if (key == SDLK_KP_0) return 0x60;
    for (const KeyCode& k : kNamedKeys)
        if (k.sdl == key) return k.vk;
    return 0;
}

bool IsSystemKey(SDL_Keycode key, Uint16 modifiers) {
    // SDL reports Alt as a key press of its own before the combination; it
    // is a system key too, so a combination brings no WM_KEYDOWN at all.
    if (key == SDLK_LALT || key == SDLK_RALT || key == SDLK_F10) return true;
    return (modifiers & KMOD_ALT) != 0;
}

MSG KeyMessage(const SDL_KeyboardEvent& event) {
    const bool down = event.type == SDL_KEYDOWN;
    const bool system = IsSystemKey(event.keysym.sym, event.keysym.mod);
    MSG msg{};
    if (system) msg.message = down ? WM_SYSKEYDOWN : WM_SYSKEYUP;
    else msg.message = down ? WM_KEYDOWN : WM_KEYUP;
    msg.wParam = VirtualKeyOf(event.keysym.sym);
    // Repeat count 1, the scan code, Alt context, previous state, transition.
    LPARAM lParam = 1 | ((static_cast<LPARAM>(event.keysym.scancode) & 0xFF) << 16);
    if ((event.keysym.mod & KMOD_ALT) && msg.wParam != kVkF10) lParam |= kContextAltBit;
    if (!down || event.repeat) lParam |= kPreviousStateBit;
    if (!down) lParam |= kTransitionBit;
    msg.lParam = lParam;
    msg.time = event.timestamp;
    return msg;
}

} // namespace platform
