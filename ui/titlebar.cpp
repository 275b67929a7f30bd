#include "titlebar.h"

#include "ui_titlebar.h"

#include <QMouseEvent>
#include <QWindow>

TitleBar::TitleBar(QWidget* parent) : QWidget(parent), m_ui(std::make_unique<Ui::TitleBar>())
{
    m_ui->setupUi(this);
    connect(m_ui->Minimise, &QToolButton::clicked, this, [this] { window()->showMinimized(); });
    // Closing removes the window with deleteLater, after this handler.
    connect(m_ui->Close, &QToolButton::clicked, this, [this] { window()->close(); });
}

TitleBar::~TitleBar() = default;

void TitleBar::mousePressEvent(QMouseEvent* event)
{
    // The compositor moves the window; a program cannot place it there.
    if (event->button() == Qt::LeftButton && window()->windowHandle()->startSystemMove())
        event->accept();
    else
        QWidget::mousePressEvent(event);
}
