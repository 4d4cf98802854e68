#include "formb.h"

#include "modulo1.h"

#include "content/categorie.h"
#include "screens/classificaform.h"
#include "screens/frm_errori.h"
#include "services/audio.h"
#include "services/cornice.h"
#include "services/disegno.h"
#include "services/etichetta.h"
#include "services/orologio.h"
#include "services/pulsante.h"
#include "services/ridimschermo.h"
#include "services/suggerimento.h"
#include "services/temporizzatore.h"
#include "services/toolkit.h"
#include "services/voce.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QtMath>

#include <algorithm>
#include <cmath>

using namespace Modulo1;
using namespace disegno;

namespace {

constexpr QRgb verde = 0x91C691;
constexpr QRgb rosa = 0xFFC0C0;
constexpr QRgb rosso = 0xFF0000;
constexpr QRgb verdeScuro = 0x004000;
constexpr double durataFlash = 1.0;
constexpr int tentativiMassimi = 10000;

// ---- Layout: design values in twips, relative to the container. ----------

struct Frame
{
    Cornice *FormB::*controllo;
    Cornice *FormB::*contenitore; // nullptr: the form itself
    const char *caption;
    long long back, fore;
    Geometria g;
    Carattere c;
};

const Frame cornici[] = {
    // control        container        caption     back      fore         L     T     W      H     font
    {&FormB::Frame5, nullptr,         "",         0x0000FF, predefinito, {45, 8100, 11985, 780}, {"Arial", 8.25, 400}},
    {&FormB::Frame1, &FormB::Frame5,  "risposte", predefinito, predefinito, {2070, 135, 1350, 690}, {"Arial", 9.75, 700}},
    {&FormB::Frame2, &FormB::Frame5,  "errori",   predefinito, 0xC00000, {3510, 135, 1095, 645}, {"Arial", 9.75, 700}},
    {&FormB::Frame3, &FormB::Frame5,  "errori %", predefinito, 0xC00000, {4680, 135, 1350, 645}, {"Arial", 9.75, 700}},
};

struct Label
{
    Etichetta *FormB::*controllo;
    Cornice *FormB::*contenitore;
    const char *caption;
    long long back, fore;
    Geometria g;
    Carattere c;
    unsigned stile;
};

const Label etichette[] = {
    // control                 container       caption       back         fore         L      T     W      H     font                          style
    {&FormB::AVVISO,          nullptr,        "AVVISO",     0xC0FFFF,    0xFF0000,    {45, 0, 11910, 420},    {"Arial", 18, 700, true},   Opaca | Centrata},
    {&FormB::FRASE_INTERA_A,  nullptr,        "",           0xFFFF80,    predefinito, {180, 450, 75, 330},    {"Arial", 14.25, 700},      Opaca | AutoSize},
    {&FormB::FRASE_INTERA_B,  nullptr,        "",           0xFFFF80,    predefinito, {180, 810, 75, 330},    {"Arial", 14.25, 700},      Opaca | AutoSize},
    {&FormB::gratifica,       nullptr,        "",           predefinito, 0xFF0000,    {6075, 2475, 150, 660}, {"Arial", 27.75, 700},      AutoSize},
    {&FormB::Lbclock,         &FormB::Frame5, "0",          predefinito, predefinito, {720, 225, 195, 435},   {"Arial", 18, 700},         AutoSize},
    {&FormB::Lrisposte,       &FormB::Frame1, "_",          predefinito, predefinito, {540, 225, 1275, 1380}, {"Arial", 18, 700},         AutoSize},
    {&FormB::Lerrori,         &FormB::Frame2, "_",          predefinito, 0xC00000,    {450, 180, 795, 435},   {"Arial", 18, 700},         AutoSize},
    {&FormB::Lpercentuale,    &FormB::Frame3, "_",          predefinito, 0xC00000,    {270, 225, 180, 360},   {"Arial", 15.75, 700},      AutoSize | ADestra},
    {&FormB::Label8,          &FormB::Frame3, "%",          predefinito, 0xC00000,    {900, 180, 255, 360},   {"Arial", 15.75, 700},      AutoSize},
    {&FormB::Label1,          &FormB::Frame5, "n° domanda", predefinito, predefinito, {6255, 225, 1980, 405}, {"Arial", 18, 400},         AutoSize},
};

// LbFrasi: right of the phrases, between the word of praise and VIA.
const Geometria posizioneFrasiInUso = {6300, 3330, 5580, 330};
const Carattere carattereFrasiInUso = {"Arial", 9.75, 700};

// Lbmostra(1..8): one phrase per line, each further right than the one above.
const Geometria posizioniSintagmi[] = {
    {180, 1260, 105, 330}, {270, 1710, 105, 330}, {360, 2160, 105, 330}, {450, 2610, 105, 330},
    {540, 3060, 105, 330}, {630, 3555, 105, 330}, {720, 4005, 75, 330},  {855, 4455, 75, 330},
};
const Carattere carattereSintagmi = {"Arial", 14.25, 700};

struct Button
{
    Pulsante *FormB::*controllo;
    Cornice *FormB::*contenitore;
    const char *caption;
    long long back;
    Geometria g;
    Carattere c;
};

const Button pulsanti[] = {
    // control            container       caption          back      L      T     W     H     font
    {&FormB::VIA,        nullptr,        "VIA",           0xC0C0C0, {3870, 3825, 7830, 915}, {"Arial", 18, 700}},
    {&FormB::Command8,   &FormB::Frame5, "mostra errori", 0xFFC0C0, {8505, 135, 1845, 585},  {"Arial", 12, 700}},
    {&FormB::FINE,       &FormB::Frame5, "FINE",          0x00C0C0, {10395, 135, 1635, 600}, {"MS Sans Serif", 18, 700}},
};

// Com(1..16), in code order; caption and colour come from the category table.
const Geometria posizioniCategorie[] = {
    {135, 4860, 2625, 825}, {3105, 4860, 2625, 825}, {6075, 4860, 2625, 825}, {9045, 4860, 2625, 825},
    {135, 5625, 2625, 825}, {3105, 5670, 2625, 825}, {6075, 5670, 2625, 825}, {9045, 5670, 2625, 825},
    {135, 6435, 2625, 825}, {3105, 6480, 2625, 825}, {6075, 6480, 2625, 825}, {9045, 6480, 2625, 825},
    {135, 7245, 2625, 870}, {3105, 7290, 2625, 825}, {6075, 7290, 2625, 825}, {9045, 7290, 2625, 825},
};
const Carattere carattereCategorie = {"Arial", 12.75, 700};

// The speaker, with the voice on: in the free corner right of the first
// phrases, below the sentence and above the word of praise.
const Geometria posizioneAltoparlante = {10920, 1260, 900, 810};

// Keyboard order of the category buttons after VIA; FINE and Command8 follow.
const int ordineTab[] = {2, 3, 4, 5, 6, 7, 1, 8, 9, 10, 11, 12, 13, 14, 15, 16};

QColor colore(QRgb rgb)
{
    return QColor::fromRgb(rgb);
}

// The theme's colour of button text: phrases already classified, "No riprova".
QColor testoPulsanti()
{
    return QApplication::palette().color(QPalette::ButtonText);
}

// What a category button says with the voice on: its name and the question
// it answers ("complemento di moto da luogo: Da dove?"); ALTRO, which
// answers none, the first line of its tip.
QString perLaVoce(const Categoria &c)
{
    const QString riga = QString::fromUtf8(c.domanda).section(QLatin1Char('\n'), 0, 0);
    // The questions open the line, before its first full stop or semicolon.
    qsizetype fine = -1;
    for (qsizetype i = 0; i < riga.size() && riga.at(i) != QLatin1Char('.') && riga.at(i) != QLatin1Char(';'); ++i)
        if (riga.at(i) == QLatin1Char('?'))
            fine = i;
    return QString::fromUtf8(c.caption).simplified().toLower() + QStringLiteral(": ") + (fine >= 0 ? riga.left(fine + 1) : riga);
}

// A loudspeaker with two waves, drawn large: the icon scales down to the button.
QIcon iconaAltoparlante()
{
    QPixmap figura(96, 96);
    figura.fill(Qt::transparent);
    QPainter p(&figura);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0x20, 0x20));
    p.drawPolygon(QPolygonF({{10, 36}, {28, 36}, {52, 14}, {52, 82}, {28, 60}, {10, 60}}));
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(44, 30, 24, 36), -50 * 16, 100 * 16);
    p.drawArc(QRectF(40, 16, 44, 64), -50 * 16, 100 * 16);
    return QIcon(figura);
}

// The r-th of the rows not shown yet, r drawn from the generator.
bool estraitranonusate(Orologio &orologio)
{
    int nonusate = 0;
    for (int n = 0; n < totalefrasi; ++n)
        nonusate += usata(n) == 0;
    if (nonusate == 0)
        return false;
    int k = std::clamp(int(double(orologio.Rnd()) * nonusate), 0, nonusate - 1);
    for (int n = 0;; ++n)
        if (usata(n) == 0 && k-- == 0) {
            numerofrase = n;
            return true;
        }
}

// Draws a row not shown yet into numerofrase; false when the bank is used up.
// The bank compiled into the program draws over rows 0 .. totalefrasi - 1
// until it hits one not shown, and gives up after 10000 misses: sound for
// its 100 rows. A teacher's bank may have 2000, where the misses would give
// up now and then with rows still unshown: it draws among those instead.
bool estraifrase(Orologio &orologio)
{
    if (!frasiinsegnante.isEmpty())
        return estraitranonusate(orologio);
    int mancati = 0;
    for (;;) {
        numerofrase = int(orologio.Rnd() * float(int(totalefrasi)));
        if (usata(numerofrase) == 0)
            return true;
        if (++mancati > tentativiMassimi)
            return false;
    }
}

} // namespace

FormB::FormB()
    : Forma(12000, 9000)
{
    setWindowTitle(QStringLiteral("Form1"));
    setBackColor(colore(verde));
    creaControlli();
    Timer1 = new Temporizzatore(this);
    connect(Timer1, &Temporizzatore::Timer, this, &FormB::Timer1_Timer);
    Timer1->setInterval(1000);
}

void FormB::creaControlli()
{
    auto contenitore = [this](Cornice *FormB::*c) -> QWidget * {
        return c ? static_cast<QWidget *>(this->*c) : this;
    };
    // Frames first (they hold other controls), then labels, then buttons on
    // top: VIA lies over the right-hand end of the phrase lines.
    for (const Frame &f : cornici)
        this->*f.controllo = cornice(contenitore(f.contenitore), QString::fromUtf8(f.caption), f.back, f.fore, f.g, f.c);
    for (const Label &e : etichette)
        this->*e.controllo = etichetta(contenitore(e.contenitore), QString::fromUtf8(e.caption), e.back, e.fore, e.g, e.c, e.stile);
    for (const Geometria &g : posizioniSintagmi)
        Lbmostra.aggiungi(etichetta(this, QString(), predefinito, verdeScuro, g, carattereSintagmi, AutoSize));
    FRASE_INTERA_A->setVisible(false);
    if (!frasiinuso.isEmpty())
        LbFrasi = etichetta(this, frasiinuso, predefinito, verdeScuro, posizioneFrasiInUso, carattereFrasiInUso, AutoSize);
    for (const Button &b : pulsanti)
        this->*b.controllo = pulsante(contenitore(b.contenitore), QString::fromUtf8(b.caption), b.back, b.g, b.c);
    for (const Categoria &c : categorie) {
        Com.aggiungi(pulsante(this, QString::fromUtf8(c.caption), c.colore, posizioniCategorie[c.codice - 1], carattereCategorie));
        suggerimento(Com(c.codice), QString::fromUtf8(c.domanda), perLaVoce(c));
    }
    if (voce::attiva())
        creaAltoparlante();

    connect(VIA, &Pulsante::clicked, this, &FormB::VIA_Click);
    Com.suClick(this, [this](int i) { com_Click(i); });
    connect(Command8, &Pulsante::clicked, this, &FormB::Command8_Click);
    connect(FINE, &Pulsante::clicked, this, &FormB::FINE_Click);

    QWidget *precedente = VIA;
    for (int i : ordineTab) {
        setTabOrder(precedente, Com(i));
        precedente = Com(i);
    }
    setTabOrder(precedente, FINE);
    setTabOrder(FINE, Command8);
}

void FormB::creaAltoparlante()
{
    Altoparlante = pulsante(this, QString(), predefinito, posizioneAltoparlante, carattereCategorie);
    Altoparlante->setIcon(iconaAltoparlante());
    // Clicking it leaves the keyboard focus on the category button it was on.
    Altoparlante->setFocusPolicy(Qt::NoFocus);
    Altoparlante->setAccessibleName(QStringLiteral("Rileggi la frase"));
    suggerimento(Altoparlante, QStringLiteral("Rileggi la frase e il sintagma in rosso (tasto L)"));
    connect(Altoparlante, &Pulsante::clicked, this, &FormB::Altoparlante_Click);
}

void FormB::registraControlli()
{
    using ridimschermo::controlli;
    ridimschermo::numerocontrolli = short(41 + (LbFrasi != nullptr) + (Altoparlante != nullptr));
    ridimschermo::preparacontrolli();
    ridimschermo::formcorrente = this;
    QWidget *const primi[] = {AVVISO,    gratifica, Label1,       Frame1,   Frame2,         Frame3,
                              Lrisposte, Lerrori,   Lpercentuale, Command8, VIA,            FINE,
                              Lbclock,   FRASE_INTERA_A, FRASE_INTERA_B, Label8};
    for (int i = 0; i < 16; ++i)
        controlli[i + 1] = primi[i];
    for (int k = 1; k <= 16; ++k)
        controlli[16 + k] = Com(k);
    for (int k = 1; k <= 8; ++k)
        controlli[32 + k] = Lbmostra(k);
    controlli[41] = Frame5;
    int ultimo = 41;
    if (LbFrasi)
        controlli[++ultimo] = LbFrasi;
    if (Altoparlante)
        controlli[++ultimo] = Altoparlante;
}

void FormB::Form_Load()
{
    registraControlli();
    audio::suona(QStringLiteral("premivia"));
    ridimschermo::adattaschermo();
    AVVISO->setCaption(QStringLiteral("Clicca sul tasto VIA per partire"));
    risposte = 0;
    errori = 0;
    orologioattivo = false;
    tempomigliore = 200;
    for (int i = 1; i <= 16; ++i) {
        Com(i)->setEnabled(false);
        Com(i)->setVisible(true);
    }
    totalefrasi = 100;
    domandeperserie = 20;
    caricafrasi();
    VIA->setFocus();
}

void FormB::Form_Resize()
{
    ridimschermo::ridimensiona();
    m_postoVIA = VIA->geometry();
    m_postoGratifica = gratifica->pos();
    liberaVIA();
    liberaGratifica();
    if (Altoparlante)
        Altoparlante->setIconSize(Altoparlante->size() * 3 / 4);
}

// Where a control beside the phrase lines must start to leave them whole:
// right of the ink of every phrase that reaches into its place, with a small
// gap; its own left edge when no phrase reaches it (a phrase that ends just
// short of it moves nothing).
int FormB::dopoISintagmi(const QRect &posto) const
{
    const int margine = std::max(2, height() / 150);
    int sinistra = posto.left();
    for (int j = 1; j <= 8; ++j) {
        const Etichetta *e = Lbmostra(j);
        const QString testo = e->caption().trimmed();
        if (testo.isEmpty() || !e->isVisible() || e->y() > posto.bottom() || e->geometry().bottom() < posto.top())
            continue;
        const int fine = e->x() + e->contentsRect().left()
                         + qCeil(QFontMetricsF(e->carattereDipinto()).horizontalAdvance(testo));
        if (fine > posto.left())
            sinistra = std::max(sinistra, fine + margine);
    }
    return sinistra;
}

// VIA comes back over the lower phrase lines once a sentence is complete.
// When a phrase reaches under it (a teacher's long phrases), VIA starts just
// right of the phrase, its right edge where it was; otherwise it stays in its
// place.
void FormB::liberaVIA()
{
    if (m_postoVIA.isNull())
        m_postoVIA = VIA->geometry();
    QRect posto = m_postoVIA;
    // Never narrower than a third of its width: the caption stays whole.
    posto.setLeft(std::min(dopoISintagmi(posto), posto.right() - m_postoVIA.width() / 3));
    VIA->setGeometry(posto);
}

// The word of praise, likewise, moves right of a long phrase beside it, as
// far as the window lets it.
void FormB::liberaGratifica()
{
    if (m_postoGratifica.isNull())
        m_postoGratifica = gratifica->pos();
    const QRect posto(m_postoGratifica, gratifica->size());
    const int x = std::min(dopoISintagmi(posto), std::max(posto.left(), width() - posto.width()));
    gratifica->move(x, posto.top());
}

void FormB::closeEvent(QCloseEvent *event)
{
    // Closing the window ends the program, as FINE does, side windows included.
    event->accept();
    FINE_Click();
}

void FormB::abilitaCategorie(bool abilitate)
{
    // Disabling the button that has the focus sends the focus on to the next
    // button, which is disabled in turn: sixteen moves, most of the cost of a
    // hold outside its paint. The focus is taken off at once instead; the
    // handlers give it back where it belongs (rimettiFuoco).
    if (!abilitate) {
        QWidget *const fuoco = focusWidget();
        for (int i = 1; fuoco && i <= 16; ++i)
            if (Com(i) == fuoco && fuoco->isEnabled())
                fuoco->clearFocus();
    }
    for (int i = 1; i <= 16; ++i)
        Com(i)->setEnabled(abilitate);
}

// ---- Presenting a sentence ---------------------------------------------------

void FormB::VIA_Click()
{
    Orologio &orologio = Orologio::corrente();
    audio::suona(QStringLiteral("rumorevia"));
    VIA->setVisible(false);
    gratifica->setCaption(QString());
    AVVISO->setCaption(QStringLiteral("Classifica la parte in rosso  "));
    if (!orologioattivo) {
        inizioserie = orologio.monotono();
        inizio = orologio.monotono();
    }
    orologioattivo = true;
    orologio.Randomize();

    if (!estraifrase(orologio)) {
        AVVISO->setCaption(QStringLiteral("TUTTE LA FRASI SONO COMPLETATE"));
        audio::suona(QStringLiteral("conga"));
        abilitaCategorie(false);
        // With VIA gone the focus fell on FINE, where one more Space would
        // end the program: the window itself takes it, and ignores keys.
        setFocus();
        return;
    }

    const int n = numerofrase;
    usata(n) = 1;
    // A teacher counts her sentences from 1.
    Label1->setCaption(QStringLiteral("frase n°") + QString::number(frasiinsegnante.isEmpty() ? n : n + 1));
    for (int j = 1; j <= 8; ++j) {
        Lbmostra(j)->setVisible(true);
        Lbmostra(j)->setForeColor(colore(verdeScuro));
        Lbmostra(j)->setCaption(frasi(n, j));
    }
    FRASE_INTERA_A->setCaption(fraseinteraa(n));
    FRASE_INTERA_B->setCaption(fraseinterab(n));
    FRASE_INTERA_A->setVisible(true);
    FRASE_INTERA_B->setVisible(fraseinterab(n).size() >= regolebanca::rigaBVisibile);
    numerosintagma = 1;
    codiceatteso = codici(n, 1);
    Lbmostra(1)->setForeColor(colore(rosso));
    abilitaCategorie(true);
    Com(1)->setFocus();
    leggiFrase();
}

// With the voice on: the sentence as the screen shows it, both lines, then
// after a pause the phrase in red.
void FormB::leggiFrase()
{
    QString frase = FRASE_INTERA_A->caption();
    if (!FRASE_INTERA_B->isHidden())
        frase += QLatin1Char(' ') + FRASE_INTERA_B->caption();
    const int rosso = std::min(int(numerosintagma), int(codici(numerofrase, 0)));
    voce::leggi({frase.simplified(), Lbmostra(rosso)->caption().trimmed()});
}

// The speaker, or the key L: the sentence and the phrase in red again;
// before the first sentence, the line that says what to do.
void FormB::Altoparlante_Click()
{
    if (numerofrase.vuota())
        voce::leggi(AVVISO->caption());
    else
        leggiFrase();
}

void FormB::keyPressEvent(QKeyEvent *event)
{
    const bool conModificatori = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (Altoparlante && event->key() == Qt::Key_L && !conModificatori) {
        Altoparlante_Click();
        return;
    }
    Forma::keyPressEvent(event);
}

// ---- Judging an answer ---------------------------------------------------------

void FormB::com_Click(int Index)
{
    // Disabling the buttons for the hold moves the keyboard focus away; it
    // comes back afterwards, so a pupil using Tab and Space is not lost.
    const QPointer<QWidget> fuoco = QApplication::focusWidget();
    risposta = Index;
    if (risposta == codiceatteso) {
        audio::suonacasuale(QStringLiteral("esatto"));
        flash(QStringLiteral("BRAVO!!!"));
        aggiornastatistiche();
        numerosintagma = numerosintagma + 1;
        if (numerosintagma > codici(numerofrase, 0)) {
            flash(QStringLiteral("BRAVO!!!"));
            audio::suona(QStringLiteral("premivia"));
            gratifica->setCaption(QStringLiteral("COMPLETATA"));
            liberaGratifica();
            AVVISO->setCaption(QStringLiteral("Bene, hai completato questa frase; ora premi il VIA per proseguire."));
            abilitaCategorie(false);
            liberaVIA();
            VIA->setVisible(true);
        } else {
            codiceatteso = codici(numerofrase, numerosintagma);
            Lbmostra(numerosintagma)->setForeColor(colore(rosso));
            Lbmostra(numerosintagma - 1)->setForeColor(testoPulsanti());
            voce::leggi(Lbmostra(numerosintagma)->caption().trimmed());
        }
    } else {
        setEnabled(false);
        setBackColor(colore(rosa));
        audio::suona(QStringLiteral("sbagliato1"));
        gratifica->setForeColor(testoPulsanti());
        flash(QStringLiteral("No riprova"));
        setBackColor(colore(verde));
        setEnabled(true);
        gratifica->setForeColor(colore(rosso));
        erroricategoria(codiceatteso) = erroricategoria(codiceatteso) + 1;
        errori = errori + 1;
        aggiornastatistiche();
    }
    rimettiFuoco(fuoco);
}

void FormB::rimettiFuoco(QWidget *prima)
{
    if (VIA->isVisible()) {
        VIA->setFocus();
        return;
    }
    if (prima && prima->window() == this && prima->isVisible() && prima->isEnabled())
        prima->setFocus();
}

// ---- The one-second hold ------------------------------------------------------

void FormB::flash(const QString &testo)
{
    Orologio &orologio = Orologio::corrente();
    gratifica->setCaption(testo);
    liberaGratifica();
    sospendiSuggerimenti(true);
    const double t0 = orologio.monotono();
    bool mostrato = false;
    while (orologio.monotono() < t0 + durataFlash) {
        abilitaCategorie(false);
        if (!mostrato) {
            // Nothing is handled during the hold, so paint now: the word, the
            // disabled buttons and a pink background must be seen throughout.
            mostraPrimaDellAttesa();
            mostrato = true;
        }
        orologio.attendi(t0 + durataFlash - orologio.monotono());
    }
    // A second click of a double-click, or a child clicking on and on, was
    // given during the hold, to a screen that has moved on since, and is no
    // answer: now, in the queue, or whenever a slow PC delivers it.
    toolkit::scartaInputArretrato();
    sospendiSuggerimenti(false);
    gratifica->setCaption(QString());
    abilitaCategorie(true);
}

void FormB::mostraPrimaDellAttesa()
{
    // After a right answer only the word and the category buttons change;
    // after a wrong one the whole screen is pink and disabled.
    if (!isEnabled()) {
        repaint();
        return;
    }
    QRect griglia;
    for (int i = 1; i <= 16; ++i)
        griglia |= Com(i)->geometry();
    repaint(QRegion(griglia) | gratifica->geometry());
}

// ---- Statistics, clock, end of series -------------------------------------------

void FormB::aggiornastatistiche()
{
    risposte = risposte + 1;
    Lrisposte->setCaption(risposte.testo());
    const double percentuale = std::floor(double(errori) / double(risposte) * 100.0);
    Lpercentuale->setCaption(QString::number(qint64(percentuale)));
    Lerrori->setCaption(errori.testo());
    if (risposte >= domandeperserie)
        classifica(short(errori));
}

void FormB::Timer1_Timer()
{
    if (!orologioattivo)
        return;
    const double trascorsi = Orologio::corrente().monotono() - inizio;
    Lbclock->setCaption(QString::number(qint64(std::floor(trascorsi))));
}

void FormB::classifica(short errori)
{
    if (errori < 1)
        livello = 5;
    else if (errori == 1)
        livello = 4;
    else if (errori == 2)
        livello = 3;
    else if (errori == 3)
        livello = 2;
    else
        livello = 1;
    istanza<classificaform>().Show(this);
    // A hold may follow at once, and nothing is painted during it: what the
    // grade screen covered must be on the display again before.
    attendiScopertura();
}

// ---- The ways out -------------------------------------------------------------

void FormB::Command8_Click()
{
    FRM_ERRORI &revisione = istanza<FRM_ERRORI>();
    revisione.Show();
    for (int c = 1; c <= 16; ++c)
        revisione.RR(c)->setCaption(erroricategoria(c).testo());
}

void FormB::FINE_Click()
{
    audio::suona(QStringLiteral("congafine"));
    toolkit::End();
}
