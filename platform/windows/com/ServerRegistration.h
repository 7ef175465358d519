#pragma once

#include <windows.h>

#include <string>

namespace velnix::windows_platform {

// Where the class is entered: HKEY_LOCAL_MACHINE\Software\Classes for an elevated process (the
// installer's), HKEY_CURRENT_USER\Software\Classes otherwise.
HKEY ClassesRootForThisProcess();

// Enters the class, its two ProgIDs, its two interfaces and its type library (resource 1 of
// `program`, the full path of velnix.exe) under `classes`. Returns the first failing system
// error, or ERROR_SUCCESS.
LSTATUS RegisterServer(HKEY classes, const std::wstring& program);

// Removes every key RegisterServer enters; keys already gone are no failure.
LSTATUS UnregisterServer(HKEY classes);

// What /RegServer (`enter`) or /UnregServer does for this program under the root of this
// process; the process's exit code: 0, or the system error.
int RegisterThisProgram(bool enter);

}  // namespace velnix::windows_platform
