#include "platform/qt/settings/QtSettingsStore.h"

#include <sys/stat.h>

#include <cerrno>
#include <optional>
#include <string>

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

#include "common/Errors.h"
#include "platform/linux/process/SystemErrorText.h"
#include "platform/qt/Utf8.h"

namespace velnix::qt_platform {
namespace {

constexpr QFileDevice::Permissions kUserOnlyFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

std::string ToText(const QString& text) { return text.toStdString(); }

// The reason in French: Qt's own texts are English. `error` is errno taken right after the
// failing call.
[[noreturn]] void Fail(const char* what, const QString& path, int error) {
    const std::string reason =
        error != 0 ? linux_platform::SystemErrorText(error) : std::string("erreur inconnue");
    throw SettingsError(std::string(what) + " « " + ToText(path) + " » : " + reason);
}

// Creates the folder and any missing parent readable by the user only.
void MakeUserOnlyFolder(const QString& folder) {
    const QString absolute = QDir(folder).absolutePath();
    QString path;
    for (const QString& part : absolute.split('/', Qt::SkipEmptyParts)) {
        path += '/' + part;
        if (QFileInfo(path).isDir()) continue;
        if (::mkdir(QFile::encodeName(path).constData(), 0700) == 0) continue;
        const int reason = errno;  // before the check below overwrites it
        if (!QFileInfo(path).isDir()) {
            Fail("Impossible de créer le dossier des réglages", path, reason);
        }
    }
}

// A settings file is a little UTF-8 text; anything else was not written as settings.
constexpr size_t kMaxSettingsBytes = 1024 * 1024;

// Why `bytes` cannot be settings text, or null when they can.
const char* NotSettingsText(const std::string& bytes) {
    if (bytes.size() > kMaxSettingsBytes) return "plus de 1 Mo";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t' && c != '\n' && c != '\r') || byte == 0x7F) {
            return "contenu binaire";
        }
    }
    if (!QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())).isValidUtf8()) {
        return "texte qui n'est pas en UTF-8";
    }
    return nullptr;
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : QtSettingsStore(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                      "/Velnix") {}

QtSettingsStore::QtSettingsStore(QString folder) : folder_(std::move(folder)) {}

IniText QtSettingsStore::ReadFile(const QString& path) {
    std::optional<std::string> bytes;
    {
        const std::scoped_lock lock(filesLock_);
        bytes = files_[path].Read(QFile::encodeName(path).toStdString(), kMaxSettingsBytes + 1);
    }
    if (!bytes) {
        if (errno == ENOENT || errno == ENOTDIR) return {};
        Fail("Impossible de lire les réglages", path, errno);
    }
    if (const char* reason = NotSettingsText(*bytes)) {
        throw SettingsError("Réglages illisibles « " + ToText(path) + " » : " + reason +
                            " ; le fichier est laissé tel quel");
    }
    return IniText::Parse(*bytes);
}

QString QtSettingsStore::FilePath(std::string_view application) const {
    return folder_ + '/' + FromUtf8(application) + ".ini";
}

std::string QtSettingsStore::Read(std::string_view application, std::string_view section,
                                  std::string_view key, std::string_view defaultValue) {
    const std::optional<std::string> value = ReadFile(FilePath(application)).Value(section, key);
    return value ? *value : std::string(defaultValue);
}

void QtSettingsStore::Write(std::string_view application, std::string_view section,
                            std::string_view key, std::string_view value) {
    MakeUserOnlyFolder(folder_);
    const QString path = FilePath(application);

    QLockFile lock(path + ".lock");
    if (!lock.tryLock(5000)) {
        // Only a lock held elsewhere means another program; otherwise the folder refused it.
        if (lock.error() == QLockFile::LockFailedError) {
            throw SettingsError("Réglages verrouillés par un autre programme : « " +
                                ToText(path + ".lock") + " »");
        }
        Fail("Impossible d'écrire les réglages", path,
             lock.error() == QLockFile::PermissionError ? EACCES : 0);
    }
    IniText ini = ReadFile(path);
    ini.SetValue(section, key, value);
    const std::string text = ini.Serialise();

    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) Fail("Impossible d'écrire les réglages", path, errno);
    file.setPermissions(kUserOnlyFile);
    if (file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.commit()) {
        Fail("Impossible d'écrire les réglages", path, errno);
    }
    errno = 0;
    if (!QFile::setPermissions(path, kUserOnlyFile)) {
        Fail("Impossible de protéger les réglages", path, errno);
    }
}

}  // namespace velnix::qt_platform
