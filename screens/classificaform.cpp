#include "classificaform.h"

#include "exercise/modulo1.h"
#include "services/disegno.h"
#include "services/etichetta.h"
#include "services/figura.h"
#include "services/orologio.h"
#include "services/pulsante.h"
#include "services/toolkit.h"
#include "services/voce.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QKeyEvent>

#include <cmath>

using namespace Modulo1;
using namespace disegno;

namespace {

// ---- Layout: design values in twips; this screen is never scaled. ----------

struct Label
{
    Etichetta *classificaform::*controllo;
    const char *caption;
    long long back, fore;
    Geometria g;
    Carattere c;
    unsigned stile;
};

const Label etichette[] = {
    // control                         caption                                            back         fore         L     T     W     H    font                             style
    {&classificaform::Label5,        "livello raggiunto nell'ultima serie di domande",  predefinito, predefinito, {960, 240, 5565, 360},  {"MS Sans Serif", 13.5, 400},    AutoSize},
    {&classificaform::RISULTATO,     "RISULTATO",                                       0xFFFF80,    0x0000FF,    {1725, 720, 2925, 615}, {"Arial", 26.25, 700},           AutoSize | Opaca | Centrata},
    {&classificaform::LbNuovoRecord, "nuovo record",                                    predefinito, 0xFF0000,    {360, 1665, 3750, 675}, {"Arial", 29.25, 700},           AutoSize},
    {&classificaform::Label2,        "tempo migliore",                                  predefinito, predefinito, {4995, 1530, 1695, 285}, {"Arial", 12, 700},             AutoSize},
    {&classificaform::LbTrecord,     "xxx",                                             predefinito, 0xFF0000,    {4815, 1800, 720, 510}, {"Arial", 21.75, 700},           AutoSize},
    {&classificaform::Label1,        "secondi",                                         predefinito, 0xFF0000,    {5760, 1980, 915, 285}, {"Arial", 12, 700},              AutoSize},
};

// The grades, top to bottom as they stand on the screen.
struct Grado
{
    int codice;
    Etichetta *classificaform::*riga;
    const char *nome;
    const char *messaggio;
    QRgb colore;
    Variante *conteggio;
    MatriceControlli<Figura> classificaform::*punti;
    Geometria g; // of the row label
    double cimaPunti;
};

const Grado gradi[] = {
    // code  row label                        caption                message                 colour    tally                        dots                           L     T     W     H    dots' top
    {5, &classificaform::LbOttimo,      "OTTIMO",              "ottimo!!!",           0xFFFF00, &Modulo1::contaottimo,      &classificaform::ShOttimo,      {2976, 2496, 1308, 348}, 2600},
    {4, &classificaform::LbDistinto,    "DISTINTO",            "distinto!! ",         0x00C000, &Modulo1::contadistinto,    &classificaform::ShDistinto,    {2976, 3024, 1308, 348}, 3100},
    {3, &classificaform::LbBuono,       "BUONO",               "buono!",              0x80FF80, &Modulo1::contabuono,       &classificaform::ShBuono,       {2976, 3504, 1308, 348}, 3600},
    {2, &classificaform::LbSufficiente, "SUFFICIENTE",         "sufficiente",         0xC0FFFF, &Modulo1::contasufficiente, &classificaform::ShSufficiente, {2352, 3984, 1932, 348}, 4100},
    {1, &classificaform::LbOccorre,     "OCCORRE ESERCITARSI", "occorre esercitarsi", 0xFF8080, &Modulo1::contaoccorre,     &classificaform::ShOccorre,     {912, 4512, 3372, 348},  4600},
};
const Carattere carattereGradi = {"Arial", 13.5, 700};

// Dot i of a row: a filled circle of 195 x 195 at 4500 + 225 (i - 1).
constexpr double primoPunto = 4500, passoPunti = 225, latoPunto = 195;
constexpr int puntiPerRiga = 10;

} // namespace

classificaform::classificaform()
    : Forma(7665, 6690)
{
    setWindowTitle(QStringLiteral("Form1"));
    setBackColor(QColor::fromRgb(0xC0C0C0));
    creaControlli();
    connect(Command1, &Pulsante::clicked, this, &classificaform::Command1_Click);
}

void classificaform::creaControlli()
{
    Shape1 = new Figura(Figura::Tipo::Rettangolo, this);
    toolkit::Move(Shape1, 45, 225, 7545, 6375);
    Shape1->setBorderColor(QColor::fromRgb(0x0000FF));
    // A wide outline runs along the middle of the rectangle's edge, half of
    // it outside: the shape grows by half the line on every side.
    const int lineaShape1 = 10;
    Shape1->setBorderWidth(lineaShape1);
    Shape1->setGeometry(Shape1->geometry().adjusted(-lineaShape1 / 2, -lineaShape1 / 2, lineaShape1 / 2, lineaShape1 / 2));
    for (const Label &e : etichette)
        this->*e.controllo = etichetta(this, QString::fromUtf8(e.caption), e.back, e.fore, e.g, e.c, e.stile);
    // The top caption stands on the frame's wide border: where the font
    // (Windows' own, for one) reaches higher than the design's, it moves
    // down just enough for its letters to clear the border.
    const int dentroLaCornice = Shape1->y() + lineaShape1 + 1;
    const QFontMetricsF m(Label5->carattereDipinto());
    const double cimaLettere = Label5->y() + Label5->contentsRect().top() + m.ascent() + m.tightBoundingRect(Label5->caption()).top();
    if (cimaLettere < dentroLaCornice)
        Label5->move(Label5->x(), Label5->y() + int(std::ceil(dentroLaCornice - cimaLettere)));
    for (const Grado &g : gradi) {
        this->*g.riga = etichetta(this, QString::fromUtf8(g.nome), g.colore, 0x000000, g.g, carattereGradi, Opaca | ADestra);
        for (int i = 1; i <= puntiPerRiga; ++i) {
            auto *punto = new Figura(Figura::Tipo::Cerchio, this);
            toolkit::Move(punto, primoPunto + passoPunti * (i - 1), g.cimaPunti, latoPunto, latoPunto);
            punto->setFillColor(QColor::fromRgb(g.colore));
            punto->setBorderColor(QColor::fromRgb(g.colore));
            (this->*g.punti).aggiungi(punto);
        }
    }
    Command1 = pulsante(this, QStringLiteral("PROSEGUI"), predefinito, {540, 5490, 6156, 876}, {"MS Sans Serif", 18, 700});
    Command1->setFocus();
}

void classificaform::Form_Load()
{
    for (int i = 1; i <= puntiPerRiga; ++i)
        for (const Grado &g : gradi)
            (this->*g.punti)(i)->setVisible(true);

    for (const Grado &g : gradi) {
        if (livello != g.codice)
            continue;
        RISULTATO->setCaption(QString::fromUtf8(g.messaggio));
        RISULTATO->setBackColor(QColor::fromRgb(g.colore));
        voce::leggi(QString::fromUtf8(g.nome));
        *g.conteggio = *g.conteggio + 1;
        if (*g.conteggio > puntiPerRiga)
            *g.conteggio = puntiPerRiga;
        break;
    }

    for (const Grado &g : gradi)
        for (int i = *g.conteggio + 1; i <= puntiPerRiga; ++i)
            (this->*g.punti)(i)->setVisible(false);

    LbNuovoRecord->setCaption(QString());
    // The series' length on the monotonic clock: true across midnight too.
    const double trascorso = Orologio::corrente().monotono() - inizioserie;
    if (livello == 5 && trascorso < tempomigliore) {
        LbNuovoRecord->setCaption(QStringLiteral("Nuovo Record!"));
        // Cut to tenths, then rounded with halves to the even number.
        const double decimi = std::floor(trascorso * 10.0) / 10.0;
        tempomigliore = static_cast<short>(std::nearbyint(decimi));
    }
    LbTrecord->setCaption(QString::number(tempomigliore));
}

void classificaform::Command1_Click()
{
    risposte = 0;
    errori = 0;
    inizioserie = Orologio::corrente().monotono();
    Unload();
}

// At the end of a series, Escape and the window's close box would otherwise
// leave the series at its twentieth answer, so that every later answer graded
// it again: there both do exactly what PROSEGUI does. The standings view is
// only looked at, in the middle of a series: there they only close it.
void classificaform::chiudi()
{
    if (livello >= 1 && livello <= 5)
        Command1_Click();
    else
        Unload();
}

// Enter does what PROSEGUI, the screen's only button, does.
void classificaform::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        chiudi();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Command1_Click();
        return;
    default:
        Forma::keyPressEvent(event);
    }
}

void classificaform::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (!scaricata())
        chiudi();
}
