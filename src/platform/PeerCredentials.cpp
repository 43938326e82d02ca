#include "platform/PeerCredentials.h"

#include <sys/socket.h>
#include <unistd.h>

bool PeerIsCurrentUser(qintptr socketDescriptor)
{
    struct ucred cred {};
    socklen_t len = sizeof cred;
    if (socketDescriptor < 0
        || ::getsockopt(static_cast<int>(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0)
        return false;
    return cred.uid == ::geteuid();
}
