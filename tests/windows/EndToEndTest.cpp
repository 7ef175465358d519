// velnix.exe as a user runs it: started from a folder holding a copy of it beside the stand-in
// rasapi32.dll (which Wine then loads instead of its own), the stand-in rasdial.exe first on
// PATH bringing the link up and down in the state file both stand-ins read.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/windows/system/Handles.h"
#include "platform/windows/system/WideText.h"
#include "tests/windows/ScratchFolder.h"
#include "ui/main/TrafficFigures.h"

namespace velnix::windows_platform {
namespace {

constexpr int kStatusLabel = 104;  // the main window's control ids
constexpr int kDurationLabel = 105;
constexpr int kReceivedLabel = 107;
constexpr int kSentLabel = 111;
constexpr int kConnectButton = 117;
constexpr char kEntry[] = "Numéris Île-de-France";
constexpr char kDial[] = "[Numéris Île-de-France]\n[jean.dupont@fai.fr]\n[mot de passe]\nshow=0\n";
constexpr char kHangUp[] = "[Numéris Île-de-France]\n[/disconnect]\nshow=0\n";

std::filesystem::path BuildFolder() {
    wchar_t own[MAX_PATH];
    GetModuleFileNameW(nullptr, own, MAX_PATH);
    return std::filesystem::path(own).parent_path();
}

std::optional<std::wstring> Variable(const wchar_t* name) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return std::nullopt;
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), size));
    return value;
}

// A REG_SZ value of HKEY_CURRENT_USER set for the test, then put back as it was: the tests of
// the run share one Wine prefix.
class RegistryValueForTest {
  public:
    RegistryValueForTest(std::wstring key, std::wstring name, const std::string& value)
        : key_(std::move(key)), name_(std::move(name)) {
        DWORD bytes = 0;
        if (RegGetValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), RRF_RT_REG_SZ, nullptr,
                         nullptr, &bytes) == ERROR_SUCCESS) {
            std::wstring old(bytes / sizeof(wchar_t), L'\0');
            RegGetValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), RRF_RT_REG_SZ, nullptr,
                         old.data(), &bytes);
            old.resize(wcslen(old.c_str()));
            old_ = old;
        }
        Set(Wide(value));
    }
    ~RegistryValueForTest() {
        if (old_) {
            Set(*old_);
        } else {
            RegDeleteKeyValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str());
        }
    }
    RegistryValueForTest(const RegistryValueForTest&) = delete;
    RegistryValueForTest& operator=(const RegistryValueForTest&) = delete;

  private:
    void Set(const std::wstring& value) const {
        RegSetKeyValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), REG_SZ, value.c_str(),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }

    std::wstring key_;
    std::wstring name_;
    std::optional<std::wstring> old_;
};

class EndToEndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::filesystem::path build = BuildFolder();
        std::filesystem::copy_file(build / L"velnix.exe", folder_.Path(L"velnix.exe"));
        std::filesystem::copy_file(build / L"fakeras" / L"rasapi32.dll",
                                   folder_.Path(L"rasapi32.dll"));
        SetState(std::string("entry\tFournisseur ADSL\nentry\t") + kEntry + "\n");
        savedPath_ = Variable(L"PATH").value_or(L"");
        SetEnvironmentVariableW(L"PATH",
                                ((build / L"fakedialer").wstring() + L";" + savedPath_).c_str());
        SetEnvironmentVariableW(L"VELNIX_FAKE_RAS_STATE", folder_.Path(L"ras.txt").c_str());
        SetEnvironmentVariableW(L"VELNIX_FAKE_DIALER_LOG", folder_.Path(L"rasdial.txt").c_str());
    }
    // The options the user stored: automatic redial of the entry with its login and password,
    // the window left on screen.
    void StoreOptions() {
        const std::wstring engine = L"Software\\Quorath_Software\\Tenaline";
        options_.emplace_back(
            std::make_unique<RegistryValueForTest>(engine, L"AutoReconnect", "True"));
        options_.emplace_back(
            std::make_unique<RegistryValueForTest>(engine, L"Login", "jean.dupont@fai.fr"));
        options_.emplace_back(
            std::make_unique<RegistryValueForTest>(engine, L"PassWord", "mot de passe"));
        options_.emplace_back(
            std::make_unique<RegistryValueForTest>(engine, L"ConnectionName", kEntry));
        options_.emplace_back(std::make_unique<RegistryValueForTest>(L"Software\\Vorn\\Velnix",
                                                                     L"AutoMask", "False"));
    }
    void TearDown() override {
        if (process_.Get() != nullptr) {
            TerminateProcess(process_.Get(), 1);
            WaitForSingleObject(process_.Get(), 10000);
        }
        SetEnvironmentVariableW(L"PATH", savedPath_.c_str());
        SetEnvironmentVariableW(L"VELNIX_FAKE_RAS_STATE", nullptr);
        SetEnvironmentVariableW(L"VELNIX_FAKE_DIALER_LOG", nullptr);
    }

    // Replaced whole, as the stand-in dialer does: the program never reads half a state.
    void SetState(const std::string& lines) {
        folder_.Write(L"ras.txt.part", lines);
        std::filesystem::rename(folder_.Path(L"ras.txt.part"), folder_.Path(L"ras.txt"));
    }
    std::string Read(const wchar_t* name) {
        std::ifstream file(folder_.Path(name), std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }
    size_t Count(const char* start) {
        const std::string log = Read(L"rasdial.txt");
        size_t count = 0;
        for (size_t at = log.find(start); at != std::string::npos; at = log.find(start, at + 1)) {
            ++count;
        }
        return count;
    }
    size_t Dials() { return Count(kDial); }
    bool LinkUp() {
        return Read(L"ras.txt").find(std::string("\t") + kEntry + "\t") != std::string::npos;
    }

    void Start() {
        std::wstring commandLine = L"\"" + folder_.Path(L"velnix.exe").wstring() + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   folder_.Path().c_str(), &startup, &started));
        process_.Reset(started.hProcess);
        CloseHandle(started.hThread);
        processId_ = started.dwProcessId;
    }

    // The program's main window.
    HWND MainWindow() {
        struct Search {
            DWORD processId;
            HWND found;
        } search{processId_, nullptr};
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto* wanted = reinterpret_cast<Search*>(data);
                wchar_t name[64];
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner != wanted->processId || !GetClassNameW(window, name, 64) ||
                    std::wstring_view(name) != L"VelnixMainWindow") {
                    return TRUE;
                }
                wanted->found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    // A control's text, read as any program may read another's.
    static std::wstring Caption(HWND window, int id) {
        wchar_t text[64] = L"";
        return std::wstring(text, GetDlgItemTextW(window, id, text, 64));
    }

    // Only a guard against a program that would never get there: no time is checked.
    static bool Eventually(const std::function<bool()>& condition) {
        for (int tries = 0; tries < 1200; ++tries) {
            if (condition()) return true;
            Sleep(100);
        }
        return false;
    }

    // Waits until no dial started for three seconds: any dial the program started is over.
    size_t SettledDials() {
        size_t dials = 0;
        EXPECT_TRUE(Eventually([&] {
            for (int tick = 0; tick < 30; ++tick, Sleep(100)) {
                if (Dials() != dials) {
                    dials = Dials();
                    return false;
                }
            }
            return true;
        }));
        return dials;
    }

    // Dials on start and waits for the program to show the link up.
    HWND StartAndConnect() {
        StoreOptions();
        Start();
        HWND window = nullptr;
        EXPECT_TRUE(Eventually([&] { return (window = MainWindow()) != nullptr; }));
        EXPECT_TRUE(Eventually([&] { return Dials() >= 1 && LinkUp(); }))
            << "no dial on start: " << Read(L"rasdial.txt");
        EXPECT_TRUE(Eventually([&] {
            return Caption(window, kConnectButton) == L"Se déconnecter";
        })) << Utf8FromWideReplacing(Caption(window, kConnectButton));
        return window;
    }

    ScratchFolder folder_;
    std::vector<std::unique_ptr<RegistryValueForTest>> options_;
    std::wstring savedPath_;
    UniqueHandle process_;
    DWORD processId_ = 0;
};

TEST_F(EndToEndTest, DialsOnStartRedialsAfterADropAndLeavesTheLinkUpOnClosing) {
    const HWND window = StartAndConnect();
    ASSERT_FALSE(HasFailure());
    // A dial after the drop answers the drop.
    const size_t dials = SettledDials();

    SetState(std::string("entry\tFournisseur ADSL\nentry\t") + kEntry + "\n");
    ASSERT_TRUE(Eventually([&] { return Dials() > dials && LinkUp(); }))
        << "no redial after the drop: " << Read(L"rasdial.txt");
    EXPECT_TRUE(Eventually([&] {
        return Caption(window, kStatusLabel) == L"Connexion établie depuis :";
    })) << Utf8FromWideReplacing(Caption(window, kStatusLabel));

    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(process_.Get(), 120000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process_.Get(), &exitCode);
    process_.Reset();
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(Read(L"rasdial.txt").find("/disconnect"), std::string::npos);
    EXPECT_TRUE(LinkUp());
}

TEST_F(EndToEndTest, ShowsTheLinksCountersAndHangsUpForGoodOnSeDeconnecter) {
    const HWND window = StartAndConnect();
    ASSERT_FALSE(HasFailure());
    const size_t dials = SettledDials();

    // The link the stand-in dialer brought up, now with traffic behind it.
    const std::string state = Read(L"ras.txt");
    const size_t link = state.find("link\t");
    ASSERT_NE(link, std::string::npos) << state;
    const std::string handle = state.substr(link + 5, state.find('\t', link + 5) - link - 5);
    constexpr int32_t kReceived = 123456789;
    constexpr int32_t kSent = 4567;
    constexpr int32_t kDurationMs = 3723999;
    SetState(std::string("entry\t") + kEntry + "\nlink\t" + handle + "\t" + kEntry + "\t" +
             std::to_string(kReceived) + "\t" + std::to_string(kSent) + "\t" +
             std::to_string(kDurationMs) + "\n");
    wchar_t separator[8] = L",";
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    const std::wstring received = Wide(FormatSize(kReceived, Utf8FromWideReplacing(separator)));
    const std::wstring sent = Wide(FormatSize(kSent, Utf8FromWideReplacing(separator)));
    const std::wstring duration = Wide(FormatDuration(kDurationMs));
    EXPECT_TRUE(Eventually([&] {
        return Caption(window, kReceivedLabel) == received && Caption(window, kSentLabel) == sent &&
               Caption(window, kDurationLabel) == duration;
    })) << Utf8FromWideReplacing(Caption(window, kReceivedLabel))
        << " | " << Utf8FromWideReplacing(Caption(window, kSentLabel)) << " | "
        << Utf8FromWideReplacing(Caption(window, kDurationLabel));

    // The user's own click on the button.
    PostMessageW(GetDlgItem(window, kConnectButton), BM_CLICK, 0, 0);
    ASSERT_TRUE(Eventually([&] { return Count(kHangUp) == 1 && !LinkUp(); }))
        << "no hang-up: " << Read(L"rasdial.txt");
    EXPECT_TRUE(Eventually([&] { return Caption(window, kConnectButton) == L"Se connecter"; }))
        << Utf8FromWideReplacing(Caption(window, kConnectButton));
    Sleep(4000);  // four ticks of the program's timer with the link down
    EXPECT_EQ(Dials(), dials) << Read(L"rasdial.txt");
    EXPECT_FALSE(LinkUp());
}

}  // namespace
}  // namespace velnix::windows_platform
