#include "form3.h"

#include "ui_form3.h"

Form3::Form3(QWidget* parent) : CrossoverWindow(parent), m_ui(std::make_unique<Ui::Form3>())
{
    m_ui->setupUi(this);
    bind<Slope::Third>(*m_ui,
                       {m_ui->Text1, m_ui->Text2, m_ui->Text6, m_ui->Text7, m_ui->Text8,
                        m_ui->Text15, m_ui->Text16},
                       {m_ui->Text3, m_ui->Text4, m_ui->Text5, m_ui->Text9, m_ui->Text10,
                        m_ui->Text11, m_ui->Text12, m_ui->Text13, m_ui->Text14, m_ui->Text17,
                        m_ui->Text18, m_ui->Text19});
}

Form3::~Form3() = default;
