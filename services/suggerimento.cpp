#include "suggerimento.h"

#include <QApplication>
#include <QEvent>
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

class Filtro : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        const auto *controllo = static_cast<QWidget *>(oggetto);
        if (evento->type() == QEvent::ToolTip && !mostrabile(controllo)) {
            evento->ignore();
            return true;
        }
        if (evento->type() == QEvent::EnabledChange && !controllo->isEnabled())
            nascondiSubito();
        return false;
    }
};

} // namespace

void suggerimento(QWidget *controllo, const QString &testo)
{
    controllo->setToolTip(testo);
    controllo->setAccessibleDescription(testo);
    controllo->installEventFilter(new Filtro(controllo));
}

void sospendiSuggerimenti(bool sospendi)
{
    sospesi = sospendi;
    if (sospendi)
        nascondiSubito();
}
