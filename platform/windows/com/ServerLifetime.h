#pragma once

namespace velnix::windows_platform {

// How long the program serves: each object a client holds and each LockServer lock counts in
// the process's server references; when the last goes, the message loop is asked to end, and
// ends unless a window or a dialog still stands.
void AddServerReference();
void ReleaseServerReference();
// Whether a client still holds an object or a lock.
bool ServerReferencesHeld();

}  // namespace velnix::windows_platform
