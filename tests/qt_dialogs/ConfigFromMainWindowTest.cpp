// The configuration dialog as the user reaches it: from the real main window's "Configurer"
// command, filled, outliving the closed main window, saved, and read back from the settings file.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "engine/InternetTenaline.h"
#include "platform/qt/app/QtDialogOpener.h"
#include "platform/qt/config/ConfigurationDialog.h"
#include "platform/qt/main/QtMainForm.h"
#include "platform/qt/main/QtTenalineFrm.h"
#include "platform/qt/settings/QtSettingsStore.h"
#include "testsupport/EngineFixture.h"
#include "testsupport/FakeApplication.h"
#include "testsupport/FakeMsgBox.h"
#include "testsupport/FakeRegistry.h"
#include "testsupport/FakeSystemFacts.h"

namespace velnix::qt_platform {
namespace {

// The user closes the main window while the dialog is open: the dialog keeps the object, and the
// program runs until the dialog has saved and closed.
TEST(ConfigFromMainWindow, TheDialogOpensBelowTheWindowOutlivesItAndSavesToTheSettingsFile) {
    QTemporaryDir settingsDir;
    QtSettingsStore store(settingsDir.path());
    testing::EngineFixture engine;
    engine.ras.entries = {"Maison ADSL", "Secours RTC"};
    std::vector<std::string> journal;
    testing::FakeApplication application(&journal);
    testing::FakeMsgBox messageBox;
    testing::FakeRegistry registry;
    testing::FakeShortPath shortPath;
    testing::FakeVersion version;
    testing::FakeRunningProgram program;
    modRegistry startEntry(registry, shortPath, version, program);
    QtDialogOpener dialogs(startEntry, messageBox, AboutServices{});

    TenalineServices services = engine.Services();
    services.settings = &store;
    services.createWindow = [&]() -> std::shared_ptr<TenalineWindow> {
        return CreateQtTenalineFrm({application, messageBox, dialogs, store});
    };
    const std::weak_ptr<InternetTenaline> object = InternetTenaline::Create(services);

    QPointer<QtMainForm> form;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "TenalineFrm") form = dynamic_cast<QtMainForm*>(widget);
    }
    ASSERT_FALSE(form.isNull());
    form->show();
    form->Menu().Menu().findChild<QAction*>("CmdConfig")->trigger();

    QPointer<ConfigurationDialog> dialog;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* found = dynamic_cast<ConfigurationDialog*>(widget)) dialog = found;
    }
    ASSERT_FALSE(dialog.isNull());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    const QRect window = form->frameGeometry();
    EXPECT_EQ(dialog->pos(), QPoint(window.left() + 20, window.top() + window.height()))
        << "300 twips right of the window's left edge, at its bottom edge";

    dialog->findChild<QComboBox*>()->setCurrentIndex(1);
    for (QLineEdit* edit : dialog->findChildren<QLineEdit*>()) {
        const bool password = edit->echoMode() == QLineEdit::Password;
        QTest::keyClicks(edit, password ? " mot, de passe " : "jean");
    }

    bool windowGoneObjectKept = false;
    QTimer::singleShot(0, form, [&] { form->close(); });
    QTimer::singleShot(100, dialog, [&] {
        windowGoneObjectKept = form.isNull() && !object.expired();
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button->accessibleName() == "Enregistrer")
                QTest::mouseClick(button, Qt::LeftButton);
        }
    });
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, qApp, &QCoreApplication::quit);
    safety.start(5000);
    QApplication::exec();  // ends with the last window
    EXPECT_TRUE(windowGoneObjectKept);
    EXPECT_TRUE(safety.isActive()) << "the program did not end with its last window";
    EXPECT_TRUE(object.expired()) << "saving let go of the object";

    QFile file(settingsDir.path() + "/Quorath_Software.ini");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains("[Tenaline]\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nConnectionName=Secours RTC\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nLogin=jean\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nPassWord= mot, de passe \n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nAutoReconnect=True\n")) << text.toStdString();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace velnix::qt_platform
