// Every caption the drill writes, in every state, can be read whole on the
// screen the suite runs on (CTest runs it on several screen shapes).
#include "ambiente.h"

#include "exercise/formb.h"
#include "screens/classificaform.h"
#include "screens/frm_errori.h"
#include "screens/iniziale.h"
#include "services/cornice.h"
#include "services/etichetta.h"
#include "services/pulsante.h"

#include <QFontMetricsF>
#include <QTest>

using namespace Modulo1;

namespace {

// Where the caption's ink is, in w's coordinates, and its text; none for
// a control with no caption to read.
std::pair<QRectF, QString> inchiostro(const QWidget *w)
{
    if (auto *e = qobject_cast<const Etichetta *>(w)) {
        const QFontMetricsF m(e->carattereDipinto());
        const QString t = e->caption();
        const double intero = m.horizontalAdvance(t);
        const QRect a = e->contentsRect();
        const double x = e->alignment() & Qt::AlignRight     ? a.right() + 1 - intero
                         : e->alignment() & Qt::AlignHCenter ? a.left() + (a.width() - intero) / 2
                                                             : a.left();
        // Trailing blanks show nothing.
        return {QRectF(x, a.top(), m.horizontalAdvance(t.trimmed()), m.ascent() + m.descent()), t.trimmed()};
    }
    if (auto *b = qobject_cast<const Pulsante *>(w); b && b->colorato()) {
        // What is painted: the letters (black, or the etched grey of a
        // disabled button) found in the button's picture. A caption cut by
        // the edge of its area leaves letters on that edge: it counts as
        // running past it.
        const QImage im = const_cast<Pulsante *>(b)->grab().toImage();
        const QRect a = b->rect().adjusted(3, 2, -3, -2);
        const QColor lettera = b->disabilitato() ? QColor(0x80, 0x80, 0x80) : QColor(Qt::black);
        QRect r;
        for (int y = a.top(); y <= a.bottom(); ++y)
            for (int x = a.left(); x <= a.right(); ++x)
                if (im.pixelColor(x, y) == lettera)
                    r |= QRect(x, y, 1, 1);
        if (r.isEmpty())
            return {QRectF(b->rect()).adjusted(-5, -5, 5, 5), b->caption()}; // nothing painted
        const bool tagliata = r.top() <= a.top() || r.bottom() >= a.bottom() || r.left() <= a.left() || r.right() >= a.right();
        return {tagliata ? QRectF(b->rect()).adjusted(-5, -5, 5, 5) : QRectF(r), b->caption()};
    }
    if (auto *c = qobject_cast<const Cornice *>(w))
        return {QRectF(6, 0, QFontMetricsF(c->font()).horizontalAdvance(c->caption()) + 4, 1), c->caption()};
    return {};
}

// The captions of a window that cannot be read whole, each once.
void controlla(QWidget *finestra, QStringList &problemi)
{
    for (const QWidget *w : finestra->findChildren<QWidget *>()) {
        const auto [testo, caption] = inchiostro(w);
        if (caption.isEmpty() || !w->isVisibleTo(finestra))
            continue;
        // What of w is on screen: inside its own rectangle, its window and
        // every frame around it.
        QRect visibile = w->rect();
        for (const QWidget *c = w; c != finestra; c = c->parentWidget())
            visibile &= QRect(w->mapFrom(c->parentWidget(), QPoint(0, 0)), c->parentWidget()->size());
        if (QRectF(visibile).adjusted(-1, -1, 1, 1).contains(testo))
            continue;
        const QString p = QStringLiteral("\"%1\": %2 px wide, %3 px visible").arg(caption).arg(testo.width()).arg(visibile.width());
        if (!problemi.contains(p))
            problemi.append(p);
    }
}

} // namespace

class TestDidascalie : public QObject
{
    Q_OBJECT

    std::unique_ptr<Ambiente> ambiente;
    QStringList problemi;

private slots:
    void initTestCase() { toolkit::preparaCaratteri(); }
    void init()
    {
        ambiente = std::make_unique<Ambiente>();
        problemi.clear();
    }
    void cleanup()
    {
        QVERIFY2(problemi.isEmpty(), qPrintable(problemi.join(QLatin1Char('\n'))));
        ambiente.reset();
    }

    void titolo()
    {
        istanza<Iniziale>().Show();
        controlla(&istanza<Iniziale>(), problemi);
    }

    void esercizio()
    {
        FormB &f = istanza<FormB>();
        f.Show();
        controlla(&f, problemi);
        domandeperserie = 30000; // no grade screen in the way
        // Every sentence of the bank, the last row too.
        totalefrasi = 101;
        for (int n = 0; n <= 100; ++n) {
            ambiente->orologio.numeri = {(n + 0.5f) / 101.0f};
            f.VIA_Click();
            controlla(&f, problemi);
        }
        // The words of the holds, the end of a sentence, the counters.
        ambiente->orologio.durante = [&] { controlla(&f, problemi); };
        QTest::mouseClick(f.Com(codiceatteso % 16 + 1), Qt::LeftButton);
        for (int i = 1; i <= 8 && !f.VIA->isVisible(); ++i)
            QTest::mouseClick(f.Com(codiceatteso), Qt::LeftButton);
        QCOMPARE(f.gratifica->caption(), QStringLiteral("COMPLETATA"));
        controlla(&f, problemi);
        for (Etichetta *e : {f.Lrisposte, f.Lerrori, f.Lpercentuale})
            e->setCaption(QStringLiteral("100"));
        ambiente->orologio.avanza(99999);
        f.Timer1_Timer();
        f.VIA_Click(); // every sentence used
        QCOMPARE(f.AVVISO->caption(), QStringLiteral("TUTTE LA FRASI SONO COMPLETATE"));
        controlla(&f, problemi);
    }

    void risultatiEErrori()
    {
        FormB &f = istanza<FormB>();
        f.Show();
        for (int c = 1; c <= 16; ++c)
            erroricategoria(c) = 999;
        f.Command8_Click();
        controlla(&istanza<FRM_ERRORI>(), problemi);
        for (int grado = 1; grado <= 6; ++grado) {
            quandoModale([&](QWidget *g) { controlla(g, problemi); });
            livello = grado;
            istanza<classificaform>().Show(&f);
        }
    }
};

QTEST_MAIN(TestDidascalie)
#include "tst_didascalie.moc"
