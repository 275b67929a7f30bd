#include "crossoverwindow.h"

#include "crossover.h"
#include "messages.h"

#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

CrossoverWindow::CrossoverWindow(std::unique_ptr<WindowModel> model, QWidget* parent)
    : QWidget(parent), m_model(std::move(model))
{
    m_model->load();
}

CrossoverWindow::~CrossoverWindow() = default;

void CrossoverWindow::wire(Slope command3Target, Slope command4Target)
{
    for (const std::string& name : m_model->entryBoxes()) {
        QLineEdit* entry = box(name.c_str());
        connect(entry, &QLineEdit::textChanged, this, [this, entry] { entryChanged(entry); });
    }
    connect(button("Command1"), &QPushButton::clicked, this, &CrossoverWindow::calculate);
    connect(button("Command2"), &QPushButton::clicked, this, &CrossoverWindow::clear);
    connect(button("Command3"), &QPushButton::clicked, this,
            [this, command3Target] { emit switchRequested(command3Target); });
    connect(button("Command4"), &QPushButton::clicked, this,
            [this, command4Target] { emit switchRequested(command4Target); });
    connect(button("Command5"), &QPushButton::clicked, this, &CrossoverWindow::exitRequested);

    button("Command1")->setFocus();
}

void CrossoverWindow::entryChanged(QLineEdit* entry)
{
    const QByteArray text = entry->text().toUtf8();
    const EntryAction action =
        m_model->textChanged(entry->objectName().toStdString(), {text.data(), size_t(text.size())});
    if (action == EntryAction::Reject) {
        // Emptying the box raises this handler again, which ignores the empty text.
        entry->clear();
        showErrorMessage(this, notANumberMessage());
    }
}

void CrossoverWindow::calculate()
{
    const QByteArray separator = QLocale().decimalPoint().toUtf8();
    const Calculation calculation =
        m_model->calculate({separator.data(), size_t(separator.size())});
    for (const OutputWrite& write : calculation.writes)
        box(write.box.c_str())->setText(QString::fromStdString(write.text));
    if (calculation.overflowed)
        showErrorMessage(this, resultTooLargeMessage());
}

void CrossoverWindow::clear()
{
    for (const std::string& name : m_model->boxes())
        box(name.c_str())->clear();
    m_model->clear();
}

QLineEdit* CrossoverWindow::box(const char* name) const
{
    return findChild<QLineEdit*>(QLatin1String(name));
}

QPushButton* CrossoverWindow::button(const char* name) const
{
    return findChild<QPushButton*>(QLatin1String(name));
}
