// The named mutex as a lock between processes.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "platform/win32_api.h"
#include "tests/support/child_process.h"

namespace {

using testing_support::ChildProcess;

constexpr int kWaitMs = 10000;

// Each test gets its own lock folder, so runs never meet each other's locks.
class NamedMutexTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quorvel-lock-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        setenv("XDG_RUNTIME_DIR", folder_.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("XDG_RUNTIME_DIR");
        std::string ignored;
        testing_support::RunCommand({"rm", "-rf", folder_}, {}, kWaitMs, &ignored);
    }
    // A probe process that takes the lock and reports what it saw.
    std::string ProbeLock(ChildProcess& probe, const char* name) {
        EXPECT_TRUE(probe.Start({PLATFORM_PROBE, "lock", name}, {"XDG_RUNTIME_DIR=" + folder_}));
        std::string line;
        EXPECT_TRUE(probe.ReadLine(&line, kWaitMs));
        return line;
    }
    std::string folder_;
};

TEST_F(NamedMutexTest, FirstHolderGetsNoErrorAndEveryLaterOneAlreadyExists) {
    HANDLE first = CreateMutexA(nullptr, TRUE, "QV-first");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    // Releasing ownership keeps the name: it exists while the process runs.
    EXPECT_TRUE(ReleaseMutex(first));
    EXPECT_FALSE(ReleaseMutex(first));

    HANDLE again = CreateMutexA(nullptr, TRUE, "QV-first");
    EXPECT_NE(again, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);

    ChildProcess probe;
    EXPECT_EQ(ProbeLock(probe, "QV-first"), "183");

    CreateMutexA(nullptr, TRUE, "QV-other-name");
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
}

TEST_F(NamedMutexTest, ForkedChildSeesTheName) {
    CreateMutexA(nullptr, TRUE, "QV-fork");
    ASSERT_EQ(GetLastError(), ERROR_SUCCESS);
    const pid_t child = fork();
    if (child == 0) {
        CreateMutexA(nullptr, TRUE, "QV-fork");
        _exit(GetLastError() == ERROR_ALREADY_EXISTS ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(NamedMutexTest, NameIsFreedWhenItsHolderIsKilled) {
    ChildProcess holder;
    ASSERT_EQ(ProbeLock(holder, "QV-killed"), "0");
    CreateMutexA(nullptr, TRUE, "QV-killed");
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);

    holder.Kill(SIGKILL);
    ASSERT_NE(holder.Wait(kWaitMs), -1);
    CreateMutexA(nullptr, TRUE, "QV-killed");
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
}

TEST_F(NamedMutexTest, FolderFallsBackToTheTemporaryOne) {
    unsetenv("XDG_RUNTIME_DIR");
    setenv("TMPDIR", folder_.c_str(), 1);
    CreateMutexA(nullptr, TRUE, "QV-tmp");
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    ChildProcess probe;
    EXPECT_TRUE(probe.Start({PLATFORM_PROBE, "lock", "QV-tmp"}, {"TMPDIR=" + folder_}, {"XDG_RUNTIME_DIR"}));
    std::string line;
    EXPECT_TRUE(probe.ReadLine(&line, kWaitMs));
    EXPECT_EQ(line, "183");
    unsetenv("TMPDIR");
}

} // namespace
