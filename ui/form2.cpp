#include "form2.h"

#include "ui_form2.h"

Form2::Form2(QWidget* parent) : CrossoverWindow(parent), m_ui(std::make_unique<Ui::Form2>())
{
    m_ui->setupUi(this);
    bind<Slope::Second>(*m_ui,
                        {m_ui->Text1, m_ui->Text2, m_ui->Text5, m_ui->Text6, m_ui->Text7,
                         m_ui->Text12, m_ui->Text13},
                        {m_ui->Text3, m_ui->Text4, m_ui->Text8, m_ui->Text9, m_ui->Text10,
                         m_ui->Text11, m_ui->Text14, m_ui->Text15});
}

Form2::~Form2() = default;
