#pragma once

#include <memory>

class QApplication;

// Starts the application on the platform Qt chooses. When no graphical
// session can be reached, says so in two lines on standard error, naming the
// variables it looked at: with no display given at all it returns null, for
// the program to end with status 1; when the platform fails to start, where
// Qt would abort, it ends the program with status 1 itself.
std::unique_ptr<QApplication> startApplication(int& argc, char* argv[]);
