// Named mutexes as markers between processes: the name is an exclusive
// advisory lock on a file, taken for the life of the process. The system lets
// go of it on any exit, kill -9 included, so a crash leaves no stale lock.
#include <sys/file.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <deque>
#include <string>

#include "platform/posix/last_error.h"

namespace {

constexpr DWORD kErrorAccessDenied = 5;
constexpr DWORD kErrorInvalidHandle = 6;
constexpr DWORD kErrorNotOwner = 288;

struct NamedMutex {
    int fd = -1;        // holds the lock while open; never closed
    bool owned = false; // taken with bInitialOwner and not released yet
};

// The user's runtime folder, or the temporary folder when there is none (a
// root shell without a login session has no XDG_RUNTIME_DIR).
std::string LockFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime) return runtime;
    const char* tmp = std::getenv("TMPDIR");
    if (tmp && *tmp) return tmp;
    return "/tmp";
}

// The file carries the mutex name and the user id: the temporary folder is
// shared between users, and a name must only clash within one user's session.
std::string LockPath(const char* name) {
    std::string file = name;
    for (char& c : file)
        if (c == '/') c = '_';
    return LockFolder() + "/" + file + "." + std::to_string(getuid()) + ".lock";
}

// Every mutex lives as long as the process, as its handle does (nothing
// closes one); kept here, not just in the caller's handle. A deque keeps the
// handed-out addresses stable.
NamedMutex* NewMutex(int fd, bool owned) {
    static std::deque<NamedMutex> all;
    all.push_back(NamedMutex{fd, owned});
    return &all.back();
}

} // namespace

HANDLE CreateMutexA(SECURITY_ATTRIBUTES*, BOOL bInitialOwner, LPCSTR lpName) {
    if (!lpName) { // an unnamed mutex is private to the process
        platform::SetLastErrorCode(ERROR_SUCCESS);
        return NewMutex(-1, bInitialOwner != FALSE);
    }
    const int fd = open(LockPath(lpName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        platform::SetLastErrorCode(kErrorAccessDenied);
        return nullptr;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        // Someone else holds the name: hand out a handle that owns nothing,
        // as the platform does for an existing mutex.
        const int err = errno;
        close(fd);
        if (err != EWOULDBLOCK) {
            platform::SetLastErrorCode(kErrorAccessDenied);
            return nullptr;
        }
        platform::SetLastErrorCode(ERROR_ALREADY_EXISTS);
        return NewMutex(-1, false);
    }
    platform::SetLastErrorCode(ERROR_SUCCESS);
    return NewMutex(fd, bInitialOwner != FALSE);
}

BOOL ReleaseMutex(HANDLE hMutex) {
    // Giving up ownership leaves the file lock alone: the name has to exist
    // for as long as the process runs.
    auto* mutex = static_cast<NamedMutex*>(hMutex);
    if (!mutex) {
        platform::SetLastErrorCode(kErrorInvalidHandle);
        return FALSE;
    }
    if (!mutex->owned) {
        platform::SetLastErrorCode(kErrorNotOwner);
        return FALSE;
    }
    mutex->owned = false;
    return TRUE;
}
