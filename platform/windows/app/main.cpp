// Velnix: keeps a dial-up or ADSL connection up and shows its traffic.

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "engine/InternetTenaline.h"
#include "engine/MainTenaline.h"
#include "platform/windows/com/ClassFactory.h"
#include "platform/windows/com/ServerLifetime.h"
#include "platform/windows/com/ServerRegistration.h"
#include "platform/windows/com/ServerSwitches.h"
#include "platform/windows/dialogs/DialogMessages.h"
#include "platform/windows/dialogs/WindowsDialogOpener.h"
#include "platform/windows/main/WindowsMainForm.h"
#include "platform/windows/main/WindowsMsgBox.h"
#include "platform/windows/main/WindowsProgram.h"
#include "platform/windows/process/WindowsProcessLauncher.h"
#include "platform/windows/ras/WindowsRasApi.h"
#include "platform/windows/registry/WindowsRegistry.h"
#include "platform/windows/registry/WindowsSystemFacts.h"
#include "platform/windows/settings/RegistrySettingsStore.h"
#include "platform/windows/shell/WindowsShellOpener.h"
#include "platform/windows/system/WideText.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    using namespace velnix;
    using namespace velnix::windows_platform;

    // The automation machinery's switches: registration runs alone, without any window.
    const ServerSwitch serverSwitch = ProgramServerSwitch();
    if (serverSwitch == ServerSwitch::kRegServer || serverSwitch == ServerSwitch::kUnregServer) {
        return RegisterThisProgram(serverSwitch == ServerSwitch::kRegServer);
    }
    // Calls from COM clients arrive through this thread's message loop.
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;

    // The common controls (version 6, from the manifest) before any window.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    // Every platform operation the program works with, chosen here once.
    WindowsProgram program;
    RegistrySettingsStore settings;
    WindowsRasApi ras;
    WindowsProcessLauncher launcher;
    WindowsMsgBox messageBox;
    WindowsRegistry registry;
    WindowsShortPath shortPath;
    WindowsVersion version;
    WindowsRunningProgram running;
    modRegistry module(registry, shortPath, version, running);
    WindowsShellOpener shell;

    AboutServices about;
    about.registry = &registry;
    about.startShown = [&launcher](const std::string& commandLine) {
        launcher.StartShown(commandLine);
    };
    about.fileExists = [](const std::string& file) {
        const auto wide = WideFromUtf8(file);
        if (!wide) return false;
        const DWORD attributes = GetFileAttributesW(wide->c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    };
    about.shell = &shell;
    about.messages = &messageBox;
    about.program = &running;
    WindowsDialogOpener dialogs(module, messageBox, about);

    TenalineServices services;
    services.settings = &settings;
    services.ras = &ras;
    services.launcher = &launcher;
    std::vector<std::weak_ptr<TenalineWindow>> windows;
    services.createWindow = [&]() -> std::shared_ptr<TenalineWindow> {
        auto window = CreateWindowsTenalineFrm({program, messageBox, dialogs, settings});
        windows.push_back(window);
        return window;
    };
    const auto windowsOpen = [&windows] {
        return std::any_of(windows.begin(), windows.end(),
                           [](const auto& w) { return !w.expired(); });
    };

    // Each client's creation makes an object with its own window. Started by COM, the program
    // makes no object of its own.
    ClassFactory factory([&services] { return InternetTenaline::Create(services); });
    auto registration = std::make_unique<ClassRegistration>(factory);
    if (serverSwitch != ServerSwitch::kEmbedding) MainTenaline(services);

    // Ends when the last main window and configuration dialog are gone and no client holds an
    // object, or at once when the program quits.
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got < 0) break;
        if (got == 0) {
            // A configuration dialog still open holds the connection object: the program ends
            // with the last of them, unless it was asked to end.
            if (program.QuitAsked()) break;
            if (ModelessDialogsOpen()) {
                QuitAfterLastModelessDialog();
                continue;
            }
            if (ServerReferencesHeld() || windowsOpen()) continue;
            break;
        }
        // The last client let go: the end, unless a window or a dialog still stands.
        if (message.hwnd == nullptr && message.message == kServerIdleMessage) {
            if (windowsOpen() || ModelessDialogsOpen()) continue;
            break;
        }
        if (RouteToModelessDialog(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    registration.reset();
    CoUninitialize();
    return static_cast<int>(message.wParam);
}
