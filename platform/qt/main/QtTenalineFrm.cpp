#include "platform/qt/main/QtTenalineFrm.h"

#include <QEventLoopLocker>
#include <QLocale>
#include <QPointer>

#include "platform/qt/main/QtImageList.h"
#include "platform/qt/main/QtMainForm.h"

namespace velnix::qt_platform {

namespace {

// What the window logic works on, let go of after the logic itself. The widgets may be in the
// middle of one of their own events when that happens, so the event loop deletes them.
struct FormOwner {
    FormOwner() : form(new QtMainForm) {}
    ~FormOwner() {
        if (!form) return;
        form->Dismiss();
        form->deleteLater();
    }

    QEventLoopLocker keepsTheProgramRunning;
    QtImageList images;
    QPointer<QtMainForm> form;
};

}  // namespace

std::shared_ptr<TenalineFrm> CreateQtTenalineFrm(const QtTenalineFrmServices& services) {
    auto owner = std::make_shared<FormOwner>();
    QtMainForm& form = *owner->form;
    const TenalineFrmParts parts{form,
                                 form.Menu(),
                                 form.Tray(),
                                 owner->images,
                                 form.GraphD(),
                                 form.GraphU(),
                                 services.application,
                                 services.messageBox,
                                 services.dialogs,
                                 services.settings,
                                 QLocale().decimalPoint().toStdString()};
    std::shared_ptr<TenalineFrm> frm = TenalineFrm::Create(parts, owner);
    form.Link().Attach(frm);
    return frm;
}

}  // namespace velnix::qt_platform
