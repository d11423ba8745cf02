#pragma once
// Who is at the other end of a local socket. The one-instance channel takes
// files only from the same user: its folder keeps others out, and where the
// system tells a socket's peer (Linux) the socket says so again.

#include <cstdint>

// Whether the peer of the connected local socket (its descriptor) runs as
// this process's user; true where the system does not tell.
bool LocalPeerIsThisUser(std::intptr_t socketDescriptor);
