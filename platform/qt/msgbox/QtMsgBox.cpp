#include "platform/qt/msgbox/QtMsgBox.h"

#include <QMessageBox>
#include <QString>

namespace velnix::qt_platform {

namespace {
QString FromText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

void QtMsgBox::Show(std::string_view text, std::string_view title, Icon icon) {
    QString lines = FromText(text);
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox::Icon shown = QMessageBox::NoIcon;
    if (icon == Icon::Information) shown = QMessageBox::Information;
    if (icon == Icon::Critical) shown = QMessageBox::Critical;
    QMessageBox box(shown, FromText(title), lines, QMessageBox::Ok);
    box.exec();
}

}  // namespace velnix::qt_platform
