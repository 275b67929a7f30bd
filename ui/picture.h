#pragma once

#include <QLabel>

// A picture the executable carries, drawn at the pixel density of the screen:
// on a 2x screen it shows the drawing made at twice the size rather than the
// plain one scaled up, so it stays crisp.
class Picture : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QString source READ source WRITE setSource)

public:
    using QLabel::QLabel;

    QString source() const { return m_source; }
    void setSource(const QString& path);

    // Decodes the frame Qt's Fusion style draws round every group box into
    // QPixmap's file cache, where the style looks first. Left to the style,
    // its decoder guesses the format and loads every image-format plugin
    // (with Qt Svg and libjpeg) to do so: a few milliseconds and about a
    // mebibyte before the first window is complete.
    static void cacheGroupBoxFrame();

protected:
    // Hidden by the program, as a window is at a switch, a picture lets its
    // pixels go at once, before the next window unpacks its own, so that
    // two windows' pictures are never held (embeddedPicture); shown again, it
    // unpacks them afresh.
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QString m_source;
};
