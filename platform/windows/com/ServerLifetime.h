#pragma once

#include <windows.h>

namespace velnix::windows_platform {

// The thread message the message loop gets when the last server reference goes.
inline constexpr UINT kServerIdleMessage = WM_APP + 40;

// How long the program serves: each object a client holds and each LockServer lock counts as a
// server reference; when the last goes, the message loop is told (kServerIdleMessage), and ends
// unless a window or a dialog still stands. The class objects stay available meanwhile: a
// window the user keeps open may still serve new clients.
void AddServerReference();
void ReleaseServerReference();
// Whether a client still holds an object or a lock.
bool ServerReferencesHeld();

}  // namespace velnix::windows_platform
