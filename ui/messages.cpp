#include "messages.h"

#include <QMessageBox>

void showErrorMessage(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral(" Error !!"), text, QMessageBox::Ok,
                    parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

QString notANumberMessage()
{
    return QStringLiteral("Моля въвеждайте само числа");
}

QString resultTooLargeMessage()
{
    return QStringLiteral("Резултатът е твърде голям");
}
