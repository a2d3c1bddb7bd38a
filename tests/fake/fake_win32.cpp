// Fake kernel and window services: a scripted clock, the cursor count, and
// message boxes recorded instead of shown.
#include <string>

#include "tests/fake/fake_platform.h"

DWORD GetTickCount() {
    fake::State& st = fake::state();
    if (!st.ticks.empty()) {
        st.lastTick = st.ticks.front();
        st.ticks.pop_front();
    }
    return st.lastTick;
}

int ShowCursor(BOOL show) {
    fake::State& st = fake::state();
    st.cursorCount += show ? 1 : -1;
    fake::Log(std::string("ShowCursor ") + (show ? "TRUE" : "FALSE"));
    return st.cursorCount;
}

int MessageBoxA(HWND, LPCSTR text, LPCSTR, UINT) {
    fake::State& st = fake::state();
    std::string t = text ? text : "";
    st.messageBoxes.push_back(t);
    fake::Log("MessageBoxA " + t);
    if (st.onMessageBox) st.onMessageBox(t);
    return IDOK;
}

void OutputDebugStringA(LPCSTR text) {
    fake::state().debugOutput.push_back(text ? text : "");
    fake::Log(std::string("OutputDebugStringA ") + (text ? text : ""));
}
