#include "platform/qt/about/AboutDialog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "common/Version.h"
#include "platform/linux/process/LinuxProcessLauncher.h"
#include "platform/linux/registry/RegistryPlatform.h"
#include "platform/qt/about/QtShellOpener.h"
#include "platform/qt/msgbox/QtMsgBox.h"
#include "testsupport/FakeMsgBox.h"
#include "testsupport/FakeRegistry.h"
#include "testsupport/FakeSystemFacts.h"

namespace velnix::qt_platform {
namespace {

namespace fs = std::filesystem;

// Runs `step` on the next modal window once the event loop has shown it.
void WhenModalShows(std::function<void(QWidget*)> step) {
    QTimer::singleShot(0, [step] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        step(modal);
    });
}

QLabel* LabelStarting(QWidget* dialog, const char* start) {
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (label->text().startsWith(QString::fromUtf8(start))) return label;
    }
    return nullptr;
}

QPushButton* Button(QWidget* dialog, const char* text) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == QString::fromUtf8(text)) return button;
    }
    return nullptr;
}

// The dialog's services as the program gives them on Linux.
struct LinuxAboutServices {
    AboutServices Services() {
        AboutServices services;
        services.registry = &platform.registry;
        services.startShown = [this](const std::string& line) { launcher.StartShown(line); };
        services.fileExists = [](const std::string& file) {
            std::error_code error;
            return fs::is_regular_file(file, error);
        };
        services.shell = &shell;
        services.messages = &messages;
        services.program = &platform.program;
        return services;
    }

    linux_platform::RegistryPlatform platform;
    linux_platform::LinuxProcessLauncher launcher;
    QtShellOpener shell;
    QtMsgBox messages;
};

TEST(AboutDialogTest, EachShowingLoadsTheDialogAnew) {
    LinuxAboutServices adapters;
    for (int showing = 0; showing < 2; ++showing) {
        bool seen = false;
        WhenModalShows([&](QWidget* dialog) {
            seen = true;
            EXPECT_EQ(dialog->windowTitle(), "A propos Velnix-Connect");
            EXPECT_EQ(dialog->size(), QSize(382, 223));
            EXPECT_NE(LabelStarting(dialog, "Version " VELNIX_VERSION), nullptr);
            EXPECT_NE(LabelStarting(dialog, "Velnix-Connect"), nullptr);
            QLabel* mail = LabelStarting(dialog, "E-Mail : ");
            ASSERT_NE(mail, nullptr);
            EXPECT_EQ(mail->cursor().shape(), Qt::PointingHandCursor);
            EXPECT_EQ(mail->toolTip(), "Envoyer un courriel");
            EXPECT_EQ(LabelStarting(dialog, "URL : ")->cursor().shape(), Qt::PointingHandCursor);
            QPushButton* sysInfo = Button(dialog, "&Système Info...");
            ASSERT_NE(sysInfo, nullptr);
            EXPECT_EQ(sysInfo->toolTip(), "Informations système");
            EXPECT_TRUE(Button(dialog, "OK")->isDefault());
            QTest::keyClick(dialog, Qt::Key_Escape);  // OK is also the cancel button
        });
        ShowAboutDialog(adapters.Services());
        EXPECT_TRUE(seen);
    }
}

// The system information tool is found under the system root and really started.
TEST(AboutDialogTest, SystemInformationStartsTheInstalledToolOrSaysItIsMissing) {
    QTemporaryDir root;
    setenv("VELNIX_ROOT", root.path().toUtf8().constData(), 1);
    LinuxAboutServices adapters;
    bool messageSeen = false;
    WhenModalShows([&](QWidget* dialog) {
        WhenModalShows([&](QWidget* box) {
            auto* message = qobject_cast<QMessageBox*>(box);
            ASSERT_NE(message, nullptr);
            messageSeen = message->text() == "Information Systeme introuvable !" &&
                          message->windowTitle() == "Velnix-Connect";
            message->accept();
        });
        QTest::mouseClick(Button(dialog, "&Système Info..."), Qt::LeftButton);
        dialog->close();
    });
    ShowAboutDialog(adapters.Services());
    EXPECT_TRUE(messageSeen);

    const fs::path tool = fs::path(root.path().toStdString()) / "usr/bin/hardinfo";
    fs::create_directories(tool.parent_path());
    std::ofstream(tool) << "#!/bin/sh\ntouch \"$0.ran\"\n";
    fs::permissions(tool, fs::perms(0755));
    WhenModalShows([&](QWidget* dialog) {
        QTest::mouseClick(Button(dialog, "&Système Info..."), Qt::LeftButton);
        dialog->close();
    });
    ShowAboutDialog(adapters.Services());
    for (int wait = 0; wait < 100 && !fs::exists(tool.string() + ".ran"); ++wait) QTest::qWait(20);
    EXPECT_TRUE(fs::exists(tool.string() + ".ran"));
    unsetenv("VELNIX_ROOT");
}

class RecordingShell : public ShellOpener {
  public:
    void Open(std::string_view file, std::string_view, std::string_view) override {
        opened.emplace_back(file);
    }
    std::vector<std::string> opened;
};

TEST(AboutDialogTest, LinksAndDetailsGoThroughTheLogic) {
    testing::FakeRegistry registry;
    RecordingShell shell;
    testing::FakeMsgBox messages;
    testing::FakeRunningProgram program;
    AboutServices services;
    services.registry = &registry;
    services.startShown = [](const std::string&) {};
    services.fileExists = [](const std::string&) { return false; };
    services.shell = &shell;
    services.messages = &messages;
    services.program = &program;
    AboutDialog dialog(services);
    dialog.show();

    QTest::mouseClick(LabelStarting(&dialog, "E-Mail : "), Qt::LeftButton);
    QTest::mouseClick(LabelStarting(&dialog, "URL : "), Qt::LeftButton);
    QLabel* donation = nullptr;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->toolTip() == "Faire un don au projet Velnix") donation = label;
    }
    ASSERT_NE(donation, nullptr);
    EXPECT_EQ(donation->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(donation, Qt::LeftButton);
    EXPECT_EQ(shell.opened, (std::vector<std::string>{"mailto:contact@velnix.example.org",
                                                      "https://velnix.example.org/",
                                                      "https://velnix.example.org/don"}));

    QTest::mouseClick(Button(&dialog, "Détails..."), Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "A propos");
}

TEST(QtMsgBoxTest, CarriageReturnsBecomeLines) {
    QString shownText;
    WhenModalShows([&](QWidget* box) {
        auto* message = qobject_cast<QMessageBox*>(box);
        ASSERT_NE(message, nullptr);
        shownText = message->text();
        EXPECT_EQ(message->windowTitle(), "A propos");
        EXPECT_EQ(message->icon(), QMessageBox::Information);
        message->accept();
    });
    QtMsgBox().Show("un\r\rdeux", "A propos", MsgBox::Icon::Information);
    EXPECT_EQ(shownText, "un\n\ndeux");
}

}  // namespace
}  // namespace velnix::qt_platform
