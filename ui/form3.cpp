#include "form3.h"

#include "ui_form3.h"

#include "crossover.h"

Form3::Form3(QWidget* parent)
    : CrossoverWindow(std::make_unique<ThirdOrderModel>(), parent),
      m_ui(std::make_unique<Ui::Form3>())
{
    m_ui->setupUi(this);
    wire(Slope::First, Slope::Second);
}

Form3::~Form3() = default;
