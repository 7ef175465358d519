// What a tick costs Qt itself on this machine, for bench/tick_profile.sh to print beside the
// program's own tick: a program that wakes once a second as Velnix does and, by its argument,
//   timer    does nothing else;
//   signal   sends a six-argument D-Bus signal through QtDBus (its bus thread writes it);
//   label    also sets the text of a label on a shown window, which Qt then paints.
#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QLabel>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode != "timer" && mode != "signal" && mode != "label") {
        std::fprintf(stderr, "usage : qt_floor_tick timer|signal|label\n");
        return 2;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    QLabel label("0");
    if (mode == "label") label.show();
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++ticks;
        if (mode == "timer") return;
        QDBusMessage signal =
            QDBusMessage::createSignal("/org/velnix/Floor", "org.velnix.Floor", "UpdateState");
        signal << QString("Fournisseur ADSL") << ticks << ticks * 52000 << ticks * 9000 << 52000
               << 9000;
        bus.send(signal);
        if (mode == "label") label.setText(QString::number(ticks));
    });
    timer.start(1000);
    return application.exec();
}
