#include "platform/qt/settings/QtSettingsStore.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "common/Errors.h"
#include "config/SettingsKeys.h"
#include "tests/linux/Unprivileged.h"

namespace velnix::qt_platform {
namespace {

namespace fs = std::filesystem;

fs::perms Mode(const QString& path) {
    return fs::status(path.toStdString()).permissions() & fs::perms::mask;
}

class QtSettingsStoreTest : public ::testing::Test {
  protected:
    // Where the user nobody may reach it: one check runs as nobody.
    QTemporaryDir temp{QString(linux_platform::testing::kOpenTempFolder) +
                       "/velnix-settings-XXXXXX"};
    QString folder = temp.path() + "/config/Velnix";
    QtSettingsStore store{folder};

    void WriteRaw(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};

TEST_F(QtSettingsStoreTest, AbsentStoreGivesTheDefaultsAndCreatesNothing) {
    EXPECT_EQ(store.Read("Quorath_Software", "Tenaline", "AutoReconnect", "True"), "True");
    EXPECT_TRUE(ReadSetting(store, settings::kAutoReconnect));
    EXPECT_FALSE(ReadSetting(store, settings::kAutoMask));
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST_F(QtSettingsStoreTest, OneUserOnlyFilePerApplication) {
    WriteSetting(store, settings::kPassWord, "secret");
    WriteSetting(store, settings::kAutoMask, true);
    const QString engineFile = folder + "/Quorath_Software.ini";
    const QString windowFile = folder + "/Vorn.ini";
    ASSERT_TRUE(QFileInfo::exists(engineFile));
    ASSERT_TRUE(QFileInfo::exists(windowFile));
    EXPECT_EQ(Mode(engineFile), fs::perms(0600));
    EXPECT_EQ(Mode(windowFile), fs::perms(0600));
    EXPECT_EQ(Mode(folder), fs::perms(0700));
    EXPECT_EQ(Mode(temp.path() + "/config"), fs::perms(0700)) << "missing parents too";

    QFile::remove(windowFile);
    EXPECT_EQ(ReadSetting(store, settings::kPassWord), "secret") << "the other application's data";
    EXPECT_FALSE(ReadSetting(store, settings::kAutoMask));
}

TEST_F(QtSettingsStoreTest, TextComesBackUnchanged) {
    for (const std::string password :
         {"  a, b  ", "\"quoted\"", "x=y;z#", "ligne\nautre", "é\\n", "\x01\x1B[0m\x7F\t"}) {
        WriteSetting(store, settings::kPassWord, password);
        EXPECT_EQ(ReadSetting(store, settings::kPassWord), password);
    }
    WriteSetting(store, settings::kLogin, "");
    EXPECT_EQ(store.Read("Quorath_Software", "Tenaline", "Login", "défaut"), "")
        << "an empty value is stored, not absent";
}

TEST_F(QtSettingsStoreTest, AnotherProcessesWriteIsSeenByTheNextRead) {
    WriteSetting(store, settings::kAutoReconnect, true);
    EXPECT_TRUE(ReadSetting(store, settings::kAutoReconnect));
    WriteRaw(folder + "/Quorath_Software.ini", "[Tenaline]\nAutoReconnect = false\n");
    EXPECT_FALSE(ReadSetting(store, settings::kAutoReconnect));
    WriteRaw(folder + "/Quorath_Software.ini", "[Tenaline]\nAutoReconnect=vrai\n");
    EXPECT_THROW(ReadSetting(store, settings::kAutoReconnect), TypeMismatchError);
}

TEST_F(QtSettingsStoreTest, AWriteChangesOnlyTheLineOfItsKeyInAHandEditedFile) {
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + "/Quorath_Software.ini";
    WriteRaw(path,
             "\xEF\xBB\xBF; à la main\r\nAvant=section\r\n\r\n[Tenaline]\r\nLogin=jean\r\n"
             "Inconnue=1\r\nPassWord=secret\r\n");
    EXPECT_EQ(ReadSetting(store, settings::kLogin), "jean");
    WriteSetting(store, settings::kLogin, "paul");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(),
              "\xEF\xBB\xBF; à la main\r\nAvant=section\r\n\r\n[Tenaline]\r\nLogin=paul\r\n"
              "Inconnue=1\r\nPassWord=secret\r\n");
}

// Bytes that are no settings text are neither read nor replaced, and the error names the file.
TEST_F(QtSettingsStoreTest, AFileThatIsNotSettingsTextIsLeftUntouched) {
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + "/Quorath_Software.ini";
    QByteArray junk(10 * 1024 * 1024, '\0');
    uint32_t seed = 1;
    for (char& byte : junk) byte = static_cast<char>((seed = seed * 1103515245 + 12345) >> 16);
    const struct {
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {junk, "plus de 1 Mo"},
        {junk.left(64), "contenu binaire"},
        {QByteArray("[Tenaline]\nLogin=jean\0\n", 22), "contenu binaire"},
        {"[Tenaline]\nLogin=Andr\xE9\n", "pas en UTF-8"},
        {QByteArray(2 * 1024 * 1024, ';'), "plus de 1 Mo"},
    };
    for (const auto& c : cases) {
        WriteRaw(path, c.bytes);
        for (const bool write : {false, true}) {
            try {
                if (write) {
                    WriteSetting(store, settings::kLogin, "paul");
                } else {
                    ReadSetting(store, settings::kLogin);
                }
                ADD_FAILURE() << c.reason << (write ? ": written" : ": read");
            } catch (const SettingsError& error) {
                const std::string text = error.what();
                EXPECT_NE(text.find("« " + path.toStdString() + " »"), std::string::npos) << text;
                EXPECT_NE(text.find(c.reason), std::string::npos) << text;
            }
        }
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.readAll() == c.bytes) << c.reason;
    }
}

TEST_F(QtSettingsStoreTest, WritesKeepTheOtherKeys) {
    WriteSetting(store, settings::kLogin, "jean");
    WriteSetting(store, settings::kConnectionName, "Mon FAI");
    QtSettingsStore other(folder);  // as a second process would
    WriteSetting(other, settings::kLogin, "paul");
    EXPECT_EQ(ReadSetting(store, settings::kLogin), "paul");
    EXPECT_EQ(ReadSetting(store, settings::kConnectionName), "Mon FAI");
}

TEST_F(QtSettingsStoreTest, AStoreThatCannotBeReadOrWrittenIsAnError) {
    ASSERT_TRUE(QDir().mkpath(folder + "/Quorath_Software.ini"));  // a folder where the file goes
    EXPECT_THROW(ReadSetting(store, settings::kLogin), SettingsError);
    EXPECT_THROW(WriteSetting(store, settings::kLogin, "x"), SettingsError);

    WriteRaw(temp.path() + "/plain", "not a folder");
    QtSettingsStore blocked(temp.path() + "/plain/Velnix");
    EXPECT_THROW(WriteSetting(blocked, settings::kLogin, "x"), SettingsError);
    EXPECT_EQ(ReadSetting(blocked, settings::kLogin), "");
}

// A folder the user may read but not write is no lock held by another program.
TEST_F(QtSettingsStoreTest, AFolderWithoutWriteRightIsNotReportedAsLocked) {
    ASSERT_TRUE(QDir().mkpath(folder));
    WriteSetting(store, settings::kLogin, "jean");
    // Readable by everyone, writable by nobody but root (the check below runs as nobody).
    const auto readOnly = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                          fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec;
    const QString folders[] = {temp.path(), temp.path() + "/config", folder};
    for (const QString& path : folders) fs::permissions(path.toStdString(), readOnly);
    fs::permissions((folder + "/Quorath_Software.ini").toStdString(),
                    fs::perms::owner_read | fs::perms::others_read);
    const int status = linux_platform::testing::RunUnprivileged([this] {
        try {
            WriteSetting(store, settings::kLogin, "paul");
        } catch (const SettingsError& error) {
            const std::string text = error.what();
            if (text.find("verrouillés") != std::string::npos) return 2;
            return text.find("Impossible d'écrire les réglages") != std::string::npos &&
                           text.find("accès refusé") != std::string::npos
                       ? 0
                       : 3;
        }
        return 1;  // written without the right to
    });
    for (const QString& path : folders) fs::permissions(path.toStdString(), fs::perms::owner_all);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadSetting(store, settings::kLogin), "jean");
}

TEST_F(QtSettingsStoreTest, AFolderThatCannotBeMadeNamesTheReason) {
    ASSERT_TRUE(QDir().mkpath(temp.path() + "/config"));
    ASSERT_TRUE(QFile::link(temp.path() + "/nowhere", folder));  // a link to nothing
    try {
        WriteSetting(store, settings::kLogin, "x");
        FAIL() << "a write into a dangling link succeeded";
    } catch (const SettingsError& error) {
        const std::string text = error.what();
        EXPECT_NE(text.find("Impossible de créer le dossier des réglages"), std::string::npos);
        EXPECT_NE(text.find("le fichier existe déjà"), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace velnix::qt_platform
