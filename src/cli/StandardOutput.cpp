#include "cli/StandardOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/CliVerbs.h"

bool StandardOutputFailed() {
    return std::ferror(stdout) != 0;
}

int FinishStandardOutput(int status) {
    // A failed write keeps its bytes in the buffer, so the flush tries them
    // again and errno tells why.
    errno = 0;
    bool written = std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
    int why = errno;
    // Closing a descriptor that was never open fails as well; that matters
    // only when there was output, and then the flush has failed already.
    if (std::fclose(stdout) != 0 && errno != EBADF && written) {
        written = false;
        why = errno;
    }
    if (written) {
        return status;
    }
    std::fprintf(stderr, "kelvra-cli: the output could not be written: %s\n",
                 why != 0 ? std::strerror(why) : "write error");
    return kExitFailed;
}
