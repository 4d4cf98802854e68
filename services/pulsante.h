#pragma once

#include <QPixmap>
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
    QPixmap faccia();
    void disegna(QPainter &p, const QRect &r, bool attivo, bool premuto) const;
    void disegnaBordo(QPainter &p, const QRect &r, bool premuto) const;
    void disegnaCaption(QPainter &p, const QRect &r, bool attivo) const;

    QColor m_colore;
    // The enabled face, kept until the caption, font, size or colour change:
    // a word-wrapped caption is costly to lay out, and the sixteen buttons
    // are repainted enabled after every hold.
    QPixmap m_faccia;
    QString m_firma;
};
