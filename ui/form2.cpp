#include "form2.h"

#include "ui_form2.h"

#include "crossover.h"

Form2::Form2(QWidget* parent)
    : CrossoverWindow(std::make_unique<SecondOrderModel>(), parent),
      m_ui(std::make_unique<Ui::Form2>())
{
    m_ui->setupUi(this);
    wire(Slope::First, Slope::Third);
}

Form2::~Form2() = default;
