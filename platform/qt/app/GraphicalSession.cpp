#include "platform/qt/app/GraphicalSession.h"

#include <QByteArray>
#include <cstdio>
#include <cstdlib>

namespace velnix::qt_platform {

namespace {

constexpr const char* kTryHint = " Pour l'essayer sans écran : xvfb-run -a velnix";

[[noreturn]] void EndWithoutSession(const QByteArray& reason) {
    std::fprintf(stderr, "velnix : %s.%s\n", reason.constData(), kTryHint);
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

QtMessageHandler previousHandler = nullptr;

// A fatal message while the platform opens means the display could not be reached.
void OnOpeningMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        const QByteArray display =
            qgetenv("WAYLAND_DISPLAY").isEmpty() ? qgetenv("DISPLAY") : qgetenv("WAYLAND_DISPLAY");
        EndWithoutSession("impossible d'ouvrir l'affichage graphique « " + display + " »");
    }
    if (type == QtWarningMsg && message.contains("could not connect to display")) return;
    if (previousHandler) previousHandler(type, context, message);
}

}  // namespace

std::unique_ptr<QApplication> OpenGraphicalSession(int& argc, char** argv) {
    const bool platformChosen = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (!platformChosen && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        EndWithoutSession("aucune session graphique n'est ouverte (ni DISPLAY ni WAYLAND_DISPLAY)");
    }
    previousHandler = qInstallMessageHandler(OnOpeningMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previousHandler);
    return application;
}

}  // namespace velnix::qt_platform
