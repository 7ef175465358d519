// Ten minutes of the main window in one go: 600 one-second ticks, accelerated, of the real Qt
// window (offscreen) on a link whose counters grow every tick. Prints the process's resident
// memory before and after, and the processor time of one tick: the monitor's run, the window's
// handlers and the painting of the whole window.

#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>

#include "engine/InternetTenaline.h"
#include "platform/qt/main/QtTenalineFrm.h"
#include "testsupport/FakeApplication.h"
#include "testsupport/FakeDialogOpener.h"
#include "testsupport/FakeMsgBox.h"
#include "testsupport/FakeProcessLauncher.h"
#include "testsupport/FakeRasApi.h"
#include "testsupport/FakeSettingsStore.h"

namespace {

constexpr int kTicks = 600;

// VmRSS of /proc/self/status, in KiB.
long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == "VmRSS:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    using namespace velnix;

    testing::FakeSettingsStore settings;
    settings.Set("Quorath_Software", "Tenaline", "ConnectionName", "Fournisseur ADSL");
    testing::FakeRasApi ras;
    testing::FakeProcessLauncher launcher;
    std::vector<std::string> journal;
    testing::FakeApplication program(&journal);
    testing::FakeMsgBox messageBox;
    testing::FakeDialogOpener dialogs;

    TenalineServices services;
    services.settings = &settings;
    services.ras = &ras;
    services.launcher = &launcher;
    services.createWindow = [&]() -> std::shared_ptr<TenalineWindow> {
        return qt_platform::CreateQtTenalineFrm({program, messageBox, dialogs, settings});
    };
    ras.Up("Fournisseur ADSL");
    const auto object = InternetTenaline::Create(services);
    const auto frm = std::dynamic_pointer_cast<TenalineFrm>(object->Window());
    QWidget* form = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "TenalineFrm") form = widget;
    }
    QCoreApplication::processEvents();
    const long before = ResidentKiB();

    uint32_t received = 0;
    uint32_t sent = 0;
    const std::clock_t start = std::clock();
    for (int tick = 1; tick <= kTicks; ++tick) {
        received += 40000 + 997u * static_cast<uint32_t>(tick % 50);
        sent += 8000 + 113u * static_cast<uint32_t>(tick % 30);
        ras.Up("Fournisseur ADSL", received, sent, 1000u * static_cast<uint32_t>(tick));
        frm->SurvConnTimer();
        form->repaint();
    }
    const std::clock_t end = std::clock();
    const long after = ResidentKiB();

    const double microsecondsPerTick =
        1e6 * static_cast<double>(end - start) / CLOCKS_PER_SEC / kTicks;
    std::printf("main window, %d ticks (10 minutes), offscreen\n", kTicks);
    std::printf("  resident memory before: %ld KiB, after: %ld KiB\n", before, after);
    std::printf("  processor time per tick (monitor, handlers, painting): %.1f us\n",
                microsecondsPerTick);
    return 0;
}
