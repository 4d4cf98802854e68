#pragma once

#include <QWidget>

// A painted shape: a rectangle outline of a given line width, or a filled
// circle centred in its bounds. Shapes take no input: clicks fall through.
class Figura : public QWidget
{
    Q_OBJECT

public:
    enum class Tipo { Rettangolo, Cerchio };

    Figura(Tipo tipo, QWidget *parent);

    Tipo tipo() const { return m_tipo; }
    void setBorderColor(const QColor &colore);
    QColor borderColor() const { return m_bordo; }
    void setBorderWidth(int pixel);
    int borderWidth() const { return m_spessore; }
    void setFillColor(const QColor &colore);
    QColor fillColor() const { return m_riempimento; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Tipo m_tipo;
    QColor m_bordo = Qt::black;
    QColor m_riempimento;
    int m_spessore = 1;
};
