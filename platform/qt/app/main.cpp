// Velnix: keeps a dial-up or ADSL connection up and shows its traffic.

#include <QApplication>
#include <QDBusConnection>
#include <filesystem>

#include "common/Version.h"
#include "engine/InternetTenaline.h"
#include "engine/MainTenaline.h"
#include "platform/linux/networkmanager/NetworkManagerLinks.h"
#include "platform/linux/process/LinuxProcessLauncher.h"
#include "platform/linux/ras/LinuxRasApi.h"
#include "platform/linux/registry/RegistryPlatform.h"
#include "platform/qt/about/QtShellOpener.h"
#include "platform/qt/app/GraphicalSession.h"
#include "platform/qt/app/QtDialogOpener.h"
#include "platform/qt/dbus/DBusExporter.h"
#include "platform/qt/main/QtProgram.h"
#include "platform/qt/main/QtTenalineFrm.h"
#include "platform/qt/msgbox/QtMsgBox.h"
#include "platform/qt/settings/QtSettingsStore.h"

int main(int argc, char** argv) {
    using namespace velnix;
    using namespace velnix::qt_platform;

    const std::unique_ptr<QApplication> application = OpenGraphicalSession(argc, argv);
    QApplication::setApplicationName("Velnix");
    QApplication::setApplicationVersion(VELNIX_VERSION);
    QApplication::setDesktopFileName("velnix");
    // The program ends when its last window is gone; the main window hidden into the
    // notification area is not gone (the window keeps the event loop running).
    QApplication::setQuitOnLastWindowClosed(true);

    // Every platform operation the program works with, chosen here once.
    QtProgram program;
    QtSettingsStore settings;
    // The phone book is pppd's peers, with NetworkManager's dial-up connections when it runs;
    // the looks of one tick share what the first of them found.
    linux_platform::NetworkManagerLinks networkManager;
    linux_platform::LinuxRasApi ras(&networkManager, linux_platform::kLinkViewLifetime);
    linux_platform::LinuxProcessLauncher launcher;
    linux_platform::RegistryPlatform registry;
    QtMsgBox messageBox;
    QtShellOpener shell;

    AboutServices about;
    about.registry = &registry.registry;
    about.startShown = [&launcher](const std::string& commandLine) {
        launcher.StartShown(commandLine);
    };
    about.fileExists = [](const std::string& file) {
        std::error_code error;
        return std::filesystem::is_regular_file(file, error);
    };
    about.shell = &shell;
    about.messages = &messageBox;
    about.program = &registry.program;
    QtDialogOpener dialogs(registry.module, messageBox, about);

    TenalineServices services;
    services.settings = &settings;
    services.ras = &ras;
    services.launcher = &launcher;
    services.createWindow = [&]() -> std::shared_ptr<TenalineWindow> {
        return CreateQtTenalineFrm({program, messageBox, dialogs, settings});
    };

    // The first object is published on the session bus, which keeps it only weakly; clients
    // create further objects, each with its own window, through the same services.
    DBusExporter exporter(QDBusConnection::sessionBus(),
                          [&services] { return InternetTenaline::Create(services); });
    MainTenaline(services, [&exporter](const std::shared_ptr<InternetTenaline>& object) {
        exporter.Publish(object);
    });
    return QApplication::exec();
}
