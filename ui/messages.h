#pragma once

class QString;
class QWidget;

// The program's one kind of message: modal to the whole program, titled
// " Error !!", with the information icon and a single OK button.
void showErrorMessage(QWidget* parent, const QString& text);

// The texts it shows.
QString notANumberMessage();
QString resultTooLargeMessage();
