#pragma once

#include <QLabel>

// A picture from the resources, drawn at the pixel density of the screen: on
// a 2x screen it shows the name@2x.png drawing rather than the plain one
// scaled up, so it stays crisp.
class Picture : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QString source READ source WRITE setSource)

public:
    using QLabel::QLabel;

    QString source() const { return m_source; }
    void setSource(const QString& path);

    // A PNG drawing from the resources; a null pixmap if there is none.
    static QPixmap load(const QString& path);

private:
    QString m_source;
};
