#include "crossoverwindow.h"

#include "errormessage.h"
#include "messages.h"
#include "responsewindow.h"

#include "commandline.h"
#include "responseplot.h"
#include "standardvalues.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

namespace {

// The series a window suggests parts from, in its tooltips and its copy.
constexpr Series windowSeries = Series::E12;

std::string decimalSeparator()
{
    return QLocale().decimalPoint().toStdString();
}

// The suggestion for one result, as its box's tooltip and accessible
// description say it.
QString suggestionText(const Result& result, double value, std::string_view separator)
{
    const std::string unit(result.unit());
    const std::string series(name(windowSeries));
    const std::optional<Suggestion> s = suggest(value, windowSeries);
    if (!s) {
        return QString::fromStdString(series + ": няма стандартна стойност от " +
                                      valueText(smallestSuggested, separator) + " до " +
                                      valueText(largestSuggested, separator) + ' ' + unit);
    }
    return QString::fromStdString(series + ": най-близо " + valueText(s->nearest, separator) + ' ' +
                                  unit + " (" + deviationText(s->nearestDeviation, separator) +
                                  "), двойка " + pairText(*s, separator) + ' ' + unit + " (" +
                                  deviationText(s->pairDeviation, separator) + ")");
}

} // namespace

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

    // Ctrl+C anywhere in the window but in an entry box with a selection,
    // and the context menu outside the entry boxes, which keep their own.
    m_copyResults = new QAction(QStringLiteral("Копирай резултатите"), this);
    m_copyResults->setShortcut(QKeySequence::Copy);
    m_copyResults->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_copyResults->setEnabled(false);
    connect(m_copyResults, &QAction::triggered, this, &CrossoverWindow::copyResults);
    addAction(m_copyResults);
    m_showResponse = new QAction(QStringLiteral("Честотна характеристика"), this);
    m_showResponse->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    m_showResponse->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_showResponse->setEnabled(false);
    connect(m_showResponse, &QAction::triggered, this, &CrossoverWindow::showResponse);
    addAction(m_showResponse);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    for (QLineEdit* entry : m_controls.inputs)
        entry->installEventFilter(this);

    m_controls.command1->setFocus();
}

bool CrossoverWindow::eventFilter(QObject* watched, QEvent* event)
{
    // An entry box claims Ctrl+C even with nothing selected; without a
    // selection the window's copy takes it.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy) &&
        !static_cast<QLineEdit*>(watched)->hasSelectedText())
        return true;
    return QWidget::eventFilter(watched, event);
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
    const std::string separator = decimalSeparator();
    Calculation calculation = m_model->calculate(separator);
    const Crossover& crossover = m_model->crossover();
    for (const ResultValue& result : calculation.results) {
        QLineEdit* box = m_controls.results[result.result];
        box->setText(QString::fromStdString(result.text));
        const QString suggestion =
            suggestionText(crossover.results[result.result], result.value, separator);
        box->setToolTip(suggestion);
        box->setAccessibleDescription(suggestion);
    }
    const bool overflowed = calculation.overflowed;
    m_last = LastCalculation{m_model->values(), std::move(calculation), separator};
    m_copyResults->setEnabled(true);
    m_showResponse->setEnabled(true);
    if (m_response)
        drawResponse();
    if (overflowed)
        showErrorMessage(this, resultTooLargeMessage);
}

void CrossoverWindow::clear()
{
    for (QLineEdit* box : m_controls.inputs)
        box->clear();
    for (QLineEdit* box : m_controls.results) {
        box->clear();
        box->setToolTip({});
        box->setAccessibleDescription({});
    }
    m_model->clear();
    m_last.reset();
    m_copyResults->setEnabled(false);
    m_showResponse->setEnabled(false);
    if (m_response)
        m_response->close();
}

void CrossoverWindow::copyResults()
{
    if (!m_last)
        return;
    const Crossover& crossover = m_model->crossover();
    QGuiApplication::clipboard()->setText(QString::fromStdString(
        commandLineFor(crossover.slope, m_last->values, windowSeries) + '\n' +
        resultLines(crossover, m_last->calculation, windowSeries, m_last->decimalSeparator)));
}

ResponseWindow* CrossoverWindow::responseWindow() const
{
    return m_response;
}

void CrossoverWindow::showResponse()
{
    if (!m_last)
        return;
    if (!m_response)
        m_response = new ResponseWindow(this);
    drawResponse();
    m_response->show();
    m_response->raise();
    m_response->activateWindow();
}

void CrossoverWindow::drawResponse()
{
    std::vector<std::size_t> unsuggested;
    m_response->setPlot(responsePlot(m_model->crossover(), m_last->values, m_last->calculation,
                                     windowSeries, unsuggested));
}
