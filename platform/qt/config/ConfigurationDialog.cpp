#include "platform/qt/config/ConfigurationDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "engine/InternetTenaline.h"
#include "platform/qt/TwipsRect.h"
#include "platform/qt/Utf8.h"

namespace velnix::qt_platform {

namespace {

QLabel* MakeLabel(QWidget* parent, const char* text, const QRect& geometry) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

QPushButton* MakePictureButton(QWidget* parent, const char* picture, QSize pictureSize,
                               const QRect& geometry) {
    auto* button = new QPushButton(parent);
    button->setIcon(QIcon(QString::fromUtf8(picture)));
    button->setIconSize(pictureSize);
    button->setGeometry(geometry);
    return button;
}

constexpr const char* kStyle =
    "QDialog { background: black; }"
    "QLabel, QCheckBox { color: white; background: transparent; }"
    "QCheckBox::indicator { width: 11px; height: 11px; border: 1px solid white; "
    "background: black; }"
    "QCheckBox::indicator:checked { image: url(:/velnix/config/coche.svg); }"
    "QComboBox, QLineEdit { color: white; background: black; border: 1px solid #808080; }"
    "QComboBox QAbstractItemView { color: white; background: black; "
    "selection-background-color: #000080; }"
    "QLineEdit { lineedit-password-character: 42; }"
    "QPushButton { background: black; border: 1px solid #808080; }"
    "QPushButton:focus { border: 1px solid white; }";

}  // namespace

ConfigurationDialog::ConfigurationDialog(std::shared_ptr<InternetTenaline> lIAC,
                                         modRegistry& registry, MsgBox& messages)
    : QDialog(nullptr,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      logic_(*this, registry, messages) {
    setAttribute(Qt::WA_DeleteOnClose);
    // A tool window does not keep the program running by default; this one holds the connection
    // object, so the program goes on until it is closed.
    setAttribute(Qt::WA_QuitOnClose);
    setWindowTitle(QStringLiteral("Auto-connexion - Configuration"));
    setWindowIcon(QIcon(QStringLiteral(":/velnix/config/configuration.svg")));
    setFixedSize(TwipsToPixels(3720), TwipsToPixels(2355));
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPointSizeF(8.25);
    setFont(font);
    setStyleSheet(QString::fromLatin1(kStyle));

    MakeLabel(this, "Connexion :", TwipsRect(120, 0, 1335, 255));
    CboConnection = new QComboBox(this);
    CboConnection->setEditable(false);
    CboConnection->setGeometry(TwipsRect(1560, 0, 2055, 345));
    MakeLabel(this, "Login :", TwipsRect(120, 360, 1335, 255));
    TxtLogin_ = new QLineEdit(this);
    TxtLogin_->setGeometry(TwipsRect(1560, 360, 2055, 285));
    MakeLabel(this, "Mot de passe :", TwipsRect(120, 600, 1335, 255));
    TxtPasword_ = new QLineEdit(this);
    TxtPasword_->setEchoMode(QLineEdit::Password);
    TxtPasword_->setGeometry(TwipsRect(1560, 600, 2055, 285));
    ChkReconnect_ = new QCheckBox(QString::fromUtf8("Reconnecter en cas de déconnexion."), this);
    ChkReconnect_->setGeometry(TwipsRect(120, 960, 3495, 255));
    chkStartOnWin = new QCheckBox(QString::fromUtf8("Lancer au démarrage de Windows"), this);
    chkStartOnWin->setGeometry(TwipsRect(120, 1320, 2895, 255));
    CmdSave = MakePictureButton(this, ":/velnix/config/enregistrer.svg", QSize(82, 23),
                                TwipsRect(120, 1800, 2295, 375));
    CmdSave->setAccessibleName(QStringLiteral("Enregistrer"));
    Command1 = MakePictureButton(this, ":/velnix/config/fermer.svg", QSize(58, 23),
                                 TwipsRect(2520, 1800, 1095, 375));
    Command1->setAccessibleName(QStringLiteral("Fermer"));

    // The list, the login, the password, the redial box, save, close, the start box.
    setTabOrder(CboConnection, TxtLogin_);
    setTabOrder(TxtLogin_, TxtPasword_);
    setTabOrder(TxtPasword_, ChkReconnect_);
    setTabOrder(ChkReconnect_, CmdSave);
    setTabOrder(CmdSave, Command1);
    setTabOrder(Command1, chkStartOnWin);
    CboConnection->setFocus();

    connect(chkStartOnWin, &QCheckBox::clicked, this, [this] { logic_.chkStartOnWin_Click(); });
    connect(CmdSave, &QPushButton::clicked, this, [this] { logic_.CmdSave_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { logic_.Command1_Click(); });

    logic_.BindTo(std::move(lIAC));
}

// The dialog counts as activated when it first shows, whether or not the window manager gives
// it the focus, and again each time it becomes the active window.
bool ConfigurationDialog::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    const bool firstShow = event->type() == QEvent::Show && !shownOnce_;
    if (firstShow) shownOnce_ = true;
    if (firstShow || event->type() == QEvent::WindowActivate) logic_.Form_Activate();
    return handled;
}

void ConfigurationDialog::CboConnection_AddItem(const std::string& item) {
    // The first item added would become the selection: adding selects nothing.
    const int selected = CboConnection->currentIndex();
    CboConnection->addItem(FromUtf8(item));
    CboConnection->setCurrentIndex(selected);
}

int ConfigurationDialog::CboConnection_ListCount() { return CboConnection->count(); }

std::string ConfigurationDialog::CboConnection_List(int index) {
    return CboConnection->itemText(index).toStdString();
}

int ConfigurationDialog::CboConnection_ListIndex() { return CboConnection->currentIndex(); }

void ConfigurationDialog::CboConnection_SetListIndex(int index) {
    CboConnection->setCurrentIndex(index);
}

bool ConfigurationDialog::ChkReconnect() { return ChkReconnect_->isChecked(); }

void ConfigurationDialog::SetChkReconnect(bool ticked) { ChkReconnect_->setChecked(ticked); }

std::string ConfigurationDialog::TxtLogin() { return TxtLogin_->text().toStdString(); }

void ConfigurationDialog::SetTxtLogin(const std::string& text) {
    TxtLogin_->setText(FromUtf8(text));
}

std::string ConfigurationDialog::TxtPasword() { return TxtPasword_->text().toStdString(); }

void ConfigurationDialog::SetTxtPasword(const std::string& text) {
    TxtPasword_->setText(FromUtf8(text));
}

bool ConfigurationDialog::ChkStartOnWin() { return chkStartOnWin->isChecked(); }

void ConfigurationDialog::SetChkStartOnWin(bool ticked) { chkStartOnWin->setChecked(ticked); }

void ConfigurationDialog::Close() { close(); }

ConfigurationDialog* OpenConfigurationDialog(std::shared_ptr<InternetTenaline> lIAC,
                                             QPoint topLeftPixels, modRegistry& registry,
                                             MsgBox& messages) {
    auto* dialog = new ConfigurationDialog(std::move(lIAC), registry, messages);
    dialog->move(topLeftPixels);
    dialog->show();
    return dialog;
}

}  // namespace velnix::qt_platform
