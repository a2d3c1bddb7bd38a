// The start-up code: hands the program's WinMain what the platform would and
// ends the process with its result.
#include <string>

#include "platform/sdl/video.h"
#include "platform/win32_api.h"

// Defined by the program.
int WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);

int main(int argc, char** argv) {
    // The command line after the program's own name, arguments joined by
    // single spaces.
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    const int result = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOWDEFAULT);
    // The system would take the windows away with the process; SDL is told
    // so that the screen is left as it was found.
    platform::ShutdownVideo();
    return result;
}
