#include "platform/windows/com/ServerLifetime.h"

namespace velnix::windows_platform {

namespace {

// Everything runs on the user-interface thread's single-threaded apartment.
int references = 0;

}  // namespace

void AddServerReference() { ++references; }

// A thread message rather than WM_QUIT, which would also end a modal dialog's loop.
void ReleaseServerReference() {
    if (--references == 0) PostThreadMessageW(GetCurrentThreadId(), kServerIdleMessage, 0, 0);
}

bool ServerReferencesHeld() { return references > 0; }

}  // namespace velnix::windows_platform
