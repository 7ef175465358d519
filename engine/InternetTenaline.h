#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/TenalineEvents.h"
#include "engine/TenalineServices.h"

namespace velnix {

// The connection object: owns the connection's options (all kept in the settings store,
// nothing cached), dials and hangs up through the command-line dialer, tells whether a
// connection is active, lists the phone-book entries, and, driven once a second by its main
// window, watches the connection, redials it and reports its state as events.
//
// Its holders own it: its main window (the toolkit keeps an open window) and an open
// configuration dialog. The object only observes its window.
class InternetTenaline {
  public:
    // Creates an object and runs its initialisation: its main window is created, shown and
    // bound to it. The window then holds the object; the returned reference may be dropped.
    static std::shared_ptr<InternetTenaline> Create(const TenalineServices& services);

    InternetTenaline(const InternetTenaline&) = delete;
    InternetTenaline& operator=(const InternetTenaline&) = delete;

    // The public operations, in the order of the class's interface.
    bool Tenaline();
    void Tenaline(bool lTenaline);
    std::string Login();
    void Login(std::string_view lLogin);
    std::string PassWord();
    void PassWord(std::string_view lPassWord);
    std::string Connection();
    void Connection(std::string_view lConnection);
    bool Connected();
    void Connect();
    void Disconnect();
    std::vector<std::string> ConnectionList();

    // Project-internal: one run of the connection monitor, called by the main window's
    // one-second timer. Never throws. A handler may let go of the window's reference: the caller
    // holds one of its own until the run returns.
    void PollConnection();

    // The event receivers: events go to each, in the order they subscribed.
    void Advise(TenalineEvents* receiver);
    void Unadvise(TenalineEvents* receiver);

    // The main window this object created, while the toolkit keeps it.
    std::shared_ptr<TenalineWindow> Window() const { return mFrm.lock(); }

  private:
    explicit InternetTenaline(const TenalineServices& services);

    struct Sample {
        int32_t lTemps = 0;
        int32_t lOctetsRecus = 0;
        int32_t lOctetsEnvoyes = 0;
    };

    void ApplyTransitionRule();
    void RedialIfWanted();
    void TakeSample(Sample& sample);
    void StartCommand(const std::string& commandLine);

    template <typename Deliver>
    void ForEachReceiver(Deliver deliver);
    void RaiseConnected();
    void RaiseDisconnected();
    void RaiseUpdateState(const std::string& sNom, const Sample& sample, int32_t lVitesseD,
                          int32_t lVitesseU);

    TenalineServices mServices;
    std::vector<TenalineEvents*> mReceivers;

    bool mDialPending = false;
    bool mWasConnected = false;
    bool mHangUpPending = false;
    bool mUserHungUp = false;
    int32_t mPrevReceived = 0;
    int32_t mPrevSent = 0;
    bool mBaselineSet = false;
    std::weak_ptr<TenalineWindow> mFrm;
    // The sample's room for the whole list of active connections (257 records, 105884 bytes),
    // made once: each enumeration writes the records it lists, and only those are read.
    std::vector<ras::RasConn> mConnectionRecords = std::vector<ras::RasConn>(257);
};

}  // namespace velnix
