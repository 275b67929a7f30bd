#include "form1.h"

#include "ui_form1.h"

#include "crossover.h"

Form1::Form1(QWidget* parent)
    : CrossoverWindow(std::make_unique<FirstOrderModel>(), parent),
      m_ui(std::make_unique<Ui::Form1>())
{
    m_ui->setupUi(this);
    wire(Slope::Second, Slope::Third);
}

Form1::~Form1() = default;
