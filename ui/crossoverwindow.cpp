#include "crossoverwindow.h"

#include "errormessage.h"
#include "messages.h"

#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

CrossoverWindow::CrossoverWindow(QWidget* parent) : QWidget(parent) {}

CrossoverWindow::~CrossoverWindow() = default;

void CrossoverWindow::wire(Slope slope, Controls controls)
{
    m_model = std::make_unique<WindowModel>(slope);
    m_model->load();
    m_controls = std::move(controls);

    for (std::size_t i = 0; i < m_controls.inputs.size(); ++i)
        connect(m_controls.inputs[i], &QLineEdit::textChanged, this,
                [this, i] { entryChanged(i); });
    connect(m_controls.command1, &QPushButton::clicked, this, &CrossoverWindow::calculate);
    connect(m_controls.command2, &QPushButton::clicked, this, &CrossoverWindow::clear);
    const auto [command3Target, command4Target] = otherSlopes(slope);
    connect(m_controls.command3, &QPushButton::clicked, this,
            [this, target = command3Target] { emit switchRequested(target); });
    connect(m_controls.command4, &QPushButton::clicked, this,
            [this, target = command4Target] { emit switchRequested(target); });
    connect(m_controls.command5, &QPushButton::clicked, this, &CrossoverWindow::exitRequested);

    m_controls.command1->setFocus();
}

void CrossoverWindow::entryChanged(std::size_t input)
{
    QLineEdit* entry = m_controls.inputs[input];
    const QByteArray text = entry->text().toUtf8();
    if (m_model->textChanged(input, {text.data(), std::size_t(text.size())}) ==
        EntryAction::Reject) {
        // Emptying the box raises this handler again, which ignores the empty text.
        entry->clear();
        showErrorMessage(this, notANumberMessage);
    }
}

void CrossoverWindow::calculate()
{
    const QByteArray separator = QLocale().decimalPoint().toUtf8();
    const Calculation calculation =
        m_model->calculate({separator.data(), std::size_t(separator.size())});
    for (const ResultValue& result : calculation.results)
        m_controls.results[result.result]->setText(QString::fromStdString(result.text));
    if (calculation.overflowed)
        showErrorMessage(this, resultTooLargeMessage);
}

void CrossoverWindow::clear()
{
    for (QLineEdit* box : m_controls.inputs)
        box->clear();
    for (QLineEdit* box : m_controls.results)
        box->clear();
    m_model->clear();
}
