#pragma once

#include <QPixmap>
#include <QPushButton>

// A command button. Given a back colour it becomes a graphical button that
// shows that colour flat and exact (Qt's styles would paint a gradient over
// it), with a raised border, a word-wrapped caption, a sunken look when
// pressed, an etched caption when disabled and a dotted focus rectangle.
// Enter presses it as Space does. It looks disabled only when it is itself
// disabled: while its window takes no input for a moment it keeps its face.
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

    // The font the caption is painted in: the button's own, made just small
    // enough for the wrapped caption of a coloured button to fit it.
    QFont carattereDipinto() const;

    // Disabled on its own account, not only through its window.
    bool disabilitato() const { return testAttribute(Qt::WA_ForceDisabled); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    QPixmap faccia();
    void disegna(QPainter &p, const QRect &r, bool attivo, bool premuto) const;
    void disegnaBordo(QPainter &p, const QRect &r, bool premuto) const;
    void disegnaCaption(QPainter &p, const QRect &r, bool attivo) const;
    QRect areaCaption(const QRect &r) const { return r.adjusted(3, 2, -3, -2); }

    QColor m_colore;
    // The enabled face, kept until the caption, font, size or colour change:
    // a word-wrapped caption is costly to lay out, and the sixteen buttons
    // are repainted enabled after every hold.
    QPixmap m_faccia;
    QString m_firma;
    // The font last found for the caption (the button's own when its
    // letters fit), and what it was found for.
    mutable QFont m_ristretto;
    mutable QString m_firmaRistretto;
};
