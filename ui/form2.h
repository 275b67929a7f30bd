#pragma once

#include "crossoverwindow.h"

namespace Ui {
class Form2;
}

class Form2 : public CrossoverWindow
{
    Q_OBJECT

public:
    explicit Form2(QWidget* parent = nullptr);
    ~Form2() override;

private:
    std::unique_ptr<Ui::Form2> m_ui;
};
