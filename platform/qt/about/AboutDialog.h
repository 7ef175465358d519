#pragma once

#include <QDialog>

#include "ui/about/frmAbout.h"

class QLabel;

namespace velnix::qt_platform {

// The About dialog: renders its controls and forwards their events to frmAbout. Each instance
// is loaded once; ShowAboutDialog makes a new one for every showing.
class AboutDialog : public QDialog, private AboutView {
    Q_OBJECT

  public:
    explicit AboutDialog(const AboutServices& services);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void SetCaption(const std::string& text) override;
    void SetLblTitle(const std::string& text) override;
    void SetLblVersion(const std::string& text) override;
    void Close() override;

    QLabel* lblTitle;
    QLabel* lblVersion;
    frmAbout logic_;
};

// Shows the one About dialog, modal, centred on the active window (or the screen); returns when
// it is closed. While it is open, another call only brings it to the front.
void ShowAboutDialog(const AboutServices& services);

}  // namespace velnix::qt_platform
