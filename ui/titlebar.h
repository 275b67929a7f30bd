#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TitleBar;
}

// The title bar the program draws itself where the window system leaves that
// to it (Wayland): the caption, minimise and close, and no maximise, for a
// window of fixed size. Dragging it moves the window.
class TitleBar : public QWidget
{
    Q_OBJECT

public:
    explicit TitleBar(QWidget* parent);
    ~TitleBar() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::unique_ptr<Ui::TitleBar> m_ui;
};
