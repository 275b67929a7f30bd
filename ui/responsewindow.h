#pragma once

#include <QPointer>
#include <QWidget>

#include <memory>

class QFileDialog;
class ResponseView;
struct ResponsePlot;

namespace Ui {
class ResponseWindow;
}

// The window "Честотна характеристика": the response plot of its calculator
// window's last Calculate. Ctrl+S saves the plot as it is shown, as SVG or
// as a PNG of the window's size; Esc closes it.
class ResponseWindow : public QWidget
{
    Q_OBJECT

public:
    // A window of its own that `calculator` owns: it goes with it.
    explicit ResponseWindow(QWidget* calculator);
    ~ResponseWindow() override;

    void setPlot(ResponsePlot plot);
    ResponseView* view() const;
    // Asks where to save; Ctrl+S.
    QAction* saveAction() const { return m_save; }
    // Writes the plot to `path`, as PNG for a name ending in .png and as SVG
    // otherwise; says so in a message where it cannot.
    void saveTo(const QString& path);

private:
    void askWhereToSave();

    std::unique_ptr<Ui::ResponseWindow> m_ui;
    QAction* m_save = nullptr;
    QPointer<QFileDialog> m_saveDialog;
};
