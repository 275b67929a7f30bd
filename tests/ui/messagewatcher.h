#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QObject>
#include <QStringList>
#include <QTimer>

// Answers every modal message box the program opens, as a user would by
// pressing OK, and records what each one said, so that a test neither hangs
// on a box nor misses one.
class MessageWatcher : public QObject
{
public:
    struct Message
    {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        int buttonCount;
    };

    MessageWatcher()
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &MessageWatcher::answer);
        m_timer.start();
    }

    QList<Message> messages;

    QStringList texts() const
    {
        QStringList result;
        for (const Message& message : messages)
            result << message.text;
        return result;
    }

private:
    void answer()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        messages.append(Message{box->windowTitle(), box->text(), box->icon(),
                                int(box->buttons().size())});
        box->button(QMessageBox::Ok)->click();
    }

    QTimer m_timer;
};
