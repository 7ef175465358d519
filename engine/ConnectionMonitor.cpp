// The connection monitor: one run of PollConnection, the heartbeat of the program.

#include <vector>

#include "common/Guarded.h"
#include "common/Int32.h"
#include "common/Text.h"
#include "engine/InternetTenaline.h"

namespace velnix {

namespace {

// A test that fails outright counts as not holding: a corrupt option must not start a dial.
template <typename Test>
bool Holds(Test test) noexcept {
    try {
        return test();
    } catch (...) {
        return false;
    }
}

}  // namespace

void InternetTenaline::PollConnection() {
    Guarded([&] { ApplyTransitionRule(); });
    Guarded([&] { RedialIfWanted(); });

    Sample sample;
    Guarded([&] { TakeSample(sample); });

    Guarded([&] {
        if (!mBaselineSet) {
            mBaselineSet = true;
            mPrevReceived = sample.lOctetsRecus;
            mPrevSent = sample.lOctetsEnvoyes;
        }
    });

    int32_t lVitesseD = 0;
    int32_t lVitesseU = 0;
    Guarded([&] { lVitesseD = CheckedSub(sample.lOctetsRecus, mPrevReceived); });
    Guarded([&] { lVitesseU = CheckedSub(sample.lOctetsEnvoyes, mPrevSent); });

    Guarded([&] { RaiseUpdateState(Connection(), sample, lVitesseD, lVitesseU); });

    Guarded([&] {
        mPrevSent = sample.lOctetsEnvoyes;
        mPrevReceived = sample.lOctetsRecus;
    });
}

// The first rule whose test holds has its action carried out; each test reads Connected anew.
void InternetTenaline::ApplyTransitionRule() {
    if (Holds([&] { return !Connected() && mDialPending; })) {
        Connect();  // a dial was requested and no connection is listed yet
    } else if (Holds([&] { return Connected() && mDialPending; })) {
        mDialPending = false;
        mWasConnected = true;
        mBaselineSet = false;
        RaiseConnected();
    } else if (Holds([&] { return !Connected() && mWasConnected; })) {
        mWasConnected = false;
        RaiseDisconnected();  // lost without a hang-up request
    } else if (Holds([&] { return Connected() && mHangUpPending; })) {
        Disconnect();  // a hang-up was requested and the connection is still listed
    } else if (Holds([&] { return !Connected() && mHangUpPending; })) {
        mHangUpPending = false;
        mUserHungUp = true;
        RaiseDisconnected();  // the requested hang-up has completed
    }
}

// Redial unless the user hung up, when automatic redial is on.
void InternetTenaline::RedialIfWanted() {
    if (Holds([&] { return !Connected() && !mUserHungUp && Tenaline(); })) {
        Connect();
    }
}

// The configured connection's duration and counters; every listed record is visited.
void InternetTenaline::TakeSample(Sample& sample) {
    std::vector<ras::RasConn>& buffer = mConnectionRecords;
    buffer[0].dwSize = ras::kRasConnSize;
    auto room = static_cast<uint32_t>(ras::kRasConnSize * buffer.size());
    uint32_t count = 0;
    if (mServices.ras->EnumConnections(buffer.data(), room, count) != ras::kSuccess) return;

    ras::RasStats stats{};
    for (uint32_t i = 0; i < count; ++i) {
        if (i >= buffer.size()) throw OutOfRangeError("trop de connexions actives");
        const ras::RasConn& record = buffer[i];
        const std::string name =
            mServices.ras->TextFromSystemCodePage(record.szEntryName, sizeof record.szEntryName);
        if (!EqualsIgnoreCase(name, Connection())) continue;
        stats.dwSize = ras::kRasStatsSize;
        if (mServices.ras->GetConnectionStatistics(record.hrasconn, &stats) == ras::kSuccess) {
            sample.lTemps = BitsToInt32(stats.dwConnectDuration);
            sample.lOctetsRecus = BitsToInt32(stats.dwBytesRcved);
            sample.lOctetsEnvoyes = BitsToInt32(stats.dwBytesXmited);
        }
    }
}

}  // namespace velnix
