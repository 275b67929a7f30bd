#pragma once

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QObject>
#include <QPushButton>
#include <QStringList>

// Answers every message box the program opens, as a user would by pressing
// OK as soon as it shows, and records what each one said, so that a test
// neither hangs on a box nor misses one.
class MessageWatcher : public QObject
{
public:
    struct Message
    {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        int buttonCount;
        QString buttonText;
        bool applicationModal;
    };

    MessageWatcher() { qApp->installEventFilter(this); }
    ~MessageWatcher() override { qApp->removeEventFilter(this); }

    QList<Message> messages;

    QStringList texts() const
    {
        QStringList result;
        for (const Message& message : messages)
            result << message.text;
        return result;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box && event->type() == QEvent::Show) {
            messages.append(Message{box->windowTitle(), box->text(), box->icon(),
                                    int(box->buttons().size()),
                                    box->button(QMessageBox::Ok)->text(),
                                    box->windowModality() == Qt::ApplicationModal});
            // Pressed once the box's own event loop runs.
            QMetaObject::invokeMethod(
                box, [box] { box->button(QMessageBox::Ok)->click(); }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }
};
