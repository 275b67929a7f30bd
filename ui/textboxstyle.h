#pragma once

#include <QProxyStyle>

// The program's style: the platform's own, except that every text box is
// drawn flat, a one-pixel border in the palette's shadow colour round a face
// of the base colour, or of the window colour once disabled, and that a
// disabled box (an output box) keeps its text in the text colour. Drawn here
// rather than by style sheets, no control goes through Qt's style-sheet
// engine, which costs time at start-up and memory for every box.
class TextBoxStyle : public QProxyStyle
{
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    using QProxyStyle::polish;
    using QProxyStyle::unpolish;
    // A text box whose layout gives it a "fontDescription" (QFont::toString's
    // form) takes that font, which Designer's font property cannot hold when
    // its size has a fraction of a point. Set at once, family and size, the
    // box lays its text out in one face only.
    void polish(QWidget* widget) override;
    void unpolish(QWidget* widget) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
