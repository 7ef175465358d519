#include <gtest/gtest.h>

#include <string>

#include "platform/windows/main/WindowsProgram.h"
#include "platform/windows/system/Handles.h"

namespace velnix::windows_platform {
namespace {

// velnix.exe, built beside this suite.
std::wstring ProgramBeside() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"velnix.exe";
}

// With a copy running (this suite holds its mutex), a new start ends by itself, successfully,
// without a window left behind.
TEST(SecondCopyTest, EndsAtOnceWhenACopyRuns) {
    WindowsProgram running;
    ASSERT_FALSE(running.AnotherCopyRunning()) << "velnix.exe tourne déjà dans ce préfixe";

    std::wstring commandLine = L"\"" + ProgramBeside() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &started));
    const UniqueHandle process(started.hProcess);
    const UniqueHandle thread(started.hThread);

    // Only a guard against a copy that would stay: its end is what is checked.
    ASSERT_EQ(WaitForSingleObject(process.Get(), 120000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.Get(), &exitCode);
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
}  // namespace velnix::windows_platform
