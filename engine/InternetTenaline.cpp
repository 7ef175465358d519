#include "engine/InternetTenaline.h"

#include <algorithm>

#include "common/Errors.h"
#include "config/SettingsKeys.h"
#include "engine/DialCommand.h"

namespace velnix {

namespace {
// Room for 256 phone-book entries in a buffer of 257 records.
constexpr size_t kEntryRecords = 257;
constexpr uint32_t kEntryRoomRecords = 256;
constexpr uint32_t kEntryRoom = ras::kRasEntryNameSize * kEntryRoomRecords;
}  // namespace

InternetTenaline::InternetTenaline(const TenalineServices& services) : mServices(services) {}

std::shared_ptr<InternetTenaline> InternetTenaline::Create(const TenalineServices& services) {
    std::shared_ptr<InternetTenaline> object(new InternetTenaline(services));
    object->mDialPending = false;
    object->mWasConnected = false;
    object->mHangUpPending = false;
    object->mUserHungUp = false;
    const std::shared_ptr<TenalineWindow> window = services.createWindow();
    object->mFrm = window;
    window->Show();
    window->BindTo(object);
    object->mBaselineSet = false;
    return object;
}

bool InternetTenaline::Tenaline() {
    return ReadSetting(*mServices.settings, settings::kAutoReconnect);
}

void InternetTenaline::Tenaline(bool lTenaline) {
    WriteSetting(*mServices.settings, settings::kAutoReconnect, lTenaline);
}

std::string InternetTenaline::Login() { return ReadSetting(*mServices.settings, settings::kLogin); }

void InternetTenaline::Login(std::string_view lLogin) {
    WriteSetting(*mServices.settings, settings::kLogin, lLogin);
}

std::string InternetTenaline::PassWord() {
    return ReadSetting(*mServices.settings, settings::kPassWord);
}

void InternetTenaline::PassWord(std::string_view lPassWord) {
    WriteSetting(*mServices.settings, settings::kPassWord, lPassWord);
}

std::string InternetTenaline::Connection() {
    return ReadSetting(*mServices.settings, settings::kConnectionName);
}

void InternetTenaline::Connection(std::string_view lConnection) {
    WriteSetting(*mServices.settings, settings::kConnectionName, lConnection);
}

// Whether a connection is up, whichever entry it belongs to. The room holds one record: when
// two or more connections are up the platform reports that the room is too small, which means
// connected too.
bool InternetTenaline::Connected() {
    ras::RasConn connection{};
    connection.dwSize = ras::kRasConnSize;
    uint32_t room = ras::kRasConnSize;
    uint32_t count = 0;
    const uint32_t result = mServices.ras->EnumConnections(&connection, room, count);
    if (result == ras::kSuccess) return count != 0;
    return result == ras::kErrorBufferTooSmall;
}

void InternetTenaline::Connect() {
    mUserHungUp = false;
    mDialPending = true;
    const std::string entry = Connection();
    const std::string login = Login();
    const std::string password = PassWord();
    StartCommand(DialCommandLine(entry, login, password));
}

void InternetTenaline::Disconnect() {
    mWasConnected = false;
    mHangUpPending = true;
    StartCommand(HangUpCommandLine(Connection()));
}

std::vector<std::string> InternetTenaline::ConnectionList() {
    std::vector<std::string> names;
    std::vector<ras::RasEntryName> buffer(kEntryRecords);
    buffer[0].dwSize = ras::kRasEntryNameSize;
    uint32_t room = kEntryRoom;
    uint32_t count = 0;
    mServices.ras->EnumEntries(buffer.data(), room, count);
    // A phone book that does not fit the room is reported with its count and nothing written:
    // those records would read as blank names.
    if (count > kEntryRoomRecords) {
        throw OutOfRangeError("l'annuaire compte plus de 256 entrées");
    }
    for (uint32_t i = 0; i < count; ++i) {
        names.push_back(mServices.ras->TextFromSystemCodePage(buffer[i].szEntryName,
                                                              sizeof buffer[i].szEntryName));
    }
    return names;
}

void InternetTenaline::StartCommand(const std::string& commandLine) {
    mServices.launcher->StartHidden(commandLine);
}

void InternetTenaline::Advise(TenalineEvents* receiver) {
    if (std::find(mReceivers.begin(), mReceivers.end(), receiver) == mReceivers.end()) {
        mReceivers.push_back(receiver);
    }
}

void InternetTenaline::Unadvise(TenalineEvents* receiver) { std::erase(mReceivers, receiver); }

// Events go to each receiver that is still subscribed when its turn comes: a handler may
// unsubscribe another receiver.
template <typename Deliver>
void InternetTenaline::ForEachReceiver(Deliver deliver) {
    for (TenalineEvents* receiver : std::vector(mReceivers)) {
        if (std::find(mReceivers.begin(), mReceivers.end(), receiver) != mReceivers.end()) {
            deliver(*receiver);
        }
    }
}

void InternetTenaline::RaiseConnected() {
    ForEachReceiver([](TenalineEvents& receiver) { receiver.Connected(); });
}

void InternetTenaline::RaiseDisconnected() {
    ForEachReceiver([](TenalineEvents& receiver) { receiver.Disconnected(); });
}

void InternetTenaline::RaiseUpdateState(const std::string& sNom, const Sample& sample,
                                        int32_t lVitesseD, int32_t lVitesseU) {
    ForEachReceiver([&](TenalineEvents& receiver) {
        receiver.UpdateState(sNom, sample.lTemps, sample.lOctetsRecus, sample.lOctetsEnvoyes,
                             lVitesseD, lVitesseU);
    });
}

}  // namespace velnix
