#include "form1.h"

#include "ui_form1.h"

Form1::Form1(QWidget* parent) : CrossoverWindow(parent), m_ui(std::make_unique<Ui::Form1>())
{
    m_ui->setupUi(this);
    bind<Slope::First>(*m_ui,
                       {m_ui->Text1, m_ui->Text2, m_ui->Text4, m_ui->Text5, m_ui->Text6,
                        m_ui->Text9, m_ui->Text10},
                       {m_ui->Text3, m_ui->Text7, m_ui->Text8, m_ui->Text11});
}

Form1::~Form1() = default;
