#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/Errors.h"
#include "testsupport/MainWindowFixture.h"

namespace velnix {

inline constexpr const char* kEntry = "Mon FAI";
inline constexpr const char* kDial = R"(rasdial.exe "Mon FAI" "jean" "secret")";
inline constexpr const char* kHangUp = R"(rasdial.exe "Mon FAI" /disconnect)";

// The real object and window logic on fakes, with a configured entry.
class MainWindowTest : public ::testing::Test, protected testing::MainWindowFixture {
  protected:
    void SetUp() override {
        settings.Set("Quorath_Software", "Tenaline", "ConnectionName", kEntry);
        settings.Set("Quorath_Software", "Tenaline", "Login", "jean");
        settings.Set("Quorath_Software", "Tenaline", "PassWord", "secret");
    }

    // Starts the program as its start procedure does (the object is not kept) and forgets what
    // the start wrote in the journal.
    void StartProgram() {
        Start();
        Forget();
    }
    void Forget() {
        journal.clear();
        launcher.started.clear();
    }
    // The journal from now on, for checking the order of steps of one action.
    template <typename Action>
    std::vector<std::string> StepsOf(Action action) {
        journal.clear();
        action();
        return journal;
    }
    void SetAutoMask(bool on) { settings.Set("Vorn", "Velnix", "AutoMask", on ? "True" : "False"); }
};

}  // namespace velnix
