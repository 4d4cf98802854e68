#pragma once

#include "services/forma.h"

class Etichetta;
class Temporizzatore;

// The title screen the program starts on: title and credits on blue, a
// greeting fanfare, and after six seconds or a click the exercise screen.
class Iniziale : public Forma
{
    Q_OBJECT

public:
    Iniziale();

    Etichetta *Label2;
    Etichetta *Label5;
    Etichetta *Label1;
    Etichetta *Label8;
    Etichetta *Label6;
    Etichetta *Label4;
    Etichetta *Label3;
    // Which sentences are in use, under the credits, only when a teacher's
    // file is in play (Modulo1::frasiinuso).
    Etichetta *LbFrasi = nullptr;
    Temporizzatore *Timer1;

    void Timer1_Timer();

protected:
    void Form_Load() override;
    void Form_Click() override;
    void Form_Resize() override;

private:
    void apriEsercizio();
};
