// Process starts and the shell's "open", with the project's stand-in rasdial.exe (in the folder
// fakedialer beside this suite), which writes down how it was started.
#include "platform/windows/process/WindowsProcessLauncher.h"

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "common/Errors.h"
#include "engine/DialCommand.h"
#include "platform/windows/shell/WindowsShellOpener.h"
#include "platform/windows/system/WideText.h"
#include "tests/windows/ScratchFolder.h"

namespace velnix::windows_platform {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

std::wstring Variable(const wchar_t* name) {
    std::wstring value(32767, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size())));
    return value;
}

std::filesystem::path DialerFolder() {
    wchar_t own[MAX_PATH];
    GetModuleFileNameW(nullptr, own, MAX_PATH);
    return std::filesystem::path(own).parent_path() / L"fakedialer";
}

// The stand-in dialer first on PATH, its report in the scratch folder.
class WindowsProcessLauncherTest : public ::testing::Test {
  protected:
    void SetUp() override {
        savedPath_ = Variable(L"PATH");
        SetEnvironmentVariableW(L"PATH", (DialerFolder().wstring() + L";" + savedPath_).c_str());
        SetEnvironmentVariableW(L"VELNIX_FAKE_DIALER_LOG", folder_.Path(L"rasdial.txt").c_str());
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"PATH", savedPath_.c_str());
        SetEnvironmentVariableW(L"VELNIX_FAKE_DIALER_LOG", nullptr);
    }

    std::string Report() { return folder_.WaitAndRead(L"rasdial.txt").value_or("no report"); }

    ScratchFolder folder_;
    std::wstring savedPath_;
    WindowsProcessLauncher launcher_;
};

TEST_F(WindowsProcessLauncherTest, HiddenStartFindsTheDialerAndPassesItsArgumentsExactly) {
    launcher_.StartHidden(
        DialCommandLine("Numéris Île-de-France", R"(jean "le" dupont)", R"(mot de passe é€ 𝄞 \)"));
    EXPECT_THAT(Report(), StartsWith("[Numéris Île-de-France]\n"
                                     "[jean \"le\" dupont]\n"
                                     "[mot de passe é€ 𝄞 \\]\n"
                                     "show=0\n"));  // SW_HIDE
}

TEST_F(WindowsProcessLauncherTest, ShownStartHasANormalWindow) {
    launcher_.StartShown("rasdial.exe montre");
    EXPECT_THAT(Report(), StartsWith("[montre]\nshow=1\n"));  // SW_SHOWNORMAL
}

TEST_F(WindowsProcessLauncherTest, AnUnknownProgramFailsInFrenchWithoutTheRestOfTheLine) {
    try {
        launcher_.StartHidden(R"(velnix-absent.exe "Numéris" "jean" "secret")");
        FAIL() << "started";
    } catch (const ProcessStartError& error) {
        const std::string message = error.what();
        EXPECT_THAT(message, StartsWith("Impossible de lancer velnix-absent.exe : "));
        EXPECT_THAT(message, HasSubstr("introuvable"));
        EXPECT_THAT(message, Not(HasSubstr("secret")));
    }
}

TEST_F(WindowsProcessLauncherTest, ShellOpenRunsAProgramWithItsParametersInTheFolderGiven) {
    WindowsShellOpener opener;
    const std::string folder = Utf8FromWide(folder_.Path().wstring()).value();
    opener.Open(Utf8FromWide((DialerFolder() / L"rasdial.exe").wstring()).value(),
                R"("deux mots" é)", folder);
    const std::string report = Report();
    EXPECT_THAT(report, StartsWith("[deux mots]\n[é]\nshow=1\n"));
    EXPECT_THAT(report, HasSubstr("folder=" + folder + "\n"));
}

}  // namespace
}  // namespace velnix::windows_platform
