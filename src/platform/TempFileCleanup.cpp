#include "platform/TempFileCleanup.h"

#ifdef _WIN32

void RemoveTempFilesOnTermination() {}
int HoldTempFile(int, const char*) {
    return -1;
}
int HoldTempFolder(int, const char*) {
    return -1;
}
void ReleaseTempFile(int) {}

#else

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

#ifdef __linux__
#include <sys/syscall.h>
#endif

namespace {

enum SlotState : int { kFree, kFilling, kHeld };

struct HeldFile {
    std::atomic<int> state{kFree};
    int folder = -1;
    bool isFolder = false;
    char name[64] = {};
};

// One slot per save that can be in progress at once; a process saves one
// picture at a time, the rest is headroom.
constexpr int kSlots = 4;
HeldFile g_held[kSlots];

static_assert(std::atomic<int>::is_always_lock_free, "slots are read in a signal handler");

// Empties a held folder with nothing but system calls, which a signal
// handler may make (readdir may not be called there). The listing is read
// again from the start while it still holds entries, since removing entries
// under a listing may let it pass over others.
void EmptyFolder(int parent, const char* name) {
#ifdef __linux__
    constexpr int kPasses = 8;
    const int fd = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    alignas(8) char buffer[4096];
    bool removed = true;
    for (int pass = 0; pass < kPasses && removed && ::lseek(fd, 0, SEEK_SET) == 0; ++pass) {
        removed = false;
        long got = 0;
        while ((got = ::syscall(SYS_getdents64, fd, buffer, sizeof buffer)) > 0) {
            for (long at = 0; at < got;) {
                // linux_dirent64: inode (8), offset (8), record length (2), type (1), name.
                unsigned short length = 0;
                std::memcpy(&length, buffer + at + 16, sizeof length);
                const char* entry = buffer + at + 19;
                if (std::strcmp(entry, ".") != 0 && std::strcmp(entry, "..") != 0) {
                    removed = ::unlinkat(fd, entry, 0) == 0 || removed;
                }
                at += length;
            }
        }
    }
    ::close(fd);
#else
    (void)parent;
    (void)name;
#endif
}

extern "C" void RemoveHeldFiles(int signal) {
    for (HeldFile& held : g_held) {
        if (held.state.load() == kHeld && !held.isFolder) {
            ::unlinkat(held.folder, held.name, 0);
        }
    }
    for (HeldFile& held : g_held) {
        if (held.state.load() == kHeld && held.isFolder) {
            EmptyFolder(held.folder, held.name);
            ::unlinkat(held.folder, held.name, AT_REMOVEDIR);
        }
    }
    // The handler was reset on entry (SA_RESETHAND); the signal stays blocked
    // until the handler returns and then ends the process.
    ::raise(signal);
}

}  // namespace

void RemoveTempFilesOnTermination() {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction old {};
        if (::sigaction(signal, nullptr, &old) != 0 || old.sa_handler == SIG_IGN) {
            continue;
        }
        struct sigaction action {};
        action.sa_handler = RemoveHeldFiles;
        action.sa_flags = SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
}

namespace {

int Hold(int folder, const char* name, bool isFolder) {
    if (std::strlen(name) >= sizeof g_held[0].name) {
        return -1;
    }
    for (int slot = 0; slot < kSlots; ++slot) {
        int expected = kFree;
        if (g_held[slot].state.compare_exchange_strong(expected, kFilling)) {
            g_held[slot].folder = folder;
            g_held[slot].isFolder = isFolder;
            std::strcpy(g_held[slot].name, name);
            g_held[slot].state.store(kHeld);
            return slot;
        }
    }
    return -1;
}

}  // namespace

int HoldTempFile(int folder, const char* name) {
    return Hold(folder, name, false);
}

int HoldTempFolder(int folder, const char* name) {
    return Hold(folder, name, true);
}

void ReleaseTempFile(int slot) {
    if (slot >= 0 && slot < kSlots) {
        g_held[slot].state.store(kFree);
    }
}

#endif
