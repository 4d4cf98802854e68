// The real windows on a real X server (a virtual one), with or without a
// window manager: what the offscreen platform cannot show. Started by
// tests/scrivania.sh, which says in PARSILIA_GESTORE whether a manager runs.
#include "ambiente.h"

#include "exercise/formb.h"
#include "screens/classificaform.h"
#include "screens/iniziale.h"
#include "services/etichetta.h"
#include "services/pulsante.h"

#include <QProcess>
#include <QScreen>
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

    void doppioClickVero()
    {
        // A real double-click on the right button: one answer, no error.
        FormB &f = istanza<FormB>();
        aperta(&f);
        ambiente->orologio.numeri = {0.005f};
        QTest::mouseClick(f.VIA, Qt::LeftButton);
        QCOMPARE(int(codiceatteso), 1);
        const QPoint soggetto = f.Com(1)->mapToGlobal(f.Com(1)->rect().center());
        bool primo = true;
        ambiente->orologio.durante = [&] {
            if (!primo)
                return;
            primo = false;
            // The second click lands during the hold; let the X server deliver it.
            clickVero(soggetto, 1);
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        };
        clickVero(soggetto, 1);
        QVERIFY(QTest::qWaitFor([&] { return f.Lrisposte->caption() == QLatin1String("1"); }, 5000));
        QTest::qWait(300);
        QCOMPARE(f.Lrisposte->caption(), QStringLiteral("1"));
        QCOMPARE(f.Lerrori->caption(), QStringLiteral("0"));
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
