#pragma once

#include <QEventLoopLocker>
#include <QFont>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <map>
#include <memory>

#include "platform/qt/graphs/QtCanvas.h"
#include "platform/qt/main/GlyphCache.h"
#include "platform/qt/main/QtCommandMenu.h"
#include "platform/qt/main/QtImageList.h"
#include "platform/qt/main/QtTenalineFrm.h"
#include "platform/qt/main/QtTrayIcon.h"
#include "platform/qt/main/ShapedLabel.h"
#include "ui/main/FormControls.h"

namespace velnix::qt_platform {

// The main window "Velnix": a small black fixed-size window laid out in twips, 15 twips to a
// logical pixel. It renders what the window logic sets and forwards the user's actions, its
// one-second timer, its icon's and its menu's events to it.
//
// Where the desktop has no notification area, hiding would leave no way back: the window is
// minimised into the task bar instead, and bringing it back from there counts as a show. A
// window hidden into a notification area that goes away later goes to the task bar too.
//
// The window owns its logic. Closed, it lets go of the connection object and deletes itself with
// its logic; until then, even hidden into the notification area, it keeps the program's event
// loop running.
class QtMainForm : public QWidget, public FormControls {
  public:
    explicit QtMainForm(const QtTenalineFrmServices& services);
    ~QtMainForm() override;

    const std::shared_ptr<TenalineFrm>& Logic() const { return logic_; }
    QtCommandMenu& Menu() { return menu_; }
    QtTrayIcon& Tray() { return tray_; }
    QtCanvas& GraphD() { return *picGraphD_; }
    QtCanvas& GraphU() { return *picGraphU_; }
    QTimer& SurvConn() { return survConn_; }

    void SetCaption(Control control, std::string_view caption) override;
    void SetVisible(Control control, bool visible) override;
    void SetToolTip(Control control, std::string_view tip) override;
    void SetPicture(Control control, PictureRef picture) override;
    PictureRef Icon() const override { return icon_; }
    int Left() const override;
    int Top() const override;
    int Height() const override;
    void Move(int left, int top) override;
    void Show() override;
    void Hide() override;
    bool IsMinimised() const override;
    void SetNormalState() override;

    // What the window shows, one "name=value" line per control, for checks from outside.
    QString StateText() const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    enum class Sizing { Fixed, FromLeft, FromCentre };
    struct LabelSlot {
        ShapedLabel* label;
        Sizing sizing;
        int left;                 // of the designed rectangle, in logical pixels
        int centreTimesTwo;       // of the designed rectangle, in logical pixels
        bool captioned = false;   // once given a caption, the label is sized to its text
        bool fitPending = false;  // its text changed while the window was hidden
    };

    void BuildLayout();
    ShapedLabel* AddLabel(QWidget* parent, const char* name, const QString& caption, QRect twips,
                          const QColor& colour, Qt::Alignment alignment, Sizing sizing);
    QPushButton* AddButton(const char* name, const QString& caption, QRect twips,
                           const QString& tip, void (TenalineFrm::*command)());
    void FitToText(LabelSlot& slot);
    void PaintOpaqueWhereAlone(ShapedLabel* label);
    QWidget* Widget(Control control) const;
    void OnTick();
    void KeepReachable();

    QEventLoopLocker keepsTheProgramRunning_;
    QFont font_;
    GlyphCache glyphs_;                   // the labels' figures
    std::shared_ptr<TenalineFrm> logic_;  // made once the controls exist
    QtImageList images_;
    QtCommandMenu menu_;
    QtTrayIcon tray_;
    QTimer survConn_;
    PictureRef icon_;
    std::map<Control, LabelSlot> labels_;
    std::map<Control, QWidget*> others_;
    QtCanvas* picGraphD_ = nullptr;
    QtCanvas* picGraphU_ = nullptr;
    bool standingForHidden_ = false;  // minimised in place of hiding
    QString stateFile_;
};

}  // namespace velnix::qt_platform
