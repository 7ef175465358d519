#include "platform/qt/config/ConfigurationDialog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

#include "config/SettingsKeys.h"
#include "platform/linux/registry/RegistryPlatform.h"
#include "platform/qt/settings/QtSettingsStore.h"
#include "testsupport/EngineFixture.h"
#include "testsupport/FakeMsgBox.h"

namespace velnix::qt_platform {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A connection object on the real settings store in a folder of its own, a system root of its
// own for the start entry, and the real dialog opened as the main window opens it.
class ConfigurationDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(rootDir.isValid() && settingsDir.isValid());
        root = rootDir.path().toStdString();
        setenv("VELNIX_ROOT", root.c_str(), 1);
        fs::create_directories(root / "etc/xdg/autostart");
        engine.ras.entries = {"Maison ADSL", "Secours RTC"};
        TenalineServices services = engine.Services();
        services.settings = &store;
        object = InternetTenaline::Create(services);
    }
    void TearDown() override {
        if (dialog) dialog->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        unsetenv("VELNIX_ROOT");
    }

    void Open() {
        dialog = OpenConfigurationDialog(object, QPoint(20, 150), registry.module, messages);
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    }
    template <typename T>
    T* Find(const char* accessibleName = nullptr) {
        for (T* child : dialog->findChildren<T*>()) {
            if (!accessibleName || child->accessibleName() == QLatin1String(accessibleName)) {
                return child;
            }
        }
        return nullptr;
    }
    QCheckBox* Box(const char* text) {
        for (QCheckBox* box : dialog->findChildren<QCheckBox*>()) {
            if (box->text() == QString::fromUtf8(text)) return box;
        }
        return nullptr;
    }
    QLineEdit* Edit(bool password) {
        for (QLineEdit* edit : dialog->findChildren<QLineEdit*>()) {
            if ((edit->echoMode() == QLineEdit::Password) == password) return edit;
        }
        return nullptr;
    }
    fs::path EntryFile() const { return root / "etc/xdg/autostart/Velnix.desktop"; }
    void Delete() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    QTemporaryDir rootDir;
    QTemporaryDir settingsDir;
    fs::path root;
    QtSettingsStore store{settingsDir.path()};
    testing::EngineFixture engine;
    std::shared_ptr<InternetTenaline> object;
    linux_platform::RegistryPlatform registry;
    testing::FakeMsgBox messages;
    QPointer<ConfigurationDialog> dialog;
};

TEST_F(ConfigurationDialogTest, ShowsItsControlsAsDesigned) {
    Open();
    EXPECT_EQ(dialog->windowTitle(), "Auto-connexion - Configuration");
    EXPECT_EQ(dialog->size(), QSize(248, 157));
    EXPECT_TRUE(dialog->windowFlags() & Qt::Tool);
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->pos(), QPoint(20, 150));
    EXPECT_EQ(dialog->font().family(), "Comic Sans MS");
    EXPECT_DOUBLE_EQ(dialog->font().pointSizeF(), 8.25);

    QComboBox* list = Find<QComboBox>();
    EXPECT_FALSE(list->isEditable());
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(list->currentIndex(), -1);
    QLineEdit* password = Edit(true);
    EXPECT_EQ(
        password->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, password),
        '*');
    EXPECT_TRUE(Box("Reconnecter en cas de déconnexion.")->isChecked());
    EXPECT_FALSE(Box("Lancer au démarrage de Windows")->isChecked());
    EXPECT_TRUE(Find<QPushButton>("Enregistrer")->text().isEmpty());
    EXPECT_FALSE(Find<QPushButton>("Enregistrer")->icon().isNull());

    // Tab order: the list, login, password, redial, save, close, the start box.
    std::vector<QWidget*> expected = {list,
                                      Edit(false),
                                      password,
                                      Box("Reconnecter en cas de déconnexion."),
                                      Find<QPushButton>("Enregistrer"),
                                      Find<QPushButton>("Fermer"),
                                      Box("Lancer au démarrage de Windows")};
    list->setFocus();
    for (size_t i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), expected[i]) << "tab stop " << i;
    }
}

TEST_F(ConfigurationDialogTest, FilledAndSavedTheOptionsReachTheSettingsFile) {
    Open();
    Find<QComboBox>()->setCurrentIndex(1);
    QTest::keyClicks(Edit(false), "jean");
    QTest::keyClicks(Edit(true), "mot de passe");
    QTest::mouseClick(Box("Reconnecter en cas de déconnexion."), Qt::LeftButton, {}, QPoint(5, 8));
    QTest::mouseClick(Find<QPushButton>("Enregistrer"), Qt::LeftButton);
    Delete();
    EXPECT_TRUE(dialog.isNull());

    QtSettingsStore reread(settingsDir.path());
    EXPECT_EQ(ReadSetting(reread, settings::kConnectionName), "Secours RTC");
    EXPECT_EQ(ReadSetting(reread, settings::kLogin), "jean");
    EXPECT_EQ(ReadSetting(reread, settings::kPassWord), "mot de passe");
    EXPECT_FALSE(ReadSetting(reread, settings::kAutoReconnect));
    EXPECT_EQ(object->Login(), "jean");
}

TEST_F(ConfigurationDialogTest, TheStartBoxWritesTheAutostartEntryAtOnce) {
    Open();
    QCheckBox* start = Box("Lancer au démarrage de Windows");
    QTest::mouseClick(start, Qt::LeftButton, {}, QPoint(5, 8));
    ASSERT_TRUE(fs::exists(EntryFile()));
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    EXPECT_NE(ReadFile(EntryFile()).find("\nExec=" + self + "\n"), std::string::npos);

    QTest::mouseClick(start, Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_FALSE(fs::exists(EntryFile()));
}

TEST_F(ConfigurationDialogTest, AnExistingEntryIsTickedAndBroughtUpToDateOnOpening) {
    std::ofstream(EntryFile()) << "[Desktop Entry]\nType=Application\nExec=/ancien/velnix\n";
    Open();
    EXPECT_TRUE(Box("Lancer au démarrage de Windows")->isChecked());
    EXPECT_EQ(ReadFile(EntryFile()).find("/ancien/velnix"), std::string::npos);
}

// Some window managers do not give a new tool window the focus: showing it is enough.
TEST_F(ConfigurationDialogTest, TheStartBoxIsRightAsSoonAsTheDialogShows) {
    std::ofstream(EntryFile()) << "[Desktop Entry]\nType=Application\nExec=/ancien/velnix\n";
    dialog = OpenConfigurationDialog(object, QPoint(20, 150), registry.module, messages);
    // No event handled yet.
    EXPECT_TRUE(Box("Lancer au démarrage de Windows")->isChecked());
}

TEST_F(ConfigurationDialogTest, ClosingWithoutSavingKeepsTheStoreAndReleasesTheObject) {
    Open();
    QTest::keyClicks(Edit(false), "personne");
    std::weak_ptr<InternetTenaline> watched = object;
    object.reset();
    engine.window->Unload();  // the main window has let go
    EXPECT_FALSE(watched.expired()) << "the open dialog keeps the object";
    QTest::mouseClick(Find<QPushButton>("Fermer"), Qt::LeftButton);
    Delete();
    EXPECT_TRUE(dialog.isNull());
    EXPECT_TRUE(watched.expired());
    EXPECT_EQ(ReadSetting(store, settings::kLogin), "");
}

}  // namespace
}  // namespace velnix::qt_platform
