#include "platform/windows/com/ServerLifetime.h"

#include <objbase.h>

namespace velnix::windows_platform {

namespace {

// Everything runs on the user-interface thread's single-threaded apartment.
int references = 0;

}  // namespace

void AddServerReference() {
    ++references;
    CoAddRefServerProcess();
}

void ReleaseServerReference() {
    --references;
    // At zero the class objects are suspended: a late activation starts a new process rather
    // than reach this one while it ends.
    if (CoReleaseServerProcess() == 0) PostQuitMessage(0);
}

bool ServerReferencesHeld() { return references > 0; }

}  // namespace velnix::windows_platform
