#pragma once

#include "crossoverwindow.h"

namespace Ui {
class Form3;
}

class Form3 : public CrossoverWindow
{
    Q_OBJECT

public:
    explicit Form3(QWidget* parent = nullptr);
    ~Form3() override;

private:
    std::unique_ptr<Ui::Form3> m_ui;
};
