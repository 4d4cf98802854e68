#include "frm_errori.h"

#include "classificaform.h"

#include "exercise/formb.h"
#include "exercise/modulo1.h"
#include "services/disegno.h"
#include "services/etichetta.h"
#include "services/pulsante.h"
#include "services/suggerimento.h"

using namespace disegno;

namespace {

// ---- Layout: design values in twips; this screen is never scaled. ----------

struct Riga
{
    Geometria conteggio; // RR(k)
    double leftNome, topNome; // Lberrori k
};

const Riga righe[16] = {
    // RR(k): L     T     W    H         Lberrori k: L, T
    {{1200, 0, 975, 375},    1560, 0},
    {{1200, 360, 972, 372},  1560, 360},
    {{1200, 720, 972, 372},  1560, 720},
    {{1200, 1080, 972, 372}, 1560, 1080},
    {{1200, 1440, 972, 372}, 1560, 1440},
    {{1200, 1800, 972, 372}, 1560, 1800},
    {{1200, 2160, 972, 372}, 1560, 2160},
    {{1200, 2520, 972, 372}, 1560, 2520},
    {{1170, 2835, 975, 375}, 1560, 2880},
    {{1200, 3240, 972, 372}, 1560, 3240},
    {{1200, 3600, 972, 372}, 1560, 3600},
    {{1215, 3960, 975, 375}, 1560, 3960},
    {{1200, 4320, 975, 375}, 1560, 4320},
    {{1200, 4680, 975, 375}, 1560, 4680},
    {{1215, 4995, 945, 360}, 1530, 5040},
    {{1215, 5310, 945, 495}, 1575, 5355},
};
const Carattere carattereConteggio = {"MS Sans Serif", 13.5, 700};
const Carattere carattereNome = {"MS Sans Serif", 12, 700};
constexpr double larghezzaNome = 290, altezzaNome = 300;

} // namespace

FRM_ERRORI::FRM_ERRORI()
    : Forma(8925, 6810)
{
    setWindowTitle(QStringLiteral("Form2"));
    setBackColor(QColor::fromRgb(0xFFC0C0));
    creaControlli();
    connect(Command1, &Pulsante::clicked, this, &FRM_ERRORI::Command1_Click);
    connect(Command2, &Pulsante::clicked, this, &FRM_ERRORI::Command2_Click);
}

void FRM_ERRORI::creaControlli()
{
    for (const Riga &r : righe) {
        RR.aggiungi(etichetta(this, QStringLiteral("Label1"), predefinito, 0xFF0000, r.conteggio, carattereConteggio, AutoSize));
        Lberrori.aggiungi(etichetta(this, QStringLiteral("c1"), predefinito, predefinito,
                                    {r.leftNome, r.topNome, larghezzaNome, altezzaNome}, carattereNome, AutoSize));
    }
    // "mostra classifica" starts just left of the window's edge.
    Command1 = pulsante(this, QStringLiteral("CHIUDI FINESTRA"), predefinito, {4185, 5610, 4620, 1245}, {"Arial", 15.75, 700});
    Command2 = pulsante(this, QStringLiteral("mostra classifica"), predefinito, {-60, 5625, 3225, 1200}, {"MS Sans Serif", 18, 700});
    setTabOrder(Command1, Command2);
    Command1->setFocus();
}

void FRM_ERRORI::Form_Load()
{
    FormB &esercizio = istanza<FormB>();
    for (int k = 1; k <= 16; ++k) {
        Lberrori(k)->setCaption(esercizio.Com(k)->caption());
        suggerimento(Lberrori(k), esercizio.Com(k)->toolTip());
    }
}

void FRM_ERRORI::Command1_Click()
{
    Unload();
}

void FRM_ERRORI::Command2_Click()
{
    Modulo1::livello = 6;
    istanza<classificaform>().Show(this);
}
