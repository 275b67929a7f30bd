#pragma once

#include "responseplot.h"

#include <QWidget>

#include <optional>

class QImage;
class QPainter;

// Paints a drawing of the model's as its SVG document shows it.
void paintDrawing(QPainter& painter, const Drawing& drawing);

// The response plot, laid out afresh for the size it is given; a screen
// reader reads the polarity and the −3 dB points from its description.
class ResponseView : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    void setPlot(ResponsePlot plot);
    const std::optional<ResponsePlot>& plot() const { return m_plot; }

    // The plot as it is drawn at the view's present size.
    Drawing drawing() const;
    // That drawing in pixels, as a PNG file has it.
    QImage image() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    // It draws no focus of its own, so taking or losing it repaints nothing.
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::optional<ResponsePlot> m_plot;
};
