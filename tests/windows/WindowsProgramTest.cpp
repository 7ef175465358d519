#include <gtest/gtest.h>

#include <optional>

#include "platform/windows/main/WindowsProgram.h"

namespace velnix::windows_platform {
namespace {

constexpr wchar_t kName[] = L"VelnixTest-WindowsProgramTest";

// The mutex stands for the running copy for as long as that copy lives.
TEST(WindowsProgramTest, SecondCopySeesTheFirstUntilItEnds) {
    std::optional<WindowsProgram> first(std::in_place, kName);
    EXPECT_FALSE(first->AnotherCopyRunning());
    EXPECT_FALSE(first->AnotherCopyRunning());
    WindowsProgram second(kName);
    EXPECT_TRUE(second.AnotherCopyRunning());
    first.reset();
    WindowsProgram third(kName);
    EXPECT_FALSE(third.AnotherCopyRunning());
}

}  // namespace
}  // namespace velnix::windows_platform
