#pragma once

#include <QPushButton>

// A command button. Given a back colour it becomes a graphical button that
// shows that colour flat and exact (Qt's styles would paint a gradient over
// it), with a raised border, a word-wrapped caption, a sunken look when
// pressed, an etched caption when disabled and a dotted focus rectangle.
class Pulsante : public QPushButton
{
    Q_OBJECT

public:
    explicit Pulsante(QWidget *parent);

    void setCaption(const QString &testo) { setText(testo); }
    QString caption() const { return text(); }

    void setBackColor(const QColor &colore);
    QColor backColor() const { return m_colore; }
    bool colorato() const { return m_colore.isValid(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void disegnaBordo(QPainter &p, const QRect &r, bool premuto) const;
    void disegnaCaption(QPainter &p, const QRect &r) const;

    QColor m_colore;
};
