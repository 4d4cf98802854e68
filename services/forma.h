#pragma once

#include <QPointer>
#include <QWidget>

// A form: a top-level window with a design client area in twips, a back
// colour, and the Load / Resize / Click events the screens handle. Every
// screen exists once, created on first use (istanza), loaded before it is
// first shown, and destroyed when it is unloaded.
class Forma : public QWidget
{
    Q_OBJECT

public:
    Forma(double larghezzaTwips = 12000, double altezzaTwips = 9000);

    void setBackColor(const QColor &colore);
    QColor backColor() const;

    // WindowState = maximized: takes effect when the form is shown.
    void massimizza();
    bool daMassimizzare() const { return m_massimizzata; }

    // Outer placement and client size, in twips.
    double Width() const;
    double Height() const;
    double Left() const;
    double Top() const;
    void setLeft(double twips);
    void setTop(double twips);

    // Modeless show: returns at once. Loads the form the first time.
    void Show();
    // Modal show with an owner: returns only after this form is unloaded.
    void Show(Forma *proprietario);
    // Closes and destroys the form; the next istanza() builds a new one.
    void Unload();

    // Waits, handling no input, until what a window that has just closed
    // covered of this one is on the display again: a window manager removes
    // the closed window's frame a moment later. At most a fifth of a second.
    void attendiScopertura();

    bool caricata() const { return m_caricata; }
    bool scaricata() const { return m_scaricata; }

signals:
    void unloaded();

protected:
    virtual void Form_Load() {}
    virtual void Form_Resize() {}
    virtual void Form_Click() {}

    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void Load();
    void mostraFinestra();
    void entroLoSchermo(const QRect &area);
    void centra();

    bool m_caricata = false;
    bool m_scaricata = false;
    bool m_massimizzata = false;
    bool m_premuto = false;
    QColor m_colore;
};

// The single instance of a form, created on first use and again after it
// has been unloaded.
template<class F>
F &istanza()
{
    static QPointer<F> forma;
    if (!forma || forma->scaricata())
        forma = new F;
    return *forma;
}

