#include "platform/qt/msgbox/QtMsgBox.h"

#include <QMessageBox>
#include <QString>

#include "platform/qt/Utf8.h"

namespace velnix::qt_platform {

void QtMsgBox::Show(std::string_view text, std::string_view title, Icon icon) {
    QString lines = FromUtf8(text);
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox::Icon shown = QMessageBox::NoIcon;
    if (icon == Icon::Information) shown = QMessageBox::Information;
    if (icon == Icon::Critical) shown = QMessageBox::Critical;
    QMessageBox box(shown, FromUtf8(title), lines, QMessageBox::Ok);
    box.exec();
}

}  // namespace velnix::qt_platform
