#include "services/cornice.h"
#include "services/etichetta.h"
#include "services/figura.h"
#include "services/forma.h"
#include "services/matricecontrolli.h"
#include "services/pulsante.h"
#include "services/temporizzatore.h"
#include "services/toolkit.h"

#include <QApplication>
#include <QFontInfo>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

// A form that counts its events, to check when the toolkit raises them.
class FormaDiProva : public Forma
{
public:
    FormaDiProva()
        : Forma(6000, 4500)
    {
        etichetta = new Etichetta(this);
        toolkit::Move(etichetta, 150, 150, 1500, 300);
        etichetta->setCaption(QStringLiteral("testo"));
    }
    int caricamenti = 0;
    int ridimensionamenti = 0;
    int click = 0;
    bool visibileAlCaricamento = true;
    Etichetta *etichetta;

protected:
    void Form_Load() override
    {
        ++caricamenti;
        visibileAlCaricamento = isVisible();
    }
    void Form_Resize() override { ++ridimensionamenti; }
    void Form_Click() override { ++click; }
};

void smaltisciEliminazioni()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestToolkit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { toolkit::preparaCaratteri(); }
    void cleanup()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *f = qobject_cast<Forma *>(w))
                f->Unload();
        smaltisciEliminazioni();
    }

    void geometriaInTwips()
    {
        QWidget contenitore;
        QWidget controllo(&contenitore);
        toolkit::Move(&controllo, 45, 450, 11910, 420);
        QCOMPARE(controllo.geometry(), QRect(3, 30, 794, 28));
        QCOMPARE(toolkit::Left(&controllo), 45.0);
        QCOMPARE(toolkit::Top(&controllo), 450.0);
        QCOMPARE(toolkit::Width(&controllo), 11910.0);
        QCOMPARE(toolkit::Height(&controllo), 420.0);
        // Sizes below a pixel round, negative sizes become empty.
        toolkit::Move(&controllo, 0, 0, -300, 7);
        QCOMPARE(controllo.size(), QSize(0, 0));
    }

    void dimensioneCarattereMaiNulla()
    {
        QWidget controllo;
        toolkit::setFontSize(&controllo, 14.25);
        QCOMPARE(toolkit::FontSize(&controllo), 14.25);
        toolkit::setFontSize(&controllo, 0.0);
        QCOMPARE(toolkit::FontSize(&controllo), toolkit::minimoPunti);
        toolkit::setFontSize(&controllo, -3.0);
        QCOMPARE(toolkit::FontSize(&controllo), toolkit::minimoPunti);
    }

    void caratteriSostituiti_data()
    {
        QTest::addColumn<QString>("richiesto");
        QTest::addColumn<QString>("atteso");
        QTest::newRow("Arial") << "Arial" << "Liberation Sans";
        QTest::newRow("MS Sans Serif") << "MS Sans Serif" << "Liberation Sans";
        QTest::newRow("Bookman Old Style") << "Bookman Old Style" << "URW Bookman";
    }
    void caratteriSostituiti()
    {
        QFETCH(QString, richiesto);
        QFETCH(QString, atteso);
        const QFont f = toolkit::carattere(richiesto, 12, 700);
        QVERIFY2(QFontInfo(f).family().startsWith(atteso), qPrintable(QFontInfo(f).family()));
        QCOMPARE(QFontInfo(f).bold(), true);
    }

    void etichettaAutosize()
    {
        QWidget contenitore;
        Etichetta e(&contenitore);
        e.setFont(toolkit::carattere(QStringLiteral("Arial"), 14.25, 700));
        toolkit::Move(&e, 180, 450, 75, 330);
        e.setAutoSize(true);
        const QPoint posizione = e.pos();
        e.setCaption(QStringLiteral("Il gatto"));
        const int corta = e.width();
        e.setCaption(QStringLiteral("Il gatto che è qui, in questo appartamento"));
        QVERIFY(e.width() > corta);
        QCOMPARE(e.pos(), posizione);
        // A bigger font grows it too, and a move does not undo the autosize.
        const QSize prima = e.size();
        toolkit::setFontSize(&e, 28.5);
        QVERIFY(e.width() > prima.width() && e.height() > prima.height());
        toolkit::Move(&e, 300, 300, 15, 15);
        QCOMPARE(e.pos(), QPoint(20, 20));
        QVERIFY(e.width() > prima.width());
        // A caption seen before, in a font changed since, is measured anew:
        // it fits its text, as the same caption in a new label does.
        e.setCaption(QStringLiteral("Il gatto"));
        toolkit::setFontSize(&e, 9.75);
        e.setCaption(QString());
        e.setCaption(QStringLiteral("Il gatto"));
        Etichetta nuova(&contenitore);
        nuova.setFont(e.font());
        nuova.setAutoSize(true);
        nuova.setCaption(QStringLiteral("Il gatto"));
        QCOMPARE(e.size(), nuova.size());
        QVERIFY(e.width() < corta);
        // A fixed-size label keeps the size it is given.
        Etichetta fissa(&contenitore);
        toolkit::Move(&fissa, 45, 0, 11910, 420);
        fissa.setCaption(QStringLiteral("AVVISO"));
        QCOMPARE(fissa.size(), QSize(794, 28));
    }

    void etichettaOpacaOTrasparente()
    {
        QWidget contenitore;
        contenitore.setAutoFillBackground(true);
        QPalette p = contenitore.palette();
        p.setColor(QPalette::Window, QColor(0x91, 0xC6, 0x91));
        contenitore.setPalette(p);
        contenitore.resize(200, 100);
        Etichetta opaca(&contenitore);
        opaca.setGeometry(0, 0, 100, 50);
        opaca.setBackColor(QColor(0xC0, 0xFF, 0xFF));
        opaca.setOpaca(true);
        Etichetta trasparente(&contenitore);
        trasparente.setGeometry(100, 0, 100, 50);
        trasparente.setBackColor(QColor(0xC0, 0xFF, 0xFF));
        trasparente.setForeColor(QColor(0xFF, 0, 0));
        const QImage immagine = contenitore.grab().toImage();
        QCOMPARE(immagine.pixelColor(50, 40), QColor(0xC0, 0xFF, 0xFF));
        QCOMPARE(immagine.pixelColor(150, 40), QColor(0x91, 0xC6, 0x91));
        QCOMPARE(trasparente.foreColor(), QColor(0xFF, 0, 0));
    }

    void pulsanteColorato()
    {
        Pulsante b(nullptr);
        b.resize(175, 55);
        b.setFont(toolkit::carattere(QStringLiteral("Arial"), 12.75, 700));
        b.setCaption(QStringLiteral("complemento di TEMPO DETERMINATO"));
        b.setBackColor(QColor(0xAE, 0x8C, 0x62));
        const QImage attivo = b.grab().toImage();
        // The colour shows flat and exact, with no gradient over it.
        QCOMPARE(attivo.pixelColor(3, 3), QColor(0xAE, 0x8C, 0x62));
        QCOMPARE(attivo.pixelColor(3, 50), QColor(0xAE, 0x8C, 0x62));
        QCOMPARE(attivo.pixelColor(170, 27), QColor(0xAE, 0x8C, 0x62));
        b.setEnabled(false);
        const QImage spento = b.grab().toImage();
        QCOMPARE(spento.pixelColor(3, 3), QColor(0xAE, 0x8C, 0x62));
        QVERIFY(spento != attivo);
    }

    void matriceDaUno()
    {
        QWidget contenitore;
        MatriceControlli<Pulsante> Com;
        for (int i = 0; i < 4; ++i)
            Com.aggiungi(new Pulsante(&contenitore));
        QCOMPARE(Com.UBound(), 4);
        QList<int> premuti;
        Com.suClick(&contenitore, [&premuti](int i) { premuti.append(i); });
        Com(3)->click();
        Com(1)->click();
        Com(4)->click();
        QCOMPARE(premuti, (QList<int>{3, 1, 4}));
    }

    void cornicheEFigure()
    {
        Cornice cornice(nullptr);
        cornice.resize(90, 46);
        cornice.setBackColor(QColor(0, 0, 0xFF));
        Etichetta figlia(&cornice);
        toolkit::Move(&figlia, 540, 225, 300, 300);
        QCOMPARE(figlia.parentWidget(), &cornice);
        QCOMPARE(cornice.grab().toImage().pixelColor(10, 30), QColor(0, 0, 0xFF));

        QWidget fondo;
        fondo.resize(100, 100);
        fondo.setAutoFillBackground(true);
        fondo.setPalette(QPalette(QColor(0xC0, 0xC0, 0xC0)));
        QPalette pf = fondo.palette();
        pf.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
        fondo.setPalette(pf);
        Figura cerchio(Figura::Tipo::Cerchio, &fondo);
        cerchio.setGeometry(0, 0, 13, 13);
        cerchio.setFillColor(QColor(0xFF, 0xFF, 0));
        cerchio.setBorderColor(QColor(0xFF, 0xFF, 0));
        Figura rettangolo(Figura::Tipo::Rettangolo, &fondo);
        rettangolo.setGeometry(40, 40, 50, 50);
        rettangolo.setBorderColor(QColor(0, 0, 0xFF));
        rettangolo.setBorderWidth(10);
        const QImage immagine = fondo.grab().toImage();
        QCOMPARE(immagine.pixelColor(6, 6), QColor(0xFF, 0xFF, 0));
        QCOMPARE(immagine.pixelColor(0, 0), QColor(0xC0, 0xC0, 0xC0));
        QCOMPARE(immagine.pixelColor(44, 64), QColor(0, 0, 0xFF));
        QCOMPARE(immagine.pixelColor(64, 64), QColor(0xC0, 0xC0, 0xC0));
    }

    void temporizzatore()
    {
        QObject padre;
        Temporizzatore t(&padre);
        QVERIFY(!t.attivo());
        t.setInterval(5);
        QVERIFY(t.attivo());
        QSignalSpy tick(&t, &Temporizzatore::Timer);
        QVERIFY(tick.wait(1000));
        t.setInterval(0);
        QVERIFY(!t.attivo());
    }

    void formaCaricataUnaVoltaPrimaDiEssereMostrata()
    {
        FormaDiProva &f = istanza<FormaDiProva>();
        QCOMPARE(f.caricamenti, 0);
        f.Show();
        QCOMPARE(f.caricamenti, 1);
        QVERIFY(!f.visibileAlCaricamento);
        QVERIFY(f.isVisible());
        f.Show();
        QCOMPARE(f.caricamenti, 1);
        QCOMPARE(&istanza<FormaDiProva>(), &f);
        // Unloading ends this instance: the next use builds and loads a new one.
        f.Unload();
        QVERIFY(!f.isVisible());
        smaltisciEliminazioni();
        FormaDiProva &nuova = istanza<FormaDiProva>();
        nuova.Show();
        QCOMPARE(nuova.caricamenti, 1);
    }

    void mostraModaleAttendeLoScaricamento()
    {
        FormaDiProva proprietario;
        proprietario.Show();
        FormaDiProva &modale = istanza<FormaDiProva>();
        bool eraModale = false;
        QTimer::singleShot(0, &modale, [&modale, &eraModale] {
            eraModale = modale.isVisible() && QApplication::activeModalWidget() == &modale;
            modale.Unload();
        });
        modale.Show(&proprietario);
        QVERIFY(eraModale);
        QVERIFY(!modale.isVisible());
    }

    void chiusuraDallaCorniceScarica()
    {
        FormaDiProva &f = istanza<FormaDiProva>();
        f.Show();
        QSignalSpy scaricata(&f, &Forma::unloaded);
        f.close();
        QCOMPARE(scaricata.count(), 1);
        QVERIFY(f.scaricata());
    }

    void massimizzataRiempieLoSchermo()
    {
        FormaDiProva &f = istanza<FormaDiProva>();
        f.massimizza();
        // Until it is shown it keeps its design size.
        QCOMPARE(f.Width(), 6000.0);
        QCOMPARE(f.Height(), 4500.0);
        f.Show();
        const QRect disponibile = f.screen()->availableGeometry();
        QVERIFY(f.frameGeometry().contains(disponibile));
        QVERIFY(f.width() >= disponibile.width() - 8 && f.height() >= disponibile.height() - 8);
        QVERIFY(f.ridimensionamenti >= 1);
        QCOMPARE(toolkit::ScreenWidth(), f.screen()->geometry().width() * 15.0);
    }

    void clickSulFondoNonSulleEtichette()
    {
        FormaDiProva &f = istanza<FormaDiProva>();
        f.Show();
        QTest::mouseClick(&f, Qt::LeftButton, {}, QPoint(300, 250));
        QCOMPARE(f.click, 1);
        QTest::mouseClick(f.etichetta, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(f.click, 1);
    }

    void fineProgramma()
    {
        FormaDiProva &f = istanza<FormaDiProva>();
        f.Show();
        int uscite = 0;
        toolkit::impostaUscita([&uscite] { ++uscite; });
        toolkit::End();
        QVERIFY(toolkit::programmaTerminato());
        QVERIFY(!f.isVisible());
        QCOMPARE(uscite, 1);
        toolkit::azzeraTerminazione();
    }
};

QTEST_MAIN(TestToolkit)
#include "tst_toolkit.moc"
