#pragma once

#include <memory>

#include <QDialog>
#include <QPoint>

#include "ui/config/ConfigTenaline.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace velnix {
class InternetTenaline;
}

namespace velnix::qt_platform {

// The configuration dialog "Auto-connexion - Configuration": renders its controls and forwards
// their events to ConfigTenaline. Modeless, without a parent; it deletes itself when closed and
// holds the connection object until then (or until it saves).
class ConfigurationDialog : public QDialog, private ConfigView {
    Q_OBJECT

  public:
    ConfigurationDialog(std::shared_ptr<InternetTenaline> lIAC, modRegistry& registry,
                        MsgBox& messages);

  protected:
    bool event(QEvent* event) override;

  private:
    void CboConnection_AddItem(const std::string& item) override;
    int CboConnection_ListCount() override;
    std::string CboConnection_List(int index) override;
    int CboConnection_ListIndex() override;
    void CboConnection_SetListIndex(int index) override;
    bool ChkReconnect() override;
    void SetChkReconnect(bool ticked) override;
    std::string TxtLogin() override;
    void SetTxtLogin(const std::string& text) override;
    std::string TxtPasword() override;
    void SetTxtPasword(const std::string& text) override;
    bool ChkStartOnWin() override;
    void SetChkStartOnWin(bool ticked) override;
    void Close() override;

    QComboBox* CboConnection;
    QLineEdit* TxtLogin_;
    QLineEdit* TxtPasword_;
    QCheckBox* ChkReconnect_;
    QCheckBox* chkStartOnWin;
    QPushButton* CmdSave;
    QPushButton* Command1;
    ConfigTenaline logic_;
    bool shownOnce_ = false;
};

// Opens a new configuration dialog bound to `lIAC`, its top-left corner at `topLeftPixels`,
// and returns at once with the dialog, which deletes itself when closed.
ConfigurationDialog* OpenConfigurationDialog(std::shared_ptr<InternetTenaline> lIAC,
                                             QPoint topLeftPixels, modRegistry& registry,
                                             MsgBox& messages);

}  // namespace velnix::qt_platform
