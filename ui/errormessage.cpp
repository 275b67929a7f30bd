#include "errormessage.h"

#include <QMessageBox>

void showErrorMessage(QWidget* parent, std::string_view text)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral(" Error !!"),
                    QString::fromUtf8(text.data(), qsizetype(text.size())), QMessageBox::Ok,
                    parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}
