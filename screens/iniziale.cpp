#include "iniziale.h"

#include "exercise/formb.h"
#include "exercise/modulo1.h"
#include "services/audio.h"
#include "services/disegno.h"
#include "services/etichetta.h"
#include "services/ridimschermo.h"
#include "services/temporizzatore.h"

using namespace disegno;

namespace {

// ---- Layout: design values in twips, scaled to the display. -----------------

struct Label
{
    Etichetta *Iniziale::*controllo;
    const char *caption;
    Geometria g;
    double punti;
    unsigned allineamento;
};

const Label etichette[] = {
    // control            caption                                          L     T     W      H     size   alignment
    {&Iniziale::Label2, "Programma per l'autoapprendimento",             {990, 2040, 9975, 510},  21.75, Centrata},
    {&Iniziale::Label5, "della",                                         {4950, 2760, 1365, 510}, 21.75, Centrata},
    {&Iniziale::Label1, "Parsilia ",                                     {2475, 3375, 7125, 990}, 42,    Centrata},
    {&Iniziale::Label8, "( parte seconda)",                              {3780, 4680, 4230, 510}, 21.75, 0},
    {&Iniziale::Label6, "Idea e progetto: la redazione di Parsilia",     {3060, 6240, 5655, 330}, 14.25, Centrata},
    {&Iniziale::Label4, "Cura didattica: gli insegnanti di Parsilia",    {2835, 6720, 5955, 330}, 14.25, Centrata},
    {&Iniziale::Label3, "Sviluppo del software: la squadra di Parsilia", {2250, 7200, 7425, 330}, 14.25, Centrata},
};
constexpr QRgb giallo = 0xFFFF00;
const Geometria posizioneFrasiInUso = {990, 7800, 9975, 330};
constexpr int pesoTitolo = 900;

} // namespace

Iniziale::Iniziale()
    : Forma(11880, 8535)
{
    setWindowTitle(QStringLiteral("Form1"));
    setBackColor(QColor::fromRgb(0x3C50DB));
    for (const Label &e : etichette)
        this->*e.controllo = etichetta(this, QString::fromUtf8(e.caption), predefinito, giallo, e.g,
                                       {"Bookman Old Style", e.punti, pesoTitolo}, AutoSize | e.allineamento);
    if (!Modulo1::frasiinuso.isEmpty())
        LbFrasi = etichetta(this, Modulo1::frasiinuso, predefinito, giallo, posizioneFrasiInUso, {"Arial", 12, 700},
                            AutoSize | Centrata);
    Timer1 = new Temporizzatore(this);
    connect(Timer1, &Temporizzatore::Timer, this, &Iniziale::Timer1_Timer);
}

void Iniziale::Form_Load()
{
    ridimschermo::numerocontrolli = LbFrasi ? 8 : 7;
    ridimschermo::preparacontrolli();
    ridimschermo::formcorrente = this;
    Etichetta *const registrate[] = {Label1, Label2, Label5, Label4, Label6, Label3, Label8};
    for (int i = 0; i < 7; ++i)
        ridimschermo::controlli[i + 1] = registrate[i];
    if (LbFrasi)
        ridimschermo::controlli[8] = LbFrasi;
    ridimschermo::adattaschermo();
    audio::suona(QStringLiteral("conga"));
    Timer1->setInterval(6000);
}

void Iniziale::Timer1_Timer()
{
    apriEsercizio();
}

void Iniziale::Form_Click()
{
    apriEsercizio();
}

void Iniziale::Form_Resize()
{
    ridimschermo::ridimensiona();
}

void Iniziale::apriEsercizio()
{
    // Whichever comes first, the tick or the click, hands over once.
    if (scaricata())
        return;
    Timer1->setInterval(0);
    istanza<FormB>().Show();
    Unload();
}
