// The fixture of the end-to-end tests: the built program, a lock folder of
// the test's own, and a wait for the program's window to show frames.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/program_process.h"
#include "tests/e2e/x_inspect.h"
#include "tests/support/child_process.h"

namespace e2e {

inline const std::string kBinDir = QUORVEL_BIN_DIR;

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testing_support::ProgramExists("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
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

    // Runs xdotool with these arguments on the server; its exit code, or -1
    // when it did not end in time.
    static int Xdotool(const XServer& x, std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "xdotool");
        return testing_support::RunCommand(arguments, {"DISPLAY=" + x.Name()}, 10000);
    }

    std::string runtimeDir_;
};

} // namespace e2e
