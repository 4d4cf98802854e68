#pragma once

#include <QHash>
#include <QLabel>

// A label as the screens use it: a caption, a back colour shown only when the
// label is opaque, a text colour, and optionally a size that follows the
// caption and the font. An autosizing label keeps its left edge, or its
// centre when its caption is centred.
class Etichetta : public QLabel
{
    Q_OBJECT

public:
    explicit Etichetta(QWidget *parent);

    void setCaption(const QString &testo);
    QString caption() const { return text(); }

    void setBackColor(const QColor &colore);
    QColor backColor() const;
    void setOpaca(bool opaca);
    bool opaca() const { return autoFillBackground(); }

    void setForeColor(const QColor &colore);
    QColor foreColor() const { return m_testo; }

    void setAutoSize(bool autosize);
    bool autoSize() const { return m_autosize; }

    // Horizontal alignment of the caption; the caption always hangs from the top.
    void setAllineamento(Qt::Alignment orizzontale);

    void adattaAlTesto();

    // The font the caption is painted in: the label's own, made just small
    // enough for the caption to fit where it stands.
    QFont carattereDipinto() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    bool m_autosize = false;
    // The sizes of the captions measured in the current font: the exercise
    // screen's labels come back to the same few captions ("BRAVO!!!", the
    // counts), and measuring shapes the whole text.
    QHash<QString, QSize> m_misure;
    QColor m_testo;
    // The font last found for a caption too wide for its place, and what it
    // was found for: the caption, the room and the label's own font.
    mutable QFont m_ristretto;
    mutable QString m_firmaRistretto;
};
