#pragma once

#include <ostream>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QStringList>
#include <QVariant>

// Readable QString values in test failures.
inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

namespace velnix::qt_platform::testing {

// A second connection to the session bus that plays the client of the program in the same
// process. Its calls are asynchronous and wait in an event loop, so that the program's side,
// on the same thread, can answer them.
class BusClient : public QObject {
    Q_OBJECT

  public:
    BusClient();
    ~BusClient() override;

    // Calls the program (or `service`).
    QDBusMessage Call(const QString& path, const QString& interface, const QString& member,
                      const QVariantList& arguments = {}, const QString& service = {});
    QDBusMessage Get(const QString& path, const QString& property);
    QDBusMessage Set(const QString& path, const QString& property, const QVariant& value);
    // The value of a successful Get (an invalid QVariant on error).
    QVariant Value(const QString& path, const QString& property);

    // Records the signals of the connection objects from now on.
    void Listen();
    // Waits until `count` signals have been recorded.
    bool WaitForSignals(qsizetype count, int timeoutMs = 10000);
    // Waits until the signal `name` has been recorded at or after index `from`.
    bool WaitForSignal(const QString& name, qsizetype from = 0, int timeoutMs = 10000);

    // The signals received, as "Connected", "Disconnected",
    // "UpdateState(<name>,<five figures>)" or "PropertiesChanged(<changed>|<invalidated>)".
    QStringList received;
    // The figures of each UpdateState: duration, bytes received, bytes sent, two speeds.
    QList<QList<int>> figures;
    QDBusConnection connection;

  private Q_SLOTS:
    void OnConnected();
    void OnDisconnected();
    void OnUpdateState(const QString& sNom, int lTemps, int lOctetsRecus, int lOctetsEnvoyes,
                       int lVitesseD, int lVitesseU);
    void OnPropertiesChanged(const QString& interface, const QVariantMap& changed,
                             const QStringList& invalidated);
};

}  // namespace velnix::qt_platform::testing
