#pragma once

#include <QFrame>

// A frame: a container with an etched border and an optional caption set in
// the border line. Controls inside it are placed relative to its top left.
class Cornice : public QFrame
{
    Q_OBJECT

public:
    explicit Cornice(QWidget *parent);

    void setCaption(const QString &testo);
    QString caption() const { return m_caption; }

    void setBackColor(const QColor &colore);
    QColor backColor() const { return palette().color(QPalette::Window); }
    void setForeColor(const QColor &colore);
    QColor foreColor() const { return m_testo; }

    // The font the caption is painted in: the frame's own, made just small
    // enough for the caption to stay within the frame's width (a tall,
    // narrow screen scales the fonts with its height).
    QFont carattereDipinto() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_caption;
    QColor m_testo;
};
