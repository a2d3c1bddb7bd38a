// The fixture of the end-to-end tests: the built program, a lock folder of
// the test's own, and a wait for the program's window to show frames.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "tests/e2e/x_session.h"

namespace e2e {

inline const std::string kBinDir = QUORVEL_BIN_DIR;

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::system("command -v Xvfb >/dev/null 2>&1") != 0) GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_TRUE(std::filesystem::exists(kBinDir + "/quorvel"));
        // The single-instance lock lives here, so that no other run of the
        // program counts as a first instance.
        char tmpl[] = "/tmp/quorvel-run-XXXXXX";
        runtimeDir_ = mkdtemp(tmpl);
    }
    void TearDown() override {
        if (!runtimeDir_.empty()) std::filesystem::remove_all(runtimeDir_);
    }

    std::unique_ptr<Program> Start(const XServer& x) {
        return std::make_unique<Program>(
            kBinDir, x.Name(), std::vector<std::string>{"XDG_RUNTIME_DIR=" + runtimeDir_, "SDL_RENDER_VSYNC=0"});
    }
    // Waits until the program's window is up and showing frames.
    static bool WaitForWindow(const XServer& x, Program& program) {
        for (int i = 0; i < 200 && program.Running(); ++i) {
            if (x.FindWindowByClass("QV") && x.Screenshot()[240 * 640 + 320] != 0) return true;
            usleep(50 * 1000);
        }
        return false;
    }

    std::string runtimeDir_;
};

} // namespace e2e
