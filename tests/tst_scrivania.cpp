// The real windows on a real X server (a virtual one), with or without a
// window manager: what the offscreen platform cannot show. Started by
// tests/scrivania.sh, which says in PARSILIA_GESTORE whether a manager runs.
#include "ambiente.h"

#include "exercise/formb.h"
#include "screens/classificaform.h"
#include "screens/frm_errori.h"
#include "screens/iniziale.h"
#include "services/etichetta.h"
#include "services/pulsante.h"

#include <QProcess>
#include <QScreen>
#include <QStyleHints>
#include <QTest>

#include <thread>

using namespace Modulo1;

namespace {

bool conGestore()
{
    return qEnvironmentVariableIntValue("PARSILIA_GESTORE") == 1;
}

QByteArray testo(const QRect &r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toLatin1();
}

// The share of pixels where two pictures of the same area differ.
double diversi(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    if (x.size() != y.size() || x.isNull())
        return 1;
    qint64 n = 0;
    for (int r = 0; r < x.height(); ++r)
        for (int c = 0; c < x.width(); ++c)
            n += x.pixel(c, r) != y.pixel(c, r);
    return double(n) / (qint64(x.width()) * x.height());
}

// A real click of the X server's, not one made up inside the program.
void clickVero(const QPoint &globale, int volte)
{
    QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("mousemove"), QString::number(globale.x()), QString::number(globale.y()),
                       QStringLiteral("click"), QStringLiteral("--repeat"), QString::number(volte),
                       QStringLiteral("--delay"), QStringLiteral("30"), QStringLiteral("1")});
}

// The same while the program goes on handling what comes, as it does when a
// pupil clicks: the first click of a double-click may close a window before
// the second reaches the X server. Two clicks are a double-click when they
// come within the double-click interval.
void clickDalVivo(const QPoint &globale, int volte, int intervallo = 30)
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"),
                  {QStringLiteral("mousemove"), QString::number(globale.x()), QString::number(globale.y()),
                   QStringLiteral("click"), QStringLiteral("--repeat"), QString::number(volte),
                   QStringLiteral("--delay"), QString::number(intervallo), QStringLiteral("1")});
    if (!QTest::qWaitFor([&] { return xdotool.state() == QProcess::NotRunning; }, 5000))
        qWarning("xdotool did not end within five seconds");
    QTest::qWait(200);
}

QPoint centro(const QWidget *w)
{
    return w->mapToGlobal(w->rect().center());
}

// A point of a side window's button that lies over a category button of
// the exercise screen beneath (the middle of a button may fall between two).
QPoint sopraUnaCategoria(const QWidget *bottone, const FormB &f)
{
    for (int y = bottone->height() / 4; y < bottone->height(); y += bottone->height() / 4)
        for (int x = bottone->width() / 8; x < bottone->width(); x += bottone->width() / 8) {
            const QPoint p = bottone->mapToGlobal(QPoint(x, y));
            const QWidget *sotto = f.childAt(f.mapFromGlobal(p));
            for (int k = 1; k <= 16; ++k)
                if (sotto == f.Com(k) && sotto->isEnabled())
                    return p;
        }
    return {};
}

// Long enough after the last real click for the next to be one of its own.
void pausa()
{
    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 200);
}

// The second click of a double-click, a tenth of a second after the first:
// time for the X server to show or take away the window the first one
// opened or closed, well within the double-click interval.
constexpr int secondoClick = 100;

} // namespace

class TestScrivania : public QObject
{
    Q_OBJECT

    std::unique_ptr<Ambiente> ambiente;

    void aperta(Forma *f)
    {
        f->Show();
        QVERIFY(QTest::qWaitForWindowExposed(f));
        const QRect area = f->screen()->availableGeometry();
        // Maximized: by the manager, or by the program where there is none.
        QVERIFY2(QTest::qWaitFor([&] { return f->width() >= area.width() - 20 && f->height() >= area.height() - 60; }, 5000),
                 testo(f->geometry()));
    }

    // The side windows open over the category buttons. Every click of these
    // is a real one: the program's guard reads the times the X server gives.
    // VIA first, then what each case opens.
    FormB &inizia()
    {
        FormB &f = istanza<FormB>();
        aperta(&f);
        ambiente->orologio.numeri = {0.005f}; // row 0: 8 phrases
        pausa();
        clickDalVivo(centro(f.VIA), 1);
        [&] { QVERIFY(QTest::qWaitFor([&] { return !f.VIA->isVisible(); }, 5000)); }();
        return f;
    }

    // The error review, opened by a real click on "mostra errori" and on
    // the screen; none when it does not come.
    FRM_ERRORI *revisione(FormB &f)
    {
        clickDalVivo(centro(f.Command8), 1);
        FRM_ERRORI *r = nullptr;
        if (!QTest::qWaitFor([&] { return (r = ::aperta<FRM_ERRORI>()) != nullptr; }, 5000)
            || !QTest::qWaitForWindowExposed(r))
            return nullptr;
        return r;
    }

private slots:
    void initTestCase()
    {
        toolkit::preparaCaratteri();
        QVERIFY(QTest::qWaitFor([] { return toolkit::gestoreFinestre() == conGestore(); }, 5000));
    }
    void init() { ambiente = std::make_unique<Ambiente>(); }
    void cleanup() { ambiente.reset(); }

    void ripristinoDopoLaMassimizzazione_data()
    {
        QTest::addColumn<bool>("titolo");
        QTest::newRow("schermo dell'esercizio") << false;
        QTest::newRow("titolo") << true;
    }
    void ripristinoDopoLaMassimizzazione()
    {
        QFETCH(bool, titolo);
        Forma *f = titolo ? static_cast<Forma *>(&istanza<Iniziale>()) : &istanza<FormB>();
        aperta(f);
        if (!conGestore())
            QSKIP("nobody restores a window without a window manager");
        const QRect area = f->screen()->availableGeometry();
        f->showNormal();
        // Restored, the window is whole on the screen, title bar included.
        QVERIFY2(QTest::qWaitFor([&] { return f->width() < area.width() - 20; }, 5000), testo(f->geometry()));
        QTest::qWait(200);
        QVERIFY2(area.contains(f->frameGeometry()), testo(f->frameGeometry()) + " on " + testo(area));
        QVERIFY(f->frameGeometry().height() > f->height()); // a title bar there is
    }

    void nienteImmagineVecchiaDopoLaClassifica()
    {
        // The twentieth answer completes a sentence: the grade screen comes
        // first, and the hold after PROSEGUI shows the exercise screen, not
        // what the grade screen left on the display.
        FormB &f = istanza<FormB>();
        aperta(&f);
        auto giusta = [&] { QTest::mouseClick(f.Com(codiceatteso), Qt::LeftButton); };
        // Rows 0, 5 and 12 have 8, 7 and 5 phrases.
        for (int riga : {0, 5, 12}) {
            ambiente->orologio.numeri = {(riga + 0.5f) / 100.0f};
            QTest::mouseClick(f.VIA, Qt::LeftButton);
            for (int i = riga == 12 ? 1 : 0; i < codici(riga, 0); ++i)
                giusta();
        }
        QRect doveEra;
        quandoModale([&](QWidget *g) {
            QVERIFY(QTest::qWaitForWindowExposed(g));
            QTest::qWait(100);
            doveEra = g->frameGeometry();
            QTest::mouseClick(static_cast<classificaform *>(g)->Command1, Qt::LeftButton);
        });
        double scarto = -1;
        ambiente->orologio.durante = [&] {
            if (scarto >= 0 || doveEra.isNull())
                return;
            // The display as the X server has it, against the window's own picture.
            const QRect area = doveEra & f.geometry();
            const QImage visto = f.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).toImage();
            const QImage atteso = f.grab(QRect(f.mapFromGlobal(area.topLeft()), area.size())).toImage();
            scarto = diversi(visto, atteso);
        };
        giusta(); // the twentieth
        QVERIFY(!doveEra.isNull());
        QCOMPARE(f.gratifica->caption(), QStringLiteral("COMPLETATA"));
        QVERIFY2(scarto >= 0 && scarto < 0.01, qPrintable(QString::number(scarto)));
    }

    void doppioClickVero_data()
    {
        QTest::addColumn<int>("primo");
        QTest::addColumn<int>("secondo");
        QTest::addColumn<int>("dopo"); // ms between the two clicks
        QTest::addColumn<int>("sbagliate");
        // A real double-click on the right button: one answer, no error.
        QTest::newRow("doppio click") << 1 << 1 << 0 << 0;
        // A wrong answer, and the right button 300 ms later: one answer, one error.
        QTest::newRow("due tasti") << 2 << 1 << 300 << 1;
    }
    void doppioClickVero()
    {
        QFETCH(int, primo);
        QFETCH(int, secondo);
        QFETCH(int, dopo);
        QFETCH(int, sbagliate);
        FormB &f = istanza<FormB>();
        aperta(&f);
        ambiente->orologio.numeri = {0.005f};
        QTest::mouseClick(f.VIA, Qt::LeftButton);
        QCOMPARE(int(codiceatteso), 1);
        bool prima = true;
        ambiente->orologio.durante = [&] {
            if (!prima)
                return;
            prima = false;
            // The second click lands during the hold; let the X server deliver it.
            std::this_thread::sleep_for(std::chrono::milliseconds(dopo));
            clickVero(centro(f.Com(secondo)), 1);
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        };
        clickVero(centro(f.Com(primo)), 1);
        QVERIFY(QTest::qWaitFor([&] { return f.Lrisposte->caption() == QLatin1String("1"); }, 5000));
        QTest::qWait(300);
        QCOMPARE(f.Lrisposte->caption(), QStringLiteral("1"));
        QCOMPARE(f.Lerrori->caption(), QString::number(sbagliate));
    }

    void doppioClickSuProsegui()
    {
        FormB &f = inizia();
        risposte = 20; // the twentieth answer did not complete the sentence
        QPoint p;
        bool chiusa = false;
        quandoModale([&](QWidget *modale) {
            const QPointer<QWidget> m = modale; // unloaded once closed
            QVERIFY(QTest::qWaitForWindowExposed(m));
            p = sopraUnaCategoria(static_cast<classificaform *>(modale)->Command1, f);
            QVERIFY2(!p.isNull(), "PROSEGUI lies over no category button");
            pausa();
            clickDalVivo(p, 2, secondoClick);
            chiusa = QTest::qWaitFor([&] { return !m || !m->isVisible(); }, 5000);
            QTest::qWait(300);
        });
        f.classifica(0);
        QVERIFY(!p.isNull() && chiusa);
        // The new series starts at nothing: no "No riprova" on what lay beneath.
        QCOMPARE(int(risposte), 0);
        QCOMPARE(int(errori), 0);
        QCOMPARE(f.Lrisposte->caption(), QStringLiteral("_"));
    }

    void doppioClickSuMostraClassifica()
    {
        FormB &f = inizia();
        pausa();
        FRM_ERRORI *aperta = revisione(f);
        QVERIFY(aperta);
        FRM_ERRORI &r = *aperta;
        risposte = 7;
        errori = 2;
        bool vista = false, sottoProsegui = false;
        const QPoint p = centro(r.Command2);
        quandoModale([&](QWidget *modale) {
            // The second click came on the grade screen's PROSEGUI, and was
            // thrown away: the standings are there to be read (closed by
            // it, the screen is gone).
            const QPointer<classificaform> m = static_cast<classificaform *>(modale);
            QTest::qWait(300);
            vista = m && m->isVisible();
            if (!vista)
                return;
            const Pulsante *prosegui = m->Command1;
            sottoProsegui = prosegui->rect().contains(prosegui->mapFromGlobal(p));
            QTest::keyClick(m, Qt::Key_Escape);
        });
        pausa();
        clickDalVivo(p, 2, secondoClick);
        QVERIFY2(QTest::qWaitFor([&] { return vista; }, 5000), "the standings did not stay up");
        QVERIFY2(sottoProsegui, "the grade screen's PROSEGUI is not where the second click lands");
        QCOMPARE(int(risposte), 7);
        QCOMPARE(int(errori), 2);
    }

    void mostraErroriDiNuovoLaPortaDavanti()
    {
        // The review hidden behind the exercise screen comes back in front
        // at the next "mostra errori".
        FormB &f = inizia();
        pausa();
        const QPointer<FRM_ERRORI> aperta = revisione(f);
        QVERIFY(aperta);
        // Closed by whatever went wrong, it is no longer in view: a failure, not a crash.
        const auto inVista = [&] {
            if (!aperta)
                return false;
            const QRect dove = aperta->geometry();
            const QImage visto = f.screen()->grabWindow(0, dove.x(), dove.y(), dove.width(), dove.height()).toImage();
            return diversi(visto, aperta->grab().toImage()) < 0.01;
        };
        QVERIFY(QTest::qWaitFor(inVista, 3000));
        f.raise();
        f.activateWindow();
        QVERIFY(QTest::qWaitFor([&] { return !inVista(); }, 3000));
        pausa();
        clickDalVivo(centro(f.Command8), 1);
        QVERIFY(QTest::qWaitFor(inVista, 3000));
    }

    void doppioClickSuChiudiFinestra()
    {
        FormB &f = inizia();
        pausa();
        FRM_ERRORI *aperta = revisione(f);
        QVERIFY(aperta);
        FRM_ERRORI &r = *aperta;
        const QPoint p = sopraUnaCategoria(r.Command1, f);
        QVERIFY2(!p.isNull(), "CHIUDI FINESTRA lies over no category button");
        const QPointer<FRM_ERRORI> chiusa = &r; // gone once closed
        pausa();
        clickDalVivo(p, 2, secondoClick);
        QVERIFY(QTest::qWaitFor([&] { return !chiusa || chiusa->scaricata(); }, 5000));
        QTest::qWait(300);
        QCOMPARE(int(risposte), 0);
        QCOMPARE(f.Lrisposte->caption(), QStringLiteral("_"));
        // A click of its own, a moment later, is an answer.
        pausa();
        clickDalVivo(p, 1);
        QVERIFY(QTest::qWaitFor([&] { return risposte == 1; }, 5000));
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    TestScrivania t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_scrivania.moc"
