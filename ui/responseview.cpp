#include "responseview.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPolygonF>

namespace {

QColor qColour(Colour colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

} // namespace

void paintDrawing(QPainter& painter, const Drawing& drawing)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const Box& box : drawing.boxes)
        painter.fillRect(QRectF(box.x, box.y, box.width, box.height), qColour(box.fill));
    for (const Path& path : drawing.paths) {
        QPen pen(qColour(path.colour), path.width);
        pen.setCapStyle(Qt::FlatCap);
        if (path.dashed)
            pen.setDashPattern({dashLength, dashGap});
        painter.setPen(pen);
        painter.setRenderHint(QPainter::Antialiasing, !path.crisp);
        QPolygonF points;
        for (const Point& point : path.points)
            points << QPointF(point.x, point.y);
        painter.drawPolyline(points);
    }
    for (const Label& label : drawing.labels) {
        QFont font(QString::fromLatin1(drawingFont));
        font.setPixelSize(int(label.size));
        painter.setFont(font);
        painter.setPen(qColour(label.colour));
        const QString text = QString::fromStdString(label.text);
        const double width = QFontMetricsF(font).horizontalAdvance(text);
        const double shift = label.anchor == Anchor::Start    ? 0
                             : label.anchor == Anchor::Middle ? width / 2
                                                              : width;
        painter.drawText(QPointF(label.at.x - shift, label.at.y), text);
    }
}

void ResponseView::setPlot(ResponsePlot plot)
{
    setAccessibleDescription(QString::fromStdString(responseSummary(plot)));
    m_plot = std::move(plot);
    update();
}

Drawing ResponseView::drawing() const
{
    if (!m_plot)
        return {double(width()), double(height()), {}, {}, {}, {}, {}};
    return responseDrawing(*m_plot, width(), height());
}

QImage ResponseView::image() const
{
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintDrawing(painter, drawing());
    return image;
}

void ResponseView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintDrawing(painter, drawing());
}

void ResponseView::focusInEvent(QFocusEvent*) {}

void ResponseView::focusOutEvent(QFocusEvent*) {}
