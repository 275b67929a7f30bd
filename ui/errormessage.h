#pragma once

#include <string_view>

class QWidget;

// The program's one kind of message: modal to the whole program, titled
// " Error !!", with the information icon and a single OK button.
void showErrorMessage(QWidget* parent, std::string_view text);
