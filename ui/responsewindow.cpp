#include "responsewindow.h"

#include "errormessage.h"
#include "responseview.h"
#include "savefile.h"
#include "ui_responsewindow.h"

#include <QAction>
#include <QBuffer>
#include <QFileDialog>
#include <QImage>

namespace {

const QString svgFilter = QStringLiteral("SVG (*.svg)");
const QString pngFilter = QStringLiteral("PNG (*.png)");

} // namespace

ResponseWindow::ResponseWindow(QWidget* calculator)
    : QWidget(calculator, Qt::Window), m_ui(std::make_unique<Ui::ResponseWindow>())
{
    m_ui->setupUi(this);
    // Closed, it goes once control is back in the event loop; its calculator
    // window opens a new one when asked again.
    setAttribute(Qt::WA_DeleteOnClose);
    m_save = new QAction(QStringLiteral("Запиши графиката"), this);
    m_save->setShortcut(QKeySequence::Save);
    connect(m_save, &QAction::triggered, this, &ResponseWindow::askWhereToSave);
    addAction(m_save);
    // Esc, as a window that only shows something is closed from the keyboard.
    auto* close = new QAction(QStringLiteral("Затвори"), this);
    close->setShortcut(QKeySequence::Cancel);
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);
}

ResponseWindow::~ResponseWindow() = default;

void ResponseWindow::setPlot(ResponsePlot plot)
{
    m_ui->Plot->setPlot(std::move(plot));
}

ResponseView* ResponseWindow::view() const
{
    return m_ui->Plot;
}

void ResponseWindow::askWhereToSave()
{
    if (m_saveDialog) {
        m_saveDialog->raise();
        return;
    }
    // Qt's own dialog, whose texts the program carries in Bulgarian; modal
    // to the whole program, as its messages are, so that nothing switches
    // or closes under it.
    m_saveDialog = new QFileDialog(this, QStringLiteral("Запис на честотната характеристика"));
    m_saveDialog->setAttribute(Qt::WA_DeleteOnClose);
    m_saveDialog->setOption(QFileDialog::DontUseNativeDialog);
    m_saveDialog->setWindowModality(Qt::ApplicationModal);
    m_saveDialog->setAcceptMode(QFileDialog::AcceptSave);
    m_saveDialog->setNameFilters({svgFilter, pngFilter});
    m_saveDialog->setDefaultSuffix(QStringLiteral("svg"));
    m_saveDialog->selectFile(QStringLiteral("честотна-характеристика.svg"));
    connect(m_saveDialog, &QFileDialog::filterSelected, m_saveDialog,
            [dialog = m_saveDialog](const QString& filter) {
                dialog->setDefaultSuffix(filter == pngFilter ? QStringLiteral("png")
                                                             : QStringLiteral("svg"));
            });
    // Once the dialog has closed, so that a message about the file stands alone.
    connect(m_saveDialog, &QFileDialog::fileSelected, this, &ResponseWindow::saveTo,
            Qt::QueuedConnection);
    m_saveDialog->open();
}

void ResponseWindow::saveTo(const QString& path)
{
    QByteArray bytes;
    if (path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        m_ui->Plot->image().save(&buffer, "PNG");
    } else {
        bytes = QByteArray::fromStdString(svgDocument(m_ui->Plot->drawing()));
    }
    const QByteArray name = path.toUtf8();
    if (const std::optional<std::string> problem =
            replaceFile(name.toStdString(), {bytes.data(), std::size_t(bytes.size())})) {
        showErrorMessage(this, "Графиката не може да се запише в „" + name.toStdString() +
                                   "“: " + *problem);
    }
}
