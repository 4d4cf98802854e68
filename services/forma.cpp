#include "forma.h"

#include "doppioclic.h"
#include "toolkit.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>

Forma::Forma(double larghezzaTwips, double altezzaTwips)
    : QWidget(nullptr)
{
    // The form fills its own back: it turns pink and back at every wrong
    // answer, and a palette change would travel to every control on it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_colore = palette().color(QPalette::Window);
    DoppioClic::installa();
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
        const QScreen *s = screen();
        if (s && !toolkit::gestoreFinestre()) {
            // No window manager: showMaximized() alone would leave a small
            // window, and nobody will ever restore this one.
            setGeometry(s->availableGeometry());
        } else if (s && !eraVisibile) {
            // The manager maximizes, and restores to the normal geometry:
            // keep that one whole on the screen, title bar included.
            entroLoSchermo(s->availableGeometry());
        }
        showMaximized();
    }
    // A window already open is brought to the front; a new one opens there.
    if (eraVisibile)
        raise();
    activateWindow();
}

void Forma::entroLoSchermo(const QRect &area)
{
    // The frame is not known before the window is first shown: leave room
    // for a title bar and a border of the usual sizes.
    const QMargins cornice(8, 40, 8, 8);
    const QRect utile = area.marginsRemoved(cornice);
    if (utile.isEmpty())
        return;
    resize(size().boundedTo(utile.size()));
    // The position is the frame's: keep the whole frame in the area.
    const QPoint ultimo = area.bottomRight() + QPoint(1, 1)
                          - QPoint(width() + cornice.left() + cornice.right(), height() + cornice.top() + cornice.bottom());
    move(std::clamp(pos().x(), area.left(), std::max(area.left(), ultimo.x())),
         std::clamp(pos().y(), area.top(), std::max(area.top(), ultimo.y())));
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

namespace {

// Ends a wait at the first exposure of a window.
class FiltroEsposizione : public QObject
{
public:
    explicit FiltroEsposizione(QEventLoop &ciclo)
        : m_ciclo(ciclo)
    {
    }
    bool eventFilter(QObject *, QEvent *evento) override
    {
        // Let the window handle it (it puts its picture back), then stop.
        if (evento->type() == QEvent::Expose)
            QMetaObject::invokeMethod(&m_ciclo, &QEventLoop::quit, Qt::QueuedConnection);
        return false;
    }

private:
    QEventLoop &m_ciclo;
};

} // namespace

void Forma::attendiScopertura()
{
    QWindow *finestra = windowHandle();
    if (!finestra || !isVisible() || !toolkit::scoperteDaDipingere())
        return;
    QEventLoop ciclo;
    FiltroEsposizione filtro(ciclo);
    finestra->installEventFilter(&filtro);
    QTimer::singleShot(200, &ciclo, &QEventLoop::quit);
    ciclo.exec(QEventLoop::ExcludeUserInputEvents);
    finestra->removeEventFilter(&filtro);
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
