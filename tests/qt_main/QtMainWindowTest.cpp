// The real Qt main window, offscreen, on the real window logic and connection object with fake
// platform operations.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QBackingStore>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTest>

#include "engine/InternetTenaline.h"
#include "platform/qt/Utf8.h"
#include "platform/qt/main/QtMainForm.h"
#include "platform/qt/main/QtTenalineFrm.h"
#include "testsupport/FakeApplication.h"
#include "testsupport/FakeDialogOpener.h"
#include "testsupport/FakeMsgBox.h"
#include "testsupport/FakeProcessLauncher.h"
#include "testsupport/FakeRasApi.h"
#include "testsupport/FakeSettingsStore.h"
#include "ui/main/TrafficFigures.h"

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace velnix::qt_platform {
namespace {

using ::testing::ElementsAre;

const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);

class QtMainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));  // a comma for decimals
        settings.Set("Quorath_Software", "Tenaline", "ConnectionName", "Mon FAI");
        TenalineServices services;
        services.settings = &settings;
        services.ras = &ras;
        services.launcher = &launcher;
        services.createWindow = [this]() -> std::shared_ptr<TenalineWindow> {
            return CreateQtTenalineFrm({application, messageBox, dialogs, settings});
        };
        const auto created = InternetTenaline::Create(services);
        object = created;
        frm = std::dynamic_pointer_cast<TenalineFrm>(created->Window());
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == "TenalineFrm") form = dynamic_cast<QtMainForm*>(widget);
        }
        ASSERT_NE(form, nullptr);
    }
    void TearDown() override {
        dialogs.CloseConfigurations();
        if (form) form->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::shared_ptr<TenalineFrm> Frm() { return frm.lock(); }
    template <typename T = ShapedLabel>
    T* Child(const char* name) {
        return form->findChild<T*>(name);
    }
    QString Text(const char* name) { return Child(name)->text(); }
    QAction* Entry(const char* name) { return form->Menu().Menu().findChild<QAction*>(name); }
    // The canvas as shown, one image pixel per logical pixel.
    static QImage Shot(QWidget* widget) {
        return widget->grab()
            .toImage()
            .scaled(widget->size(), Qt::IgnoreAspectRatio, Qt::FastTransformation)
            .convertToFormat(QImage::Format_RGB32);
    }
    static std::vector<int> RowsWith(const QImage& image, int column, const QColor& colour) {
        std::vector<int> rows;
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixelColor(column, y) == colour) rows.push_back(y);
        }
        return rows;
    }

    testing::FakeSettingsStore settings;
    testing::FakeRasApi ras;
    testing::FakeProcessLauncher launcher;
    std::vector<std::string> journal;
    testing::FakeApplication application{&journal};
    testing::FakeMsgBox messageBox;
    testing::FakeDialogOpener dialogs;
    std::weak_ptr<InternetTenaline> object;
    std::weak_ptr<TenalineFrm> frm;
    QPointer<QtMainForm> form;
};

TEST_F(QtMainWindowTest, LayoutFollowsTheDesignInTwips) {
    EXPECT_EQ(form->size(), QSize(281, 208));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_EQ(form->windowTitle(), "Velnix");
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(form->pos(), QPoint(7, 7));  // 100 twips, to the nearest pixel
    EXPECT_EQ(Child<QLabel>("Image1")->geometry(), QRect(8, 0, 48, 48));
    EXPECT_EQ(Child("Label6")->geometry(), QRect(32, 8, 85, 17));
    EXPECT_EQ(Child("Label5")->geometry(), QRect(56, 28, 141, 17));
    EXPECT_EQ(Child("lblTemps")->geometry(), QRect(200, 28, 69, 17));
    EXPECT_EQ(Child<QWidget>("Frame1")->geometry(), QRect(8, 52, 128, 61));
    EXPECT_EQ(Child<QWidget>("Frame2")->geometry(), QRect(144, 52, 128, 61));
    EXPECT_EQ(Child("Label2")->geometry(), QRect(8, 40, 41, 17));
    EXPECT_EQ(Child<QWidget>("picGraphD")->geometry(), QRect(8, 116, 128, 53));
    EXPECT_EQ(Child<QWidget>("picGraphU")->geometry(), QRect(144, 116, 128, 53));
    EXPECT_EQ(Child<QLabel>("Image2")->geometry(), QRect(8, 176, 20, 20));
    EXPECT_EQ(Child<QPushButton>("CmdCon")->geometry(), QRect(40, 176, 97, 25));
    EXPECT_EQ(Child<QPushButton>("Command1")->geometry(), QRect(144, 176, 65, 25));
    EXPECT_EQ(Child<QPushButton>("Command2")->geometry(), QRect(216, 176, 57, 25));
    EXPECT_EQ(Child("Label1")->parentWidget()->objectName(), "Frame1");
    EXPECT_EQ(Child("lblVitesseU")->parentWidget()->objectName(), "Frame2");
    EXPECT_EQ(Child("lblVitesseD")->palette().color(QPalette::WindowText), QColor(128, 255, 128));
    EXPECT_EQ(Child("lblOctetsEnvoyes")->palette().color(QPalette::WindowText), kRed);
    EXPECT_EQ(Child("Label6")->palette().color(QPalette::WindowText), Qt::white);
}

TEST_F(QtMainWindowTest, CaptionsTipsMenuAndFontsAtStart) {
    EXPECT_EQ(Text("Label6"), "Connexion :");
    EXPECT_EQ(Text("Label5"), "Non connecté");
    EXPECT_FALSE(Child("lblTemps")->isVisibleTo(form));
    EXPECT_EQ(Child<QPushButton>("CmdCon")->text(), "Se connecter");
    EXPECT_EQ(Child<QPushButton>("Command1")->toolTip(), "Masquer dans la barre des tâches");
    EXPECT_EQ(Child<QPushButton>("Command2")->toolTip(), "Quitter Velnix");
    EXPECT_EQ(Child<QLabel>("Image2")->toolTip(), "Non connecté");
    EXPECT_FALSE(Child<QLabel>("Image2")->pixmap().isNull());
    EXPECT_EQ(form->Tray().Icon().toolTip(), "Velnix  : Déconnecté.");

    QStringList entries;
    for (QAction* action : form->Menu().Menu().actions()) {
        entries << (action->isSeparator() ? "-" : action->text());
    }
    EXPECT_EQ(entries, QStringList({"Se connecter", "Configurer", "-", "Masquer",
                                    "Masquage Automatique", "-", "A propos", "-", "Quitter"}));
    EXPECT_EQ(Child("lblNom")->font().family(), "Comic Sans MS");
    EXPECT_DOUBLE_EQ(Child("lblNom")->font().pointSizeF(), 8.25);
    EXPECT_EQ(form->Menu().Menu().font().family(), "Comic Sans MS");
}

TEST_F(QtMainWindowTest, ConnectionCaptionsAndFiguresFollowTheTicks) {
    ras.Up("Mon FAI", 1000, 100, 2000);
    Frm()->Connected();
    Frm()->SurvConnTimer();
    EXPECT_EQ(Text("Label5"), "Connexion établie depuis :");
    EXPECT_TRUE(Child("lblTemps")->isVisibleTo(form));
    EXPECT_EQ(Text("lblTemps"), "00:00:02");
    EXPECT_EQ(Text("lblNom"), "Mon FAI");
    EXPECT_EQ(Entry("CmdConnect")->text(), "Se déconnecter");
    EXPECT_EQ(form->Tray().Icon().toolTip(), "Velnix  : Connecté.");

    // Labels that size to their text: the name keeps its left edge, the centred count its centre.
    Frm()->UpdateState("Une connexion au nom bien plus long", 0, 123456789, 0, 0, 0);
    ShapedLabel* name = Child("lblNom");
    EXPECT_EQ(name->x(), 128);
    EXPECT_EQ(name->width(), name->sizeHint().width());
    ShapedLabel* received = Child("lblOctetsRecus");
    EXPECT_EQ(received->text(), "    117,74 Mo");
    EXPECT_EQ(received->width(), received->sizeHint().width());
    EXPECT_NEAR(received->geometry().center().x(), 64, 1);
    const int longWidth = name->width();
    Frm()->UpdateState("FAI", 0, 1, 0, 0, 0);
    EXPECT_LT(name->width(), longWidth / 3) << "a shorter text, a narrower label";

    Child<QPushButton>("CmdCon")->click();  // the object reports a link: hangs up
    EXPECT_THAT(launcher.started, ElementsAre(R"(rasdial.exe "Mon FAI" /disconnect)"));
}

// A hidden window lays nothing out: its labels take their new texts' sizes once it is shown.
TEST_F(QtMainWindowTest, LabelsChangedWhileHiddenAreSizedWhenShown) {
    form->hide();
    Frm()->UpdateState("Une connexion au nom bien plus long", 0, 123456789, 0, 0, 0);
    EXPECT_EQ(Text("lblNom"), "Une connexion au nom bien plus long");
    form->show();
    ShapedLabel* name = Child("lblNom");
    EXPECT_EQ(name->x(), 128);
    EXPECT_EQ(name->width(), name->sizeHint().width());
    ShapedLabel* received = Child("lblOctetsRecus");
    EXPECT_EQ(received->width(), received->sizeHint().width());
    EXPECT_NEAR(received->geometry().center().x(), 64, 1);
}

// A figure is never cut: a speed label that would cross its frame's inner edge moves left just
// enough, and every pixel of each figure's text is painted inside its frame.
TEST_F(QtMainWindowTest, FiguresStayWholeInsideTheirFrames) {
    Child("Label1")->hide();  // the figures alone, where they may come over "Vitesse :"
    Child("Label2")->hide();
    for (const int32_t value : {0, 1023, 1048575, 2147483647, -8096, INT32_MIN}) {
        Frm()->UpdateState("", 0, value, value, value, value);
        for (const char* name :
             {"lblVitesseD", "lblVitesseU", "lblOctetsRecus", "lblOctetsEnvoyes"}) {
            ShapedLabel* label = Child(name);
            const bool speed = QString(name).startsWith("lblVitesse");
            ASSERT_EQ(label->text(), FromUtf8(FormatSize(value) + (speed ? "/s" : "")));
            const int insideEnd = label->parentWidget()->width() - 2;  // the border's inner line
            if (speed) {
                EXPECT_EQ(label->x() + label->width(), std::min(52 + label->width(), insideEnd))
                    << name << " " << value << ": moved left just enough";
            }
            // The text as the label paints it alone, pixel for pixel inside the frame.
            const QImage alone = Shot(label);
            const QImage framed = Shot(label->parentWidget());
            int outside = 0;
            int different = 0;
            for (int y = 0; y < alone.height(); ++y) {
                for (int x = 0; x < alone.width(); ++x) {
                    if (alone.pixelColor(x, y) == Qt::black) continue;
                    const QPoint at = label->pos() + QPoint(x, y);
                    if (at.x() < 2 || at.x() >= insideEnd) {
                        ++outside;
                    } else if (framed.pixelColor(at) != alone.pixelColor(x, y)) {
                        ++different;
                    }
                }
            }
            EXPECT_EQ(outside, 0) << name << " " << value;
            EXPECT_EQ(different, 0) << name << " " << value;
        }
    }
}

// The labels that paint their own background, so that nothing under them is painted again on a
// change, leave the window as a whole paint shows it, and as it shows with every label clear.
TEST_F(QtMainWindowTest, RepaintsOfChangedFiguresLeaveTheWindowAsAWholePaint) {
    form->SurvConn().stop();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    const auto* shown = dynamic_cast<const QImage*>(form->backingStore()->paintDevice());
    if (!shown) GTEST_SKIP() << "this platform keeps no window image";
    std::vector<ShapedLabel*> labels;
    for (QWidget* widget : form->findChildren<QWidget*>()) {
        if (auto* label = dynamic_cast<ShapedLabel*>(widget)) labels.push_back(label);
    }
    for (const int32_t value : {0, 1023, 999999, 1048575, 52000, 2147483647, -8096, INT32_MIN}) {
        Frm()->UpdateState(value % 2 ? "Une connexion au nom bien plus long" : "FAI", value, value,
                           value / 3, value / 7, value);
        QCoreApplication::processEvents();
        const QImage whole = Shot(form);
        EXPECT_EQ(shown->convertToFormat(QImage::Format_RGB32), whole) << value;
        std::vector<ShapedLabel*> opaque;
        for (ShapedLabel* label : labels) {
            if (label->testAttribute(Qt::WA_OpaquePaintEvent)) opaque.push_back(label);
            label->setAttribute(Qt::WA_OpaquePaintEvent, false);
        }
        EXPECT_FALSE(opaque.empty());
        EXPECT_EQ(Shot(form), whole) << value;
        for (ShapedLabel* label : opaque) label->setAttribute(Qt::WA_OpaquePaintEvent, true);
    }
}

TEST_F(QtMainWindowTest, GraphsArePaintedFromTheSamples) {
    for (int i = 0; i < 10; ++i) Frm()->UpdateState("", 0, 0, 0, 100, 0);
    // Inner area of a canvas: 2-pixel sunken border, so rows 2 to 50.
    const QImage download = Shot(Child<QWidget>("picGraphD"));
    const QImage upload = Shot(Child<QWidget>("picGraphU"));
    // Extent 105: the newest samples of 100 stand 5 units below the top, on the right; the
    // older zeros lie on the last inner row, on the left.
    EXPECT_THAT(RowsWith(download, 10, kGreen), ElementsAre(50));
    const std::vector<int> high = RowsWith(download, 123, kGreen);
    ASSERT_FALSE(high.empty());
    EXPECT_NEAR(high.front(), 2 + 5 * 48 / 105.0, 1.0);
    // The idle direction shares the extent: a flat line on the last inner row, full width.
    for (int x = 2; x <= 125; ++x) EXPECT_EQ(upload.pixelColor(x, 50), kRed) << x;
    EXPECT_NE(upload.pixelColor(64, 51), kRed);  // the border below is not drawn on
}

TEST_F(QtMainWindowTest, HidingWithoutANotificationAreaMinimisesToTheTaskBar) {
    ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable());
    form->show();
    Child<QPushButton>("Command1")->click();
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->isMinimized());
    EXPECT_TRUE(form->Tray().InTray());
    EXPECT_EQ(Entry("CmdIconize")->text(), "Afficher");

    form->showNormal();  // the user brings it back from the task bar
    QCoreApplication::processEvents();
    EXPECT_FALSE(form->isMinimized());
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->Tray().InTray());
    EXPECT_EQ(Entry("CmdIconize")->text(), "Masquer");
}

TEST_F(QtMainWindowTest, MinimisingGoesThroughTheHideCommand) {
    form->showMinimized();
    QCoreApplication::processEvents();
    EXPECT_EQ(Entry("CmdIconize")->text(), "Afficher");
    EXPECT_TRUE(form->isVisible());  // no notification area: it stays in the task bar
    Frm()->TrayToggleEvent(TrayIcon::kLeftButton);
    EXPECT_FALSE(form->isMinimized());
    EXPECT_EQ(Entry("CmdIconize")->text(), "Masquer");
}

// Minimising with a notification area hides the window, then asks for the normal state: the
// hidden window must stay hidden and come back normal only when it is shown again.
TEST_F(QtMainWindowTest, AHiddenMinimisedWindowStaysHiddenUntilShown) {
    form->showMinimized();
    form->hide();
    form->SetNormalState();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(form->isMinimized()) << "leaving the minimised state would map the window";

    form->Show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->isMinimized());
}

TEST_F(QtMainWindowTest, AWindowHiddenIntoAVanishedNotificationAreaComesToTheTaskBar) {
    ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable());
    form->show();
    form->Tray().EnterTray();  // hidden while a notification area was there
    form->hide();
    Entry("CmdIconize")->setText("Afficher");
    form->SurvConn().start(1);  // the next tick at once
    EXPECT_TRUE(QTest::qWaitFor([this] { return form->isVisible(); }, 5000));
    EXPECT_TRUE(form->isMinimized());

    form->showNormal();  // brought back from the task bar: shown as from the icon
    QCoreApplication::processEvents();
    EXPECT_FALSE(form->Tray().InTray());
    EXPECT_EQ(Entry("CmdIconize")->text(), "Masquer");
}

TEST_F(QtMainWindowTest, AutoMaskEntryTogglesOnceAndIsStored) {
    Entry("CmdAutoMask")->trigger();
    EXPECT_TRUE(Entry("CmdAutoMask")->isChecked());
    EXPECT_EQ(settings.Get("Vorn", "Velnix", "AutoMask"), "True");
    Entry("CmdAutoMask")->trigger();
    EXPECT_FALSE(Entry("CmdAutoMask")->isChecked());
    EXPECT_EQ(settings.Get("Vorn", "Velnix", "AutoMask"), "False");
}

TEST_F(QtMainWindowTest, ClosingReleasesTheObjectThenTheWidgetsAndTheirLogic) {
    form->show();
    form->close();
    EXPECT_TRUE(object.expired());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull());
    EXPECT_TRUE(frm.expired());
    EXPECT_TRUE(launcher.started.empty());  // nothing hung up
}

TEST_F(QtMainWindowTest, ClosingWithAConfigurationDialogOpenKeepsTheObject) {
    Entry("CmdConfig")->trigger();
    ASSERT_EQ(dialogs.configurations.size(), 1U);
    form->show();
    form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(object.expired());
    dialogs.CloseConfigurations();
    EXPECT_TRUE(object.expired());
}

}  // namespace
}  // namespace velnix::qt_platform
