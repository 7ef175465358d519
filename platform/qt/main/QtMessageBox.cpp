#include "platform/qt/main/QtMessageBox.h"

#include <QMessageBox>

namespace velnix::qt_platform {

void QtMessageBox::Show(std::string_view text, std::string_view title, Icon icon) {
    QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
    if (icon == Icon::Information) shownIcon = QMessageBox::Information;
    if (icon == Icon::Critical) shownIcon = QMessageBox::Critical;
    QMessageBox box(shownIcon, QString::fromUtf8(title.data(), qsizetype(title.size())),
                    QString::fromUtf8(text.data(), qsizetype(text.size())), QMessageBox::Ok);
    box.exec();
}

}  // namespace velnix::qt_platform
