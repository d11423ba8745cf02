#include "platform/LocalPeer.h"

#ifdef __linux__

#include <sys/socket.h>
#include <unistd.h>

bool LocalPeerIsThisUser(std::intptr_t socketDescriptor) {
    ucred credentials{};
    socklen_t length = sizeof credentials;
    return getsockopt(static_cast<int>(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &credentials,
                      &length) == 0 &&
           credentials.uid == getuid();
}

#else

// A Windows local socket is a named pipe, which Qt creates for this user alone.
bool LocalPeerIsThisUser(std::intptr_t) {
    return true;
}

#endif
