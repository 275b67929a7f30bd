#include "textboxstyle.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOption>

namespace {

// The text a disabled box shows is drawn in the palette's disabled text
// colour, which most palettes make faint; a result must read as well as what
// was typed.
void keepDisabledTextReadable(QWidget* box)
{
    QPalette palette = box->palette();
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    if (palette.color(QPalette::Disabled, QPalette::Text) == text)
        return;
    palette.setColor(QPalette::Disabled, QPalette::Text, text);
    box->setPalette(palette);
}

} // namespace

void TextBoxStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const
{
    // The active colours, whether or not the window is the active one: an
    // output box differs from an entry box in its face alone.
    const QPalette& palette = option->palette;
    switch (element) {
    case PE_PanelLineEdit:
        if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option)) {
            const bool enabled = option->state & State_Enabled;
            painter->fillRect(
                option->rect,
                palette.brush(QPalette::Active, enabled ? QPalette::Base : QPalette::Window));
            if (frame->lineWidth > 0)
                drawPrimitive(PE_FrameLineEdit, option, painter, widget);
            return;
        }
        break;
    case PE_FrameLineEdit: {
        const QRect& r = option->rect;
        const QColor shadow = palette.color(QPalette::Active, QPalette::Shadow);
        painter->fillRect(QRect(r.left(), r.top(), r.width(), 1), shadow);
        painter->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), shadow);
        painter->fillRect(QRect(r.left(), r.top() + 1, 1, r.height() - 2), shadow);
        painter->fillRect(QRect(r.right(), r.top() + 1, 1, r.height() - 2), shadow);
        return;
    }
    default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

int TextBoxStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                              const QWidget* widget) const
{
    // The border, and no padding inside it.
    if (metric == PM_DefaultFrameWidth && qobject_cast<const QLineEdit*>(widget))
        return 1;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

void TextBoxStyle::polish(QWidget* widget)
{
    QProxyStyle::polish(widget);
    if (!qobject_cast<QLineEdit*>(widget))
        return;
    keepDisabledTextReadable(widget);
    widget->installEventFilter(this);
    const QString description = widget->property("fontDescription").toString();
    QFont font;
    if (!description.isEmpty() && font.fromString(description))
        widget->setFont(font);
}

void TextBoxStyle::unpolish(QWidget* widget)
{
    widget->removeEventFilter(this);
    QProxyStyle::unpolish(widget);
}

bool TextBoxStyle::eventFilter(QObject* watched, QEvent* event)
{
    // A new palette, the application's or the box's own, brings a new text colour.
    if (event->type() == QEvent::PaletteChange)
        keepDisabledTextReadable(static_cast<QWidget*>(watched));
    return QProxyStyle::eventFilter(watched, event);
}
