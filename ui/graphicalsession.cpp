#include "graphicalsession.h"

#include <QApplication>
#include <QList>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

namespace {

const char* const sessionVariables[] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};

void reportNoGraphicalSession()
{
    std::string text = "brelkot: програмата има нужда от графична среда (X11 или Wayland), а не "
                       "успя да се свърже с такава.\nbrelkot: проверени променливи:";
    const char* separator = " ";
    for (const char* name : sessionVariables) {
        text += separator;
        text += name;
        if (const char* value = std::getenv(name))
            text += std::string("=") + value;
        else
            text += " (не е зададена)";
        separator = ", ";
    }
    text += "; изчисление без прозорец: brelkot --help\n";
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
}

// Qt's messages while the platform starts, passed on once it has started.
struct HeldMessage
{
    QtMsgType type;
    const char* file;
    int line;
    const char* function;
    const char* category;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
QList<HeldMessage> heldMessages;

void holdStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        // The platform cannot start; Qt would abort once this returns.
        reportNoGraphicalSession();
        std::_Exit(1);
    }
    heldMessages.append(
        {type, context.file, context.line, context.function, context.category, text});
}

} // namespace

std::unique_ptr<QApplication> startApplication(int& argc, char* argv[])
{
    bool given = false;
    for (const char* name : sessionVariables)
        given = given || std::getenv(name);
    if (!given) {
        reportNoGraphicalSession();
        return nullptr;
    }

    // Qt draws its own title bar on Wayland, and that always offers maximise,
    // which a window of fixed size must not. Where the session also runs an X
    // server (XWayland), the desktop's own border is taken through X11
    // instead: it honours the fixed size. QT_QPA_PLATFORM still decides.
    if (!std::getenv("QT_QPA_PLATFORM") && std::getenv("DISPLAY") && std::getenv("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");

    previousHandler = qInstallMessageHandler(holdStartMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& held : std::exchange(heldMessages, {})) {
        const QMessageLogContext context(held.file, held.line, held.function, held.category);
        previousHandler(held.type, context, held.text);
    }
    return application;
}
