// A second process for the layer's tests.
//   platform_probe lock NAME      takes the named mutex, prints GetLastError,
//                                 and holds it until stdin closes
//   platform_probe activate CLASS finds the window of CLASS the way a second
//                                 start does, prints "none" or "found
//                                 iconic=N", and restores and raises it
#include <cstdio>
#include <cstring>

#include "platform/win32_api.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    if (std::strcmp(argv[1], "lock") == 0) {
        CreateMutexA(nullptr, TRUE, argv[2]);
        std::printf("%u\n", static_cast<unsigned>(GetLastError()));
        std::fflush(stdout);
        while (std::getchar() != EOF) {
        }
        return 0;
    }
    if (std::strcmp(argv[1], "activate") == 0) {
        HWND other = FindWindowA(argv[2], nullptr);
        if (!other) {
            std::printf("none\n");
            return 0;
        }
        const BOOL iconic = IsIconic(other);
        std::printf("found iconic=%d\n", iconic ? 1 : 0);
        if (iconic) ShowWindow(other, SW_SHOWNORMAL);
        BringWindowToTop(other);
        BringWindowToTop(GetLastActivePopup(other));
        return 0;
    }
    return 2;
}
