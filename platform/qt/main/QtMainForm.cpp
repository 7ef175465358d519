#include "platform/qt/main/QtMainForm.h"

#include <algorithm>

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLocale>
#include <QPalette>
#include <QSaveFile>
#include <QShowEvent>
#include <QToolTip>

#include "common/Errors.h"
#include "platform/qt/TwipsRect.h"
#include "platform/qt/Utf8.h"
#include "platform/qt/main/QtPicture.h"
#include "platform/qt/main/TitledFrame.h"

namespace velnix::qt_platform {

namespace {

constexpr int kClientWidthTwips = 4215;
constexpr int kClientHeightTwips = 3120;
constexpr int kImage2Twips = 300;
constexpr int kTickMs = 1000;

const QColor kWhite(255, 255, 255);
const QColor kGrey(64, 64, 64);
const QColor kReceptionGreen(128, 255, 128);
const QColor kSendingRed(255, 0, 0);
const QColor kDownloadPen(0, 255, 0);
const QColor kUploadPen(255, 0, 0);

// The font the window was designed with; Debian's fonts-comic-neue serves this name.
QFont DesignFont() {
    QFont font("Comic Sans MS");
    font.setPointSizeF(8.25);
    return font;
}

}  // namespace

QtMainForm::QtMainForm(const QtTenalineFrmServices& services)
    : font_(DesignFont()),
      menu_(logic_, font_),
      tray_(logic_),
      icon_(std::make_shared<QtPicture>(SvgIcon(":/velnix/icon.svg"))) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName("TenalineFrm");
    setWindowTitle("Velnix");
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(IconOf(icon_));
    setFixedSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));
    setFont(font_);
    QToolTip::setFont(font_);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    setPalette(colours);
    setAutoFillBackground(true);
    BuildLayout();

    stateFile_ = qEnvironmentVariable("VELNIX_STATE_FILE");
    survConn_.setObjectName("SurvConn");
    survConn_.setInterval(kTickMs);
    connect(&survConn_, &QTimer::timeout, this, [this] { OnTick(); });
    survConn_.start();

    logic_ = std::make_shared<TenalineFrm>(
        TenalineFrmParts{*this, menu_, tray_, images_, *picGraphD_, *picGraphU_,
                         services.application, services.messageBox, services.dialogs,
                         services.settings, QLocale().decimalPoint().toStdString()});
}

// The logic goes first, while everything it works on is still there.
QtMainForm::~QtMainForm() { logic_.reset(); }

void QtMainForm::BuildLayout() {
    auto* image1 = new QLabel(this);
    image1->setObjectName("Image1");
    image1->setGeometry(TwipsRect(120, 0, 720, 720));
    image1->setPixmap(SvgPixmap(":/velnix/logo.svg", TwipsToPixels(720), devicePixelRatioF()));

    const auto right = Qt::AlignRight | Qt::AlignTop;
    const auto left = Qt::AlignLeft | Qt::AlignTop;
    const auto centre = Qt::AlignHCenter | Qt::AlignTop;
    AddLabel(this, "Label6", "Connexion :", {480, 120, 1275, 255}, kWhite, right, Sizing::Fixed);
    AddLabel(this, "lblNom", "", {1920, 120, 2085, 225}, kWhite, left, Sizing::FromLeft);
    AddLabel(this, "Label3", "", {2580, 60, 45, 225}, kGrey, left, Sizing::FromLeft);
    AddLabel(this, "Label5", "Connexion établie depuis :", {840, 420, 2115, 255}, kWhite, right,
             Sizing::Fixed);
    AddLabel(this, "lblTemps", "00:00:00", {3000, 420, 1035, 255}, kWhite, left, Sizing::Fixed);

    auto* frame1 = new TitledFrame("Réception", kReceptionGreen, this);
    frame1->setObjectName("Frame1");
    frame1->setGeometry(TwipsRect(120, 780, 1920, 915));
    AddLabel(frame1, "lblOctetsRecus", "", {930, 300, 75, 225}, kReceptionGreen, centre,
             Sizing::FromCentre);
    AddLabel(frame1, "Label1", "Vitesse :", {120, 600, 615, 255}, kReceptionGreen, left,
             Sizing::Fixed);
    AddLabel(frame1, "lblVitesseD", "0", {780, 600, 105, 225}, kReceptionGreen, left,
             Sizing::FromLeft);

    auto* frame2 = new TitledFrame("Envoi", kSendingRed, this);
    frame2->setObjectName("Frame2");
    frame2->setGeometry(TwipsRect(2160, 780, 1920, 915));
    AddLabel(frame2, "lblOctetsEnvoyes", "", {930, 300, 75, 225}, kSendingRed, centre,
             Sizing::FromCentre);
    AddLabel(frame2, "Label2", "Vitesse :", {120, 600, 615, 255}, kSendingRed, left, Sizing::Fixed);
    AddLabel(frame2, "lblVitesseU", "0", {780, 600, 105, 225}, kSendingRed, left, Sizing::FromLeft);

    picGraphD_ = new QtCanvas(kDownloadPen, this);
    picGraphD_->setObjectName("picGraphD");
    picGraphD_->move(TwipsToPixels(120), TwipsToPixels(1740));
    picGraphU_ = new QtCanvas(kUploadPen, this);
    picGraphU_->setObjectName("picGraphU");
    picGraphU_->move(TwipsToPixels(2160), TwipsToPixels(1740));

    auto* image2 = new QLabel(this);
    image2->setObjectName("Image2");
    image2->setGeometry(TwipsRect(120, 2640, kImage2Twips, kImage2Twips));
    image2->setScaledContents(true);  // the 16x16 picture is stretched
    others_[Control::Image2] = image2;

    AddButton("CmdCon", "Se connecter", {600, 2640, 1455, 375}, "", &TenalineFrm::CmdConClick);
    AddButton("Command1", "Masquer", {2160, 2640, 975, 375}, "Masquer dans la barre des tâches",
              &TenalineFrm::Command1Click);
    AddButton("Command2", "Quitter", {3240, 2640, 855, 375}, "Quitter Velnix",
              &TenalineFrm::Command2Click);
    for (auto& [control, slot] : labels_) PaintOpaqueWhereAlone(slot.label);
}

ShapedLabel* QtMainForm::AddLabel(QWidget* parent, const char* name, const QString& caption,
                                  QRect twips, const QColor& colour, Qt::Alignment alignment,
                                  Sizing sizing) {
    auto* label = new ShapedLabel(caption, alignment, glyphs_, parent);
    label->setObjectName(name);
    label->setGeometry(TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, colour);
    label->setPalette(colours);

    static const std::map<QString, Control> kControls{
        {"Label5", Control::Label5},
        {"lblNom", Control::lblNom},
        {"lblTemps", Control::lblTemps},
        {"lblVitesseD", Control::lblVitesseD},
        {"lblVitesseU", Control::lblVitesseU},
        {"lblOctetsRecus", Control::lblOctetsRecus},
        {"lblOctetsEnvoyes", Control::lblOctetsEnvoyes},
    };
    const auto known = kControls.find(name);
    if (known != kControls.end()) {
        const QRect designed = label->geometry();
        labels_[known->second] = {label, sizing, designed.x(), 2 * designed.x() + designed.width()};
    }
    return label;
}

QPushButton* QtMainForm::AddButton(const char* name, const QString& caption, QRect twips,
                                   const QString& tip, void (TenalineFrm::*command)()) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setGeometry(TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    button->setToolTip(tip);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, command] { (*logic_.*command)(); });
    if (QString(name) == "CmdCon") others_[Control::CmdCon] = button;
    if (QString(name) == "Command1") others_[Control::Command1] = button;
    return button;
}

// A label that sizes to its text keeps its left edge, or its centre when centred. In a frame, a
// label that would cross the border moves left just enough to stay whole inside it.
void QtMainForm::FitToText(LabelSlot& slot) {
    slot.fitPending = false;
    if (slot.sizing == Sizing::Fixed) return;
    ShapedLabel* label = slot.label;
    const QSize size = label->sizeHint();
    int x =
        slot.sizing == Sizing::FromCentre ? (slot.centreTimesTwo - size.width()) / 2 : slot.left;
    if (const auto* frame = dynamic_cast<const TitledFrame*>(label->parentWidget())) {
        const QRect inside = frame->Inside();
        x = std::max(inside.x(), std::min(x, inside.x() + inside.width() - size.width()));
    }
    const QRect placed(x, label->y(), size.width(), size.height());
    if (placed == label->geometry()) return;
    label->setGeometry(placed);
    PaintOpaqueWhereAlone(label);
}

// A label the window writes into paints its own black background, so that its changes repaint
// nothing under it, while it lies on plain black: inside its frame's border, over no other
// control, a logical pixel away from both (at fractional scales, neighbours share device
// pixels). Two labels that overlap both let what is under them be painted.
void QtMainForm::PaintOpaqueWhereAlone(ShapedLabel* label) {
    const QWidget* parent = label->parentWidget();
    const auto* frame = dynamic_cast<const TitledFrame*>(parent);
    const QRect area = label->geometry().adjusted(-1, -1, 1, 1);
    bool alone = (frame ? frame->Inside() : parent->rect()).contains(area);
    for (QWidget* other : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (other == label || !other->geometry().intersects(area)) continue;
        alone = false;
        if (auto* overlapped = dynamic_cast<ShapedLabel*>(other)) {
            overlapped->setAttribute(Qt::WA_OpaquePaintEvent, false);
        }
    }
    label->setAttribute(Qt::WA_OpaquePaintEvent, alone);
}

QWidget* QtMainForm::Widget(Control control) const {
    if (const auto label = labels_.find(control); label != labels_.end()) {
        return label->second.label;
    }
    if (const auto other = others_.find(control); other != others_.end()) return other->second;
    throw OutOfRangeError("contrôle inconnu");
}

void QtMainForm::SetCaption(Control control, std::string_view caption) {
    const QString text = FromUtf8(caption);
    if (const auto found = labels_.find(control); found != labels_.end()) {
        // A label is laid out again only when its text changes, and a hidden window's labels
        // once it is shown again.
        LabelSlot& slot = found->second;
        if (slot.captioned && slot.label->text() == text) return;
        slot.captioned = true;
        slot.label->setText(text);
        slot.fitPending = true;
        if (isVisible()) FitToText(slot);
        return;
    }
    auto* button = qobject_cast<QPushButton*>(Widget(control));
    if (!button) throw OutOfRangeError("ce contrôle n'a pas de légende");
    button->setText(text);
}

void QtMainForm::SetVisible(Control control, bool visible) { Widget(control)->setVisible(visible); }

void QtMainForm::SetToolTip(Control control, std::string_view tip) {
    Widget(control)->setToolTip(FromUtf8(tip));
}

void QtMainForm::SetPicture(Control control, PictureRef picture) {
    auto* label = qobject_cast<QLabel*>(Widget(control));
    if (!label) throw OutOfRangeError("ce contrôle ne montre pas d'image");
    label->setPixmap(IconOf(picture).pixmap(label->size(), devicePixelRatioF()));
}

int QtMainForm::Left() const { return PixelsToTwips(frameGeometry().x()); }

int QtMainForm::Top() const { return PixelsToTwips(frameGeometry().y()); }

int QtMainForm::Height() const { return PixelsToTwips(frameGeometry().height()); }

void QtMainForm::Move(int left, int top) { move(TwipsToPixels(left), TwipsToPixels(top)); }

void QtMainForm::Show() {
    standingForHidden_ = false;
    tray_.SetPresent(true);
    if (isMinimized()) {
        showNormal();
    } else {
        show();
    }
    activateWindow();
}

void QtMainForm::Hide() {
    if (QtTrayIcon::Available()) {
        hide();
        return;
    }
    standingForHidden_ = true;
    showMinimized();
}

bool QtMainForm::IsMinimised() const { return isMinimized(); }

// A hidden window keeps its state until Show() brings it back normal: on X11, leaving the
// minimised state maps the window again, which would undo the hiding.
void QtMainForm::SetNormalState() {
    if (standingForHidden_ || isHidden()) return;
    setWindowState(windowState() & ~Qt::WindowMinimized);
}

void QtMainForm::OnTick() {
    logic_->SurvConnTimer();
    tray_.Refresh();
    KeepReachable();
    if (stateFile_.isEmpty()) return;
    QSaveFile file(stateFile_);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(StateText().toUtf8());
        file.commit();
    }
}

// Hidden into a notification area that has since gone (the panel ended), the window would be
// out of reach, and a second start ends at once: it waits minimised in the task bar instead.
void QtMainForm::KeepReachable() {
    if (!isHidden() || standingForHidden_ || !tray_.InTray() || QtTrayIcon::Available()) return;
    standingForHidden_ = true;
    showMinimized();
}

QString QtMainForm::StateText() const {
    QString text;
    const auto line = [&text](const QString& name, const QString& value) {
        text += name + "=" + value + "\n";
    };
    for (const char* name : {"Label5", "lblNom", "lblTemps", "lblVitesseD", "lblVitesseU",
                             "lblOctetsRecus", "lblOctetsEnvoyes"}) {
        line(name, findChild<ShapedLabel*>(name)->text());
    }
    line("lblTemps.visible", findChild<ShapedLabel*>("lblTemps")->isVisibleTo(this) ? "1" : "0");
    line("Image2.toolTip", findChild<QLabel*>("Image2")->toolTip());
    line("CmdCon", findChild<QPushButton*>("CmdCon")->text());
    line("CmdConnect", menu_.Action(MenuEntry::CmdConnect)->text());
    line("CmdIconize", menu_.Action(MenuEntry::CmdIconize)->text());
    line("CmdAutoMask", menu_.Action(MenuEntry::CmdAutoMask)->isChecked() ? "1" : "0");
    line("TaskBarIcon.TipText", tray_.Icon().toolTip());
    line("visible", isVisible() ? "1" : "0");
    line("minimised", isMinimized() ? "1" : "0");
    return text;
}

// The window and its icon disappear and its timer stops; the event loop then deletes it.
void QtMainForm::closeEvent(QCloseEvent* event) {
    event->accept();
    survConn_.stop();
    tray_.SetPresent(false);
    logic_->FormUnload();
}

// Minimising hides into the notification area; bringing back from the task bar a window that
// stands for hidden shows it. Both run once the state change is over.
void QtMainForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    if (standingForHidden_) {
        if (isMinimized()) return;
        standingForHidden_ = false;
        QMetaObject::invokeMethod(
            this, [this] { logic_->RestoreRequested(); }, Qt::QueuedConnection);
        return;
    }
    if (isMinimized()) {
        QMetaObject::invokeMethod(
            this, [this] { logic_->FormResize(); }, Qt::QueuedConnection);
    }
}

void QtMainForm::showEvent(QShowEvent* event) {
    for (auto& [control, slot] : labels_) {
        if (slot.fitPending) FitToText(slot);
    }
    QWidget::showEvent(event);
}

// The window's right button opens the same menu as the icon's.
void QtMainForm::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    logic_->TrayMenuEvent(TrayIcon::kRightButton);
}

}  // namespace velnix::qt_platform
