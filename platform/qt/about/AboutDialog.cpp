#include "platform/qt/about/AboutDialog.h"

#include <algorithm>
#include <functional>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include "platform/qt/TwipsRect.h"
#include "platform/qt/Utf8.h"
#include "ui/about/AboutTexts.h"

namespace velnix::qt_platform {

namespace {

// A label or picture that acts on a click of the left button, with the pointing hand over it.
class LinkLabel : public QLabel {
  public:
    LinkLabel(QWidget* parent, std::function<void()> onClick)
        : QLabel(parent), onClick_(std::move(onClick)) {
        setCursor(Qt::PointingHandCursor);
    }

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
            onClick_();
        }
    }

  private:
    std::function<void()> onClick_;
};

QFont ComicSans(double points, bool bold = false) {
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QLabel* Coloured(QLabel* label, const char* colour, const QRect& geometry) {
    label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(colour));
    label->setGeometry(geometry);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

// A label centred and sized to its text, kept at its left edge.
void SizeToText(QLabel* label) {
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    const QPoint topLeft = label->pos();
    label->adjustSize();
    label->move(topLeft);
}

}  // namespace

AboutDialog::AboutDialog(const AboutServices& services)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      logic_(*this, services) {
    setWindowTitle(QStringLiteral("frmAbout"));
    setWindowIcon(QIcon(QStringLiteral(":/velnix/about/velnix.svg")));
    setFixedSize(TwipsToPixels(5730), TwipsToPixels(3345));
    setFont(ComicSans(8.25));
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);

    lblTitle = Coloured(new QLabel(this), "#00ff00", TwipsRect(1080, 120, 3885, 240));
    lblTitle->setFont(ComicSans(9.75, true));
    lblVersion = Coloured(new QLabel(this), "#00ff00", TwipsRect(1050, 480, 3885, 225));
    Coloured(new QLabel(FromUtf8(about::kAuthorLine), this), "#00ff00",
             TwipsRect(1080, 840, 3885, 330));

    auto* lblDisclaimer = new LinkLabel(this, [this] { logic_.lblDisclaimer_Click(); });
    lblDisclaimer->setText(FromUtf8(about::kEmailLabelPrefix) + FromUtf8(about::kEmailAddress));
    lblDisclaimer->setToolTip(FromUtf8(about::kEmailTip));
    Coloured(lblDisclaimer, "#0000ff", TwipsRect(600, 1320, 2625, 225));
    SizeToText(lblDisclaimer);

    auto* Label3 = new LinkLabel(this, [this] { logic_.Label3_Click(); });
    Label3->setText(FromUtf8(about::kWebLabelPrefix) + FromUtf8(about::kWebAddress));
    Label3->setToolTip(FromUtf8(about::kWebTip));
    Coloured(Label3, "#0000ff", TwipsRect(960, 1680, 2115, 225));
    SizeToText(Label3);

    QLabel* Label2 = Coloured(new QLabel(FromUtf8(about::kLicenceLine), this), "#ff0000",
                              TwipsRect(600, 2040, 2775, 255));
    Label2->setFont(ComicSans(9.75, true));
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    // The 16 by 16 icon, stretched to the box.
    auto* Image1 = new QLabel(this);
    Image1->setPixmap(QIcon(QStringLiteral(":/velnix/about/velnix.svg")).pixmap(16, 16));
    Image1->setScaledContents(true);
    Image1->setGeometry(TwipsRect(120, 240, 720, 720));

    auto* Image2 = new LinkLabel(this, [this] { logic_.Image2_Click(); });
    Image2->setPixmap(QIcon(QStringLiteral(":/velnix/about/don.svg")).pixmap(100, 44));
    Image2->setToolTip(FromUtf8(about::kDonationTip));
    Image2->setGeometry(TwipsRect(1320, 2520, 1500, 660));
    Image2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    QFont sansSerif(QStringLiteral("MS Sans Serif"));
    sansSerif.setPointSizeF(8.25);
    sansSerif.setBold(true);
    cmdOK->setFont(sansSerif);
    cmdOK->setGeometry(TwipsRect(3960, 1440, 1500, 585));
    cmdOK->setDefault(true);
    auto* Command1 = new QPushButton(QString::fromUtf8("Détails..."), this);
    Command1->setGeometry(TwipsRect(3960, 2280, 1455, 375));
    auto* cmdSysInfo = new QPushButton(QString::fromUtf8("&Système Info..."), this);
    cmdSysInfo->setFont(QApplication::font());
    cmdSysInfo->setToolTip(QString::fromUtf8("Informations système"));
    cmdSysInfo->setGeometry(TwipsRect(3960, 2760, 1485, 345));

    setTabOrder(cmdOK, cmdSysInfo);
    setTabOrder(cmdSysInfo, Command1);
    cmdOK->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, [this] { logic_.cmdOK_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { logic_.Command1_Click(); });
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] { logic_.cmdSysInfo_Click(); });

    logic_.Form_Load();
}

void AboutDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawLine(0, TwipsToPixels(1200), TwipsToPixels(5549), TwipsToPixels(1200));
    painter.setPen(QPen(QColor(128, 128, 128), 1));
    painter.drawLine(0, TwipsToPixels(1217), TwipsToPixels(5564), TwipsToPixels(1217));
}

void AboutDialog::SetCaption(const std::string& text) {
    setWindowTitle(QString::fromStdString(text));
}

void AboutDialog::SetLblTitle(const std::string& text) {
    lblTitle->setText(QString::fromStdString(text));
}

void AboutDialog::SetLblVersion(const std::string& text) {
    lblVersion->setText(QString::fromStdString(text));
}

void AboutDialog::Close() { reject(); }

void ShowAboutDialog(const AboutServices& services) {
    static QPointer<AboutDialog> shown;
    if (shown) {
        shown->raise();
        shown->activateWindow();
        return;
    }
    AboutDialog dialog(services);
    // Centred on the active window, but never beyond the edges of its screen.
    const QWidget* owner = QApplication::activeWindow();
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen->availableGeometry();
    const QRect area = owner ? owner->frameGeometry() : available;
    QRect placed = dialog.frameGeometry();
    placed.moveCenter(area.center());
    placed.moveLeft(std::clamp(placed.left(), available.left(),
                               std::max(available.left(), available.right() - placed.width())));
    placed.moveTop(std::clamp(placed.top(), available.top(),
                              std::max(available.top(), available.bottom() - placed.height())));
    dialog.move(placed.topLeft());
    shown = &dialog;
    dialog.exec();
}

}  // namespace velnix::qt_platform
