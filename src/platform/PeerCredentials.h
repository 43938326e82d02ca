#pragma once
// Who is at the other end of a local socket.

#include <QtGlobal>

// True when the process at the other end of the connected local socket runs
// as this user.
bool PeerIsCurrentUser(qintptr socketDescriptor);
