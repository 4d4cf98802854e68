#include "messaggio.h"

#include <QAbstractButton>
#include <QEvent>
#include <QScreen>
#include <QTextEdit>

#include <algorithm>

namespace {

// The lines of details shown at once, where the screen has room.
constexpr int righeDettagli = 20;
// Characters on a line of details before it wraps.
constexpr int caratteriPerRiga = 110;

} // namespace

Messaggio::Messaggio(Icon icona, const QString &testo, const QString &dettagli)
    : QMessageBox(icona, QStringLiteral("Parsilia"), testo, Ok)
{
    if (dettagli.isEmpty())
        return;
    setDetailedText(dettagli);
    if (auto *area = qobject_cast<QTextEdit *>(areaDettagli())) {
        // Qt's own area is five lines high and fixed.
        const QRect schermo = screen()->availableGeometry();
        const QFontMetrics misure(area->font());
        area->setMinimumWidth(std::min(schermo.width() * 3 / 4, misure.averageCharWidth() * caratteriPerRiga));
        area->setMinimumHeight(std::min(schermo.height() / 2, misure.lineSpacing() * righeDettagli + 2 * area->frameWidth()
                                                                   + int(area->document()->documentMargin() * 2)));
        area->setMaximumHeight(QWIDGETSIZE_MAX);
    }
}

QWidget *Messaggio::areaDettagli() const
{
    return detailedText().isEmpty() ? nullptr : findChild<QTextEdit *>();
}

bool Messaggio::event(QEvent *evento)
{
    const bool fatto = QMessageBox::event(evento);
    if (evento->type() == QEvent::Show || evento->type() == QEvent::LayoutRequest)
        liberaDimensioni();
    // Qt puts «Mostra dettagli...» among the buttons as the box shows, and
    // lays the box out again at its press.
    if (evento->type() == QEvent::Show)
        for (QAbstractButton *b : buttons())
            if (buttonRole(b) == ActionRole)
                connect(b, &QAbstractButton::clicked, this, &Messaggio::liberaDimensioni, Qt::UniqueConnection);
    return fatto;
}

// After Qt has laid the box out (shown, details shown or hidden): no
// smaller than that, as large as the teacher likes.
void Messaggio::liberaDimensioni()
{
    setMinimumSize(size());
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setSizeGripEnabled(true);
    // Grown downwards with its details: up again, whole on the screen.
    const QRect schermo = screen()->availableGeometry();
    const int oltre = frameGeometry().bottom() - schermo.bottom();
    if (isVisible() && oltre > 0)
        move(x(), std::max(schermo.top(), y() - oltre));
}
