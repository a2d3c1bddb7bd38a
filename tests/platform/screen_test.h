// What the tests on a real X server share: a private server per test, a
// window whose procedure records every message, and a bounded message pump.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/win32_api.h"
#include "tests/support/xvfb_server.h"

struct SDL_Window;

namespace testing_support {

// Every message that reached the recording window procedure.
std::vector<MSG>& ReceivedMessages();
LRESULT RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the class "QV" with the recording procedure (once per process)
// and creates a popup window of it at (0, 0); shown when asked.
HWND MakeWindow(int width, int height, bool show);
SDL_Window* SdlWindowOf(HWND hwnd);
unsigned long XWindowOf(HWND hwnd);

// Takes messages from the queue (dispatching them) until `done` holds or the
// wait runs out; the result of `done` at the end.
bool PumpUntil(const std::function<bool()>& done, int waitMs);

class ScreenTest : public ::testing::Test {
protected:
    // False when no server could be started (the test then skips).
    bool StartScreen(const ScreenShape& shape);
    void TearDown() override;
    XvfbServer& server() { return *server_; }

private:
    std::unique_ptr<XvfbServer> server_;
};

} // namespace testing_support
