#include "platform/TempFileCleanup.h"

#ifdef _WIN32

void RemoveTempFilesOnTermination() {}
int HoldTempFile(int, const char*) {
    return -1;
}
void ReleaseTempFile(int) {}

#else

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace {

enum SlotState : int { kFree, kFilling, kHeld };

struct HeldFile {
    std::atomic<int> state{kFree};
    int folder = -1;
    char name[64] = {};
};

// One slot per save that can be in progress at once; a process saves one
// picture at a time, the rest is headroom.
constexpr int kSlots = 4;
HeldFile g_held[kSlots];

static_assert(std::atomic<int>::is_always_lock_free, "slots are read in a signal handler");

extern "C" void RemoveHeldFiles(int signal) {
    for (HeldFile& held : g_held) {
        if (held.state.load() == kHeld) {
            ::unlinkat(held.folder, held.name, 0);
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

int HoldTempFile(int folder, const char* name) {
    if (std::strlen(name) >= sizeof g_held[0].name) {
        return -1;
    }
    for (int slot = 0; slot < kSlots; ++slot) {
        int expected = kFree;
        if (g_held[slot].state.compare_exchange_strong(expected, kFilling)) {
            g_held[slot].folder = folder;
            std::strcpy(g_held[slot].name, name);
            g_held[slot].state.store(kHeld);
            return slot;
        }
    }
    return -1;
}

void ReleaseTempFile(int slot) {
    if (slot >= 0 && slot < kSlots) {
        g_held[slot].state.store(kFree);
    }
}

#endif
