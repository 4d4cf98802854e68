#include "suggerimento.h"

#include "voce.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QToolTip>
#include <QWidget>

namespace {

bool sospesi = false;

// A disabled control may show its tip (a category button between two
// sentences, while the pupil decides to press VIA), but not during a hold,
// while its window takes no input, or under a modal window.
bool mostrabile(const QWidget *controllo)
{
    const QWidget *modale = QApplication::activeModalWidget();
    return !sospesi && controllo->window()->isEnabled() && (!modale || modale == controllo->window());
}

void nascondiSubito()
{
    if (!QToolTip::isVisible())
        return;
    // The tip is Qt's own top-level label; QToolTip::hideText() would only
    // start its hiding timer.
    for (QWidget *finestra : QApplication::topLevelWidgets())
        if (finestra->objectName() == QLatin1String("qtooltip_label"))
            finestra->hide();
}

// Focus given by the pupil, not by the program (after a hold, after VIA).
bool conTab(QEvent *evento)
{
    const Qt::FocusReason perche = static_cast<QFocusEvent *>(evento)->reason();
    return perche == Qt::TabFocusReason || perche == Qt::BacktabFocusReason;
}

class Filtro : public QObject
{
public:
    Filtro(QWidget *controllo, const QString &daLeggere)
        : QObject(controllo)
        , m_daLeggere(daLeggere)
    {
    }

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        const auto *controllo = static_cast<QWidget *>(oggetto);
        switch (evento->type()) {
        case QEvent::ToolTip:
            if (!mostrabile(controllo)) {
                evento->ignore();
                return true;
            }
            // Qt asks again while the pointer moves over the tip already
            // up: that is no new tip, and the reading goes on.
            if (!QToolTip::isVisible() || QToolTip::text() != controllo->toolTip())
                leggi();
            break;
        case QEvent::FocusIn:
            if (conTab(evento) && mostrabile(controllo))
                leggi();
            break;
        case QEvent::EnabledChange:
            if (!controllo->isEnabled())
                nascondiSubito();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void leggi() const
    {
        if (!m_daLeggere.isEmpty())
            voce::leggi(m_daLeggere);
    }

    const QString m_daLeggere;
};

} // namespace

void suggerimento(QWidget *controllo, const QString &testo, const QString &daLeggere)
{
    controllo->setToolTip(testo);
    controllo->setAccessibleDescription(testo);
    controllo->installEventFilter(new Filtro(controllo, daLeggere));
}

void sospendiSuggerimenti(bool sospendi)
{
    sospesi = sospendi;
    voce::sospendi(sospendi);
    if (sospendi)
        nascondiSubito();
}
