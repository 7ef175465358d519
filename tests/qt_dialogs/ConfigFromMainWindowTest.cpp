// The configuration dialog as the user reaches it: from the real main window's "Configurer"
// command, filled, saved, and read back from the settings file.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "engine/InternetTenaline.h"
#include "platform/qt/app/QtDialogOpener.h"
#include "platform/qt/config/ConfigurationDialog.h"
#include "platform/qt/main/QtMainForm.h"
#include "platform/qt/main/QtTenalineFrm.h"
#include "platform/qt/settings/QtSettingsStore.h"
#include "testsupport/EngineFixture.h"
#include "testsupport/FakeApplication.h"
#include "testsupport/FakeMsgBox.h"

namespace velnix::qt_platform {
namespace {

TEST(ConfigFromMainWindow, TheDialogOpensBelowTheWindowAndSavesToTheSettingsFile) {
    QTemporaryDir settingsDir;
    QtSettingsStore store(settingsDir.path());
    testing::EngineFixture engine;
    engine.ras.entries = {"Maison ADSL", "Secours RTC"};
    std::vector<std::string> journal;
    testing::FakeApplication application(&journal);
    testing::FakeMsgBox messageBox;
    QtDialogOpener dialogs;

    TenalineServices services = engine.Services();
    services.settings = &store;
    services.createWindow = [&]() -> std::shared_ptr<TenalineWindow> {
        return CreateQtTenalineFrm({application, messageBox, dialogs, store});
    };
    std::weak_ptr<TenalineWindow> frm = InternetTenaline::Create(services)->Window();

    QtMainForm* form = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "TenalineFrm") form = dynamic_cast<QtMainForm*>(widget);
    }
    ASSERT_NE(form, nullptr);
    form->Menu().Menu().findChild<QAction*>("CmdConfig")->trigger();

    ConfigurationDialog* dialog = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* found = dynamic_cast<ConfigurationDialog*>(widget)) dialog = found;
    }
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    const QRect window = form->frameGeometry();
    EXPECT_EQ(dialog->pos(), QPoint(window.left() + 20, window.top() + window.height()))
        << "300 twips right of the window's left edge, at its bottom edge";

    dialog->findChild<QComboBox*>()->setCurrentIndex(1);
    for (QLineEdit* edit : dialog->findChildren<QLineEdit*>()) {
        const bool password = edit->echoMode() == QLineEdit::Password;
        QTest::keyClicks(edit, password ? " mot, de passe " : "jean");
    }
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->accessibleName() == "Enregistrer") QTest::mouseClick(button, Qt::LeftButton);
    }

    QFile file(settingsDir.path() + "/Quorath_Software.ini");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains("[Tenaline]\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nConnectionName=Secours RTC\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nLogin=jean\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nPassWord= mot, de passe \n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nAutoReconnect=True\n")) << text.toStdString();

    if (!frm.expired()) form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace velnix::qt_platform
