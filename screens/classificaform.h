#pragma once

#include "services/forma.h"
#include "services/matricecontrolli.h"

class Etichetta;
class Figura;
class Pulsante;

// The grade screen, at the end of every series: the grade reached, the tally
// of the grades of this run as rows of up to ten dots, and the best time of a
// flawless series. PROSEGUI starts the next series. With livello 6 it is a
// plain standings view: nothing is counted and no record is tested.
class classificaform : public Forma
{
    Q_OBJECT

public:
    classificaform();

    Figura *Shape1;
    Etichetta *Label5;
    Etichetta *RISULTATO;
    Etichetta *LbNuovoRecord;
    Etichetta *Label2;
    Etichetta *LbTrecord;
    Etichetta *Label1;
    Etichetta *LbOttimo;
    Etichetta *LbDistinto;
    Etichetta *LbBuono;
    Etichetta *LbSufficiente;
    Etichetta *LbOccorre;
    MatriceControlli<Figura> ShOttimo;
    MatriceControlli<Figura> ShDistinto;
    MatriceControlli<Figura> ShBuono;
    MatriceControlli<Figura> ShSufficiente;
    MatriceControlli<Figura> ShOccorre;
    Pulsante *Command1;

    void Command1_Click();

protected:
    void Form_Load() override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void creaControlli();
    void chiudi();
};
