#pragma once

#include "crossover.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QLineEdit;
class QPushButton;
class ResponseWindow;

// What the three slope windows share: the entry boxes bound to the model's
// inputs, the result boxes, calculate, clear, the two slope buttons and the
// exit button, copying the results and showing their response.
class CrossoverWindow : public QWidget
{
    Q_OBJECT

public:
    // The window's controls that take part in the calculation.
    struct Controls
    {
        std::array<QLineEdit*, 7> inputs; // the entry boxes, by place in the inputs
        std::vector<QLineEdit*> results;  // the result boxes, by place in the results
        QPushButton* command1;            // "Изчисли"
        QPushButton* command2;            // "Изчисти"
        QPushButton* command3;            // to the lower of the two other slopes
        QPushButton* command4;            // to the higher
        QPushButton* command5;            // "Изход"
    };

    ~CrossoverWindow() override;

    Slope slope() const { return m_model->crossover().slope; }
    const WindowModel& model() const { return *m_model; }
    const Controls& controls() const { return m_controls; }
    // Puts the last Calculate on the clipboard: the command line that
    // repeats it and what that prints with the E12 series. Enabled from a
    // Calculate to the next Clear; Ctrl+C and the window's context menu.
    QAction* copyResultsAction() const { return m_copyResults; }
    // Opens the window "Честотна характеристика" with the response of the
    // last Calculate, or brings the one open to the front; each Calculate
    // redraws it, Clear closes it, and it goes with this window at a switch
    // or the end. Enabled as Copy is; Ctrl+R and the window's context menu.
    QAction* showResponseAction() const { return m_showResponse; }
    ResponseWindow* responseWindow() const;

signals:
    void switchRequested(Slope target);
    void exitRequested();

protected:
    explicit CrossoverWindow(QWidget* parent);

    // Called by each window once its layout is built, with its entry boxes in
    // the order of the crossover's inputs and its result boxes in the order
    // of its results; loads the model.
    template <Slope slope, class Form, std::size_t inputCount, std::size_t resultCount>
    void bind(const Form& form, QLineEdit* const (&inputs)[inputCount],
              QLineEdit* const (&results)[resultCount])
    {
        static_assert(inputCount == crossover(slope).inputs.size(), "a box for every input");
        static_assert(resultCount == crossover(slope).results.size(), "a box for every result");
        wire(slope, {std::to_array(inputs),
                     {std::begin(results), std::end(results)},
                     form.Command1,
                     form.Command2,
                     form.Command3,
                     form.Command4,
                     form.Command5});
    }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void wire(Slope slope, Controls controls);
    void entryChanged(std::size_t input);
    void calculate();
    void clear();
    void copyResults();
    void showResponse();
    void drawResponse();

    std::unique_ptr<WindowModel> m_model;
    Controls m_controls;
    QAction* m_copyResults = nullptr;
    QAction* m_showResponse = nullptr;
    QPointer<ResponseWindow> m_response;
    // What the last Calculate took and gave, for Copy to write out when asked.
    struct LastCalculation
    {
        Values values;
        Calculation calculation;
        std::string decimalSeparator;
    };
    std::optional<LastCalculation> m_last;
};
