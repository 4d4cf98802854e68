#include "services/cornice.h"
#include "services/etichetta.h"
#include "services/forma.h"
#include "services/pulsante.h"
#include "services/ridimschermo.h"
#include "services/toolkit.h"

#include <QApplication>
#include <QTest>

namespace {

struct Disegno
{
    double left, top, width, height, punti;
};

// A screen laid out on 12000 x 9000 twips: a label, a button, a frame with a
// label inside it, and an autosizing label whose size follows its text.
class SchermoDiProva : public Forma
{
public:
    SchermoDiProva()
        : Forma(12000, 9000)
    {
        avviso = new Etichetta(this);
        via = new Pulsante(this);
        cornice = new Cornice(this);
        dentro = new Etichetta(cornice);
        frase = new Etichetta(this);
        frase->setCaption(QStringLiteral("Il gatto"));
        frase->setAutoSize(true);
        const QList<QWidget *> tutti = controlliInOrdine();
        for (int i = 0; i < tutti.size(); ++i) {
            const Disegno &d = disegno[i];
            tutti[i]->setFont(toolkit::carattere(QStringLiteral("Arial"), d.punti, 700));
            toolkit::Move(tutti[i], d.left, d.top, d.width, d.height);
        }
    }

    QList<QWidget *> controlliInOrdine() const { return {avviso, via, cornice, dentro, frase}; }

    static constexpr Disegno disegno[5] = {
        {45, 0, 11910, 420, 18},
        {3870, 3825, 7830, 915, 18},
        {45, 8100, 11985, 780, 8.25},
        {540, 225, 1275, 435, 18},
        {180, 1260, 105, 330, 14.25},
    };

    Etichetta *avviso;
    Pulsante *via;
    Cornice *cornice;
    Etichetta *dentro;
    Etichetta *frase;

protected:
    void Form_Load() override
    {
        ridimschermo::numerocontrolli = 5;
        ridimschermo::preparacontrolli();
        ridimschermo::formcorrente = this;
        const QList<QWidget *> tutti = controlliInOrdine();
        for (int i = 0; i < tutti.size(); ++i)
            ridimschermo::controlli[i + 1] = tutti[i];
        ridimschermo::adattaschermo();
    }
    void Form_Resize() override { ridimschermo::ridimensiona(); }
};

// The controls that keep the size they are given (all but the autosizing one).
const int fissi = 4;

} // namespace

class TestRidimschermo : public QObject
{
    Q_OBJECT

    SchermoDiProva *schermo = nullptr;

    void verificaScala(double fx, double fy)
    {
        const QList<QWidget *> tutti = schermo->controlliInOrdine();
        for (int i = 0; i < tutti.size(); ++i) {
            const Disegno &d = SchermoDiProva::disegno[i];
            QWidget *w = tutti[i];
            QCOMPARE(w->x(), toolkit::pixel(fx * d.left));
            QCOMPARE(w->y(), toolkit::pixel(fy * d.top));
            if (i < fissi) {
                QCOMPARE(w->x() + w->width(), toolkit::pixel(fx * d.left + fx * d.width));
                QCOMPARE(w->y() + w->height(), toolkit::pixel(fy * d.top + fy * d.height));
            }
            QVERIFY(qAbs(toolkit::FontSize(w) - std::max(fy * d.punti, toolkit::minimoPunti)) < 1e-4);
        }
    }

    void ridimensionaA(int larghezza, int altezza)
    {
        schermo->resize(larghezza, altezza);
        ridimschermo::ridimensiona();
    }

private slots:
    void init()
    {
        schermo = &istanza<SchermoDiProva>();
        schermo->Show();
    }
    void cleanup()
    {
        schermo->Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ridimschermo::azzera();
    }

    void registrazione()
    {
        QCOMPARE(ridimschermo::controlli.size(), 6);
        QVERIFY(ridimschermo::controlli[0].isNull());
        QCOMPARE(ridimschermo::larghezzaform, 12000.0f);
        QCOMPARE(ridimschermo::altezzaform, 9000.0f);
        QCOMPARE(ridimschermo::sinistre[2], 3870.0f);
        QCOMPARE(ridimschermo::cime[4], 225.0f);
        QCOMPARE(ridimschermo::caratteri[3], 8.25f);
        // Shown maximized: the window fills the available screen area.
        QVERIFY(schermo->frameGeometry().contains(schermo->screen()->availableGeometry()));
        verificaScala(schermo->width() / 800.0, schermo->height() / 600.0);
    }

    void scala_data()
    {
        QTest::addColumn<int>("larghezza");
        QTest::addColumn<int>("altezza");
        QTest::newRow("riferimento") << 800 << 600;
        QTest::newRow("metà") << 400 << 300;
        QTest::newRow("doppia larghezza") << 1600 << 600;
        QTest::newRow("4K") << 3840 << 2160;
    }
    void scala()
    {
        QFETCH(int, larghezza);
        QFETCH(int, altezza);
        ridimensionaA(larghezza, altezza);
        verificaScala(larghezza / 800.0, altezza / 600.0);
    }

    void nessunaDeriva()
    {
        for (int i = 0; i < 200; ++i)
            ridimensionaA(137 + 7 * i, 91 + 13 * (i % 37));
        ridimensionaA(800, 600);
        verificaScala(1.0, 1.0);
        const QList<QWidget *> tutti = schermo->controlliInOrdine();
        for (int i = 0; i < fissi; ++i) {
            const Disegno &d = SchermoDiProva::disegno[i];
            QCOMPARE(toolkit::Left(tutti[i]), d.left);
            QCOMPARE(toolkit::Width(tutti[i]), d.width);
            QCOMPARE(toolkit::FontSize(tutti[i]), d.punti);
        }
    }

    void finestraMinimaONulla()
    {
        ridimensionaA(1, 1);
        verificaScala(1 / 800.0, 1 / 600.0);
        ridimensionaA(0, 0);
        for (QWidget *w : schermo->controlliInOrdine())
            QVERIFY(toolkit::FontSize(w) >= toolkit::minimoPunti);
        schermo->showMinimized();
        QCoreApplication::processEvents();
        ridimensionaA(800, 600);
        verificaScala(1.0, 1.0);
    }

    void registroVuotoOSostituito()
    {
        // An empty registry scales nothing: the window resized, its
        // controls stay where they were.
        const QRect avviso = schermo->avviso->geometry();
        const double punti = toolkit::FontSize(schermo->avviso);
        ridimschermo::azzera();
        ridimschermo::ridimensiona();
        ridimschermo::numerocontrolli = 0;
        ridimschermo::preparacontrolli();
        QCOMPARE(ridimschermo::controlli.size(), 1);
        ridimschermo::formcorrente = schermo;
        ridimensionaA(400, 300);
        QCOMPARE(schermo->avviso->geometry(), avviso);
        // A new registration replaces the old one: the five controls are no
        // longer moved; and a control destroyed while registered is skipped.
        ridimschermo::numerocontrolli = 1;
        ridimschermo::preparacontrolli();
        auto *temporaneo = new Etichetta(schermo);
        ridimschermo::controlli[1] = temporaneo;
        ridimschermo::adattaschermo();
        delete temporaneo;
        ridimensionaA(500, 500);
        QCOMPARE(schermo->avviso->geometry(), avviso);
        QCOMPARE(toolkit::FontSize(schermo->avviso), punti);
    }
};

QTEST_MAIN(TestRidimschermo)
#include "tst_ridimschermo.moc"
