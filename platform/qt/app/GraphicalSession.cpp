#include "platform/qt/app/GraphicalSession.h"

#include <QByteArray>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace velnix::qt_platform {

namespace {

// The program as it was started, for the hint: "velnix" when installed, a path otherwise.
const char* programName = "velnix";

[[noreturn]] void EndWithoutSession(const QByteArray& reason) {
    std::fprintf(stderr, "velnix : %s. Pour l'essayer sans écran : xvfb-run -a %s\n",
                 reason.constData(), programName);
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

QtMessageHandler previousHandler = nullptr;
std::vector<std::pair<QtMsgType, QString>> heldMessages;

// While the platform opens, its messages are held back: a fatal one means the display could not
// be reached, and the one line about it is all the user sees. Otherwise they are passed on.
void OnOpeningMessage(QtMsgType type, const QMessageLogContext& /*context*/,
                      const QString& message) {
    if (type == QtFatalMsg) {
        const QByteArray display =
            qgetenv("WAYLAND_DISPLAY").isEmpty() ? qgetenv("DISPLAY") : qgetenv("WAYLAND_DISPLAY");
        EndWithoutSession("impossible d'ouvrir l'affichage graphique « " + display + " »");
    }
    heldMessages.emplace_back(type, message);
}

}  // namespace

std::unique_ptr<QApplication> OpenGraphicalSession(int& argc, char** argv) {
    if (argc > 0 && argv[0] != nullptr && *argv[0] != '\0') programName = argv[0];
    const bool platformChosen = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (!platformChosen && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        EndWithoutSession("aucune session graphique n'est ouverte (ni DISPLAY ni WAYLAND_DISPLAY)");
    }
    previousHandler = qInstallMessageHandler(OnOpeningMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previousHandler);
    for (const auto& [type, message] : heldMessages) {
        if (previousHandler) previousHandler(type, QMessageLogContext(), message);
    }
    heldMessages.clear();
    return application;
}

}  // namespace velnix::qt_platform
