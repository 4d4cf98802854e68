#pragma once

#include "services/forma.h"
#include "services/matricecontrolli.h"

class Etichetta;
class Pulsante;

// The error review: the sixteen categories, one per line, each with the
// number of wrong answers given in this run to phrases of that category.
// It stays open beside the exercise screen without blocking it.
class FRM_ERRORI : public Forma
{
    Q_OBJECT

public:
    FRM_ERRORI();

    MatriceControlli<Etichetta> RR;       // counts, by category code 1..16
    MatriceControlli<Etichetta> Lberrori; // names, Lberrori1 .. Lberrori16
    Pulsante *Command1;
    Pulsante *Command2;

    void Command1_Click();
    void Command2_Click();

protected:
    void Form_Load() override;

private:
    void creaControlli();
};
