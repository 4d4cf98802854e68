// Every caption the drill writes, in every state, can be read whole on the
// screen the suite runs on (CTest runs it on several screen shapes).
#include "ambiente.h"
#include "voceregistra.h"

#include "content/bancainsegnante.h"
#include "exercise/formb.h"
#include "screens/classificaform.h"
#include "screens/frm_errori.h"
#include "screens/iniziale.h"
#include "services/cornice.h"
#include "services/etichetta.h"
#include "services/figura.h"
#include "services/pulsante.h"

#include <QFontMetricsF>
#include <QPainter>
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
        return {QRectF(6, 0, QFontMetricsF(c->carattereDipinto()).horizontalAdvance(c->caption()) + 4, 1), c->caption()};
    return {};
}

// Whether a button's caption, painted at the button's own size, keeps its
// letters off the edges of its area: then it is not to be drawn smaller.
bool entraAllaSuaMisura(const Pulsante *b)
{
    const QRect area = b->rect().adjusted(3, 2, -3, -2);
    QImage im(b->size() * 3, QImage::Format_ARGB32_Premultiplied);
    im.fill(Qt::white);
    QPainter p(&im);
    p.setFont(b->font());
    p.setPen(Qt::black);
    const QPoint centro(b->width(), b->height());
    p.drawText(area.translated(centro), Qt::AlignCenter | Qt::TextWordWrap | Qt::TextDontClip, b->caption());
    p.end();
    QRect r;
    for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x)
            if (im.pixel(x, y) != qRgb(255, 255, 255))
                r |= QRect(x, y, 1, 1);
    return area.translated(centro).adjusted(1, 1, -1, -1).contains(r);
}

// The captions of a window that cannot be read whole, each once, and the
// buttons' captions drawn smaller than they need be.
void controlla(QWidget *finestra, QStringList &problemi)
{
    for (const auto *b : finestra->findChildren<Pulsante *>())
        if (b->isVisibleTo(finestra) && b->colorato() && b->carattereDipinto().pointSizeF() < b->font().pointSizeF()
            && entraAllaSuaMisura(b)) {
            const QString p = QStringLiteral("\"%1\" drawn at %2 of its size, though it fits")
                                  .arg(b->caption())
                                  .arg(b->carattereDipinto().pointSizeF() / b->font().pointSizeF(), 0, 'f', 2);
            if (!problemi.contains(p))
                problemi.append(p);
        }
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

// The phrases and the sentence's lines that something else on the exercise
// screen hides in part: VIA, the word of praise, the label of the teacher's
// file, the speaker of the voice, another line of text. The speaker is
// also whole in the window, and hides no button.
void coperture(FormB &f, QStringList &problemi)
{
    QList<std::pair<QRectF, QString>> testi;
    const auto aggiungi = [&](const QWidget *w) {
        const auto [r, t] = inchiostro(w);
        if (w && w->isVisible() && !t.isEmpty())
            testi.append({r.translated(w->mapTo(&f, QPoint(0, 0))), t});
    };
    for (int j = 1; j <= 8; ++j)
        aggiungi(f.Lbmostra(j));
    aggiungi(f.FRASE_INTERA_A);
    aggiungi(f.FRASE_INTERA_B);
    const qsizetype righe = testi.size();
    aggiungi(f.gratifica);
    aggiungi(f.LbFrasi);
    if (f.VIA->isVisible())
        testi.append({QRectF(f.VIA->geometry()), QStringLiteral("VIA")});
    if (f.Altoparlante) {
        const QRect altoparlante = f.Altoparlante->geometry();
        testi.append({QRectF(altoparlante), QStringLiteral("the speaker")});
        for (const QWidget *w : f.findChildren<Pulsante *>())
            if (w != f.Altoparlante && w->isVisible() && w->geometry().intersects(altoparlante))
                problemi.append(QStringLiteral("the speaker over \"%1\"").arg(static_cast<const Pulsante *>(w)->caption()));
        if (!f.rect().contains(altoparlante) || altoparlante.width() < 20)
            problemi.append(QStringLiteral("the speaker not whole in the window"));
    }
    for (qsizetype i = 0; i < righe; ++i)
        for (qsizetype k = i + 1; k < testi.size(); ++k)
            if (testi.at(i).first.adjusted(0, 1, 0, -1).intersects(testi.at(k).first.adjusted(0, 1, 0, -1))) {
                const QString p = QStringLiteral("\"%1\" under \"%2\"").arg(testi.at(i).second, testi.at(k).second);
                if (!problemi.contains(p))
                    problemi.append(p);
            }
}

// The grade screen's wide blue frame runs whole around it: no letters of a
// caption drawn over its border.
void cornice(classificaform *g, QStringList &problemi)
{
    const QImage im = g->grab().toImage();
    const QRect fuori = g->Shape1->geometry();
    const int spessore = g->Shape1->borderWidth();
    const QRect dentro = fuori.adjusted(spessore, spessore, -spessore, -spessore);
    const QRgb bordo = g->Shape1->borderColor().rgb();
    for (int y = fuori.top(); y <= fuori.bottom(); ++y)
        for (int x = fuori.left(); x <= fuori.right(); ++x)
            if (!dentro.contains(x, y) && im.valid(x, y) && im.pixel(x, y) != bordo) {
                const QWidget *w = g->childAt(x, y);
                const QString p = QStringLiteral("the frame's border covered at %1,%2 by \"%3\"")
                                      .arg(x).arg(y).arg(w ? w->property("text").toString() : QString());
                if (!problemi.contains(p))
                    problemi.append(p);
                return;
            }
}

} // namespace

class TestDidascalie : public QObject
{
    Q_OBJECT

    // With the voice on, everything the voice adds is checked too.
    VoceRegistra voce;
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
        QCoreApplication::processEvents(); // its size on the screen
        const QRect postoVIA = f.VIA->geometry();
        domandeperserie = 30000; // no grade screen in the way
        // Every sentence of the bank, the last row too.
        totalefrasi = 101;
        for (int n = 0; n <= 100; ++n) {
            ambiente->orologio.numeri = {(n + 0.5f) / 101.0f};
            f.VIA_Click();
            controlla(&f, problemi);
            coperture(f, problemi);
            // Whole, and VIA back over the screen.
            for (int i = 1; i <= 8 && !f.VIA->isVisible(); ++i)
                QTest::mouseClick(f.Com(codiceatteso), Qt::LeftButton);
            coperture(f, problemi);
            // VIA leaves its place only for a phrase that reaches into it.
            bool raggiunto = false;
            for (int j = 1; j <= 8; ++j) {
                const auto [r, t] = inchiostro(f.Lbmostra(j));
                raggiunto |= !t.isEmpty() && r.translated(f.Lbmostra(j)->pos()).intersects(QRectF(postoVIA));
            }
            if (f.VIA->geometry() != postoVIA && !raggiunto)
                problemi.append(QStringLiteral("row %1: VIA moved with no phrase under it").arg(n));
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

    // A teacher's file at the limits the checker lets through: eight phrases
    // of 28 characters (words with m and w, capitals, accents), lines of 86
    // and 28 in wide letters. Every phrase and both lines whole and
    // uncovered, in every state.
    void frasiDellInsegnanteAlLimite()
    {
        const QStringList sintagmi = {
            QStringLiteral("Mamma e Wanda, mie nemiche amiche"), QStringLiteral("mangiò molte mele mature e more"),
            QStringLiteral("il mio amico Michele Mammì, sempre"), QStringLiteral("dietro la casa della nonna Mimma"),
            QStringLiteral("alla maestra di matematica, Wanda"), QStringLiteral("con la mamma più simpatica del mondo"),
            QStringLiteral("ai bambini della terza classe"), QStringLiteral("nella biblioteca comunale di Roma")};
        QByteArray file;
        for (int n = 0; n < 3; ++n) {
            // Line A of 86 and line B of 28, in wide letters.
            file += QString(QStringLiteral("Mòmmò ")).repeated(14).left(80).toUtf8() + " WMWMW " + QByteArray(26, 'M') + char('0' + n) + ".\n";
            for (int j = 0; j < 8; ++j)
                file += (sintagmi.at((j + n) % 8).left(28) + QStringLiteral(" = %1\n").arg(j == 1 ? 2 : 16)).toUtf8();
            file += "\n";
        }
        const bancainsegnante::Lettura l = bancainsegnante::leggi(file, QStringLiteral("limiti.txt"));
        QVERIFY2(l.valida(), qPrintable(l.errori().join(QLatin1Char('\n'))));
        QCOMPARE(l.frasi.size(), 3);
        frasiinsegnante = l.frasi;
        // The longest label the choice of a file gives.
        frasiinuso = QStringLiteral("Frasi della classe: frasi.txt.txt, 2000 frasi (verbi.txt e frasi.txt personale non si possono usare)");
        FormB &f = istanza<FormB>();
        f.Show();
        domandeperserie = 30000;
        ambiente->orologio.durante = [&] {
            controlla(&f, problemi);
            coperture(f, problemi);
        };
        for (int n = 0; n < 3; ++n) {
            ambiente->orologio.numeri = {0.0f};
            f.VIA_Click();
            controlla(&f, problemi);
            coperture(f, problemi);
            QTest::mouseClick(f.Com(codiceatteso % 16 + 1), Qt::LeftButton); // a wrong answer, then the right ones
            for (int i = 1; i <= 8 && !f.VIA->isVisible(); ++i)
                QTest::mouseClick(f.Com(codiceatteso), Qt::LeftButton);
            QVERIFY(f.VIA->isVisible());
            controlla(&f, problemi);
            coperture(f, problemi);
            // ... and after the window changes size.
            f.resize(f.size() * 3 / 4);
            coperture(f, problemi);
        }
        frasiinsegnante.clear();
        frasiinuso.clear();
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
            quandoModale([&](QWidget *g) {
                controlla(g, problemi);
                cornice(static_cast<classificaform *>(g), problemi);
            });
            livello = grado;
            istanza<classificaform>().Show(&f);
        }
    }
};

QTEST_MAIN(TestDidascalie)
#include "tst_didascalie.moc"
