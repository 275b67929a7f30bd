#pragma once

#include "crossoverwindow.h"

namespace Ui {
class Form1;
}

class Form1 : public CrossoverWindow
{
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

private:
    std::unique_ptr<Ui::Form1> m_ui;
};
