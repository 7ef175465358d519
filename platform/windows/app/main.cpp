// Velnix: keeps a dial-up or ADSL connection up and shows its traffic.

#include <windows.h>

#include <commctrl.h>

#include "engine/InternetTenaline.h"
#include "engine/MainTenaline.h"
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
    services.createWindow = [&]() -> std::shared_ptr<TenalineWindow> {
        return CreateWindowsTenalineFrm({program, messageBox, dialogs, settings});
    };
    MainTenaline(services);

    // Ends when the last main window and configuration dialog are gone, or at once when the
    // program quits.
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got < 0) break;
        if (got == 0) {
            // A configuration dialog still open holds the connection object: the program ends
            // with the last of them, unless it was asked to end.
            if (program.QuitAsked() || !ModelessDialogsOpen()) break;
            QuitAfterLastModelessDialog();
            continue;
        }
        if (RouteToModelessDialog(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
