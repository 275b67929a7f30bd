#pragma once

#include <QWidget>

#include <memory>

class QLineEdit;
class QPushButton;
class WindowModel;

enum class Slope
{
    First,
    Second,
    Third
};

// What the three slope windows share: the entry boxes bound to the model,
// calculate, clear, and the two slope buttons and the exit button.
class CrossoverWindow : public QWidget
{
    Q_OBJECT

public:
    ~CrossoverWindow() override;

    WindowModel& model() { return *m_model; }

signals:
    void switchRequested(Slope target);
    void exitRequested();

protected:
    CrossoverWindow(std::unique_ptr<WindowModel> model, QWidget* parent);

    // Called by each window once its layout is built.
    void wire(Slope command3Target, Slope command4Target);

private:
    void entryChanged(QLineEdit* box);
    void calculate();
    void clear();
    QLineEdit* box(const char* name) const;
    QPushButton* button(const char* name) const;

    std::unique_ptr<WindowModel> m_model;
};
