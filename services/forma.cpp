#include "forma.h"

#include "toolkit.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

Forma::Forma(double larghezzaTwips, double altezzaTwips)
    : QWidget(nullptr)
{
    // The form fills its own back: it turns pink and back at every wrong
    // answer, and a palette change would travel to every control on it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_colore = palette().color(QPalette::Window);
    resize(toolkit::pixel(larghezzaTwips), toolkit::pixel(altezzaTwips));
}

void Forma::setBackColor(const QColor &colore)
{
    if (colore == m_colore)
        return;
    m_colore = colore;
    update();
}

QColor Forma::backColor() const
{
    return m_colore;
}

void Forma::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    p.fillRect(event->rect(), m_colore);
}

void Forma::massimizza()
{
    m_massimizzata = true;
    if (isVisible())
        mostraFinestra();
}

double Forma::Width() const
{
    return toolkit::twips(width());
}

double Forma::Height() const
{
    return toolkit::twips(height());
}

double Forma::Left() const
{
    return toolkit::twips(x());
}

double Forma::Top() const
{
    return toolkit::twips(y());
}

void Forma::setLeft(double twips)
{
    move(toolkit::pixel(twips), y());
}

void Forma::setTop(double twips)
{
    move(x(), toolkit::pixel(twips));
}

void Forma::Load()
{
    if (m_caricata)
        return;
    m_caricata = true;
    Form_Load();
}

void Forma::mostraFinestra()
{
    const bool eraVisibile = isVisible();
    if (!m_massimizzata) {
        if (!eraVisibile)
            centra();
        show();
    } else {
        // Without a window manager showMaximized() alone leaves a small
        // window: give the window the whole available area as well.
        if (const QScreen *s = screen())
            setGeometry(s->availableGeometry());
        showMaximized();
    }
    // A window already open is brought to the front; a new one opens there.
    if (eraVisibile)
        raise();
    activateWindow();
}

void Forma::centra()
{
    // Over the owner when there is one, else in the middle of the screen.
    const QWidget *proprietario = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen *s = proprietario ? proprietario->screen() : screen();
    const QRect area = proprietario && proprietario->isVisible() ? proprietario->geometry()
                       : s ? s->availableGeometry() : QRect();
    if (area.isValid())
        move(area.center() - QPoint(width() / 2, height() / 2));
}

void Forma::Show()
{
    Load();
    if (!m_scaricata)
        mostraFinestra();
}

void Forma::Show(Forma *proprietario)
{
    Load();
    if (m_scaricata)
        return;
    if (proprietario && parentWidget() != proprietario)
        setParent(proprietario, Qt::Dialog);
    setWindowModality(Qt::ApplicationModal);
    mostraFinestra();
    QEventLoop attesa;
    connect(this, &Forma::unloaded, &attesa, &QEventLoop::quit);
    attesa.exec(QEventLoop::DialogExec);
}

void Forma::Unload()
{
    if (m_scaricata)
        return;
    m_scaricata = true;
    hide();
    emit unloaded();
    deleteLater();
}

void Forma::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_caricata && !m_scaricata)
        Form_Resize();
}

void Forma::mousePressEvent(QMouseEvent *event)
{
    m_premuto = event->button() == Qt::LeftButton;
    QWidget::mousePressEvent(event);
}

void Forma::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_premuto && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    m_premuto = false;
    QWidget::mouseReleaseEvent(event);
    if (click && m_caricata && !m_scaricata)
        Form_Click();
}

void Forma::closeEvent(QCloseEvent *event)
{
    event->accept();
    Unload();
}
