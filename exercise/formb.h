#pragma once

#include "services/forma.h"
#include "services/matricecontrolli.h"

#include <QRect>

class Cornice;
class Etichetta;
class Pulsante;
class Temporizzatore;

// The exercise screen: the sentence whole and phrase by phrase, the phrase in
// red to be named with one of the sixteen category buttons, and the bottom
// bar with the clock and the statistics of the series.
class FormB : public Forma
{
    Q_OBJECT

public:
    FormB();

    // Top band and sentence area.
    Etichetta *AVVISO;
    Etichetta *FRASE_INTERA_A;
    Etichetta *FRASE_INTERA_B;
    MatriceControlli<Etichetta> Lbmostra; // phrase slots 1..8
    Etichetta *gratifica;
    Pulsante *VIA;
    MatriceControlli<Pulsante> Com; // index = category code 1..16

    // Bottom bar.
    Cornice *Frame5;
    Etichetta *Lbclock;
    Cornice *Frame1;
    Etichetta *Lrisposte;
    Cornice *Frame2;
    Etichetta *Lerrori;
    Cornice *Frame3;
    Etichetta *Lpercentuale;
    Etichetta *Label8;
    Etichetta *Label1;
    Pulsante *Command8;
    Pulsante *FINE;
    // Which sentences are in use, beside the sentence, only when a
    // teacher's file is in play (Modulo1::frasiinuso).
    Etichetta *LbFrasi = nullptr;
    // Reads the sentence and the phrase in red again, only with the voice on.
    Pulsante *Altoparlante = nullptr;

    Temporizzatore *Timer1;

    void VIA_Click();
    void com_Click(int Index);
    void Command8_Click();
    void FINE_Click();
    void Timer1_Timer();
    void Altoparlante_Click();

    void flash(const QString &testo);
    void aggiornastatistiche();
    void classifica(short errori);

protected:
    void Form_Load() override;
    void Form_Resize() override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void creaControlli();
    void registraControlli();
    void abilitaCategorie(bool abilitate);
    void rimettiFuoco(QWidget *prima);
    void mostraPrimaDellAttesa();
    int dopoISintagmi(const QRect &posto) const;
    void liberaVIA();
    void liberaGratifica();
    void creaAltoparlante();
    void leggiFrase();

    QRect m_postoVIA;        // VIA and the word of praise where the scaling
    QPoint m_postoGratifica; // put them
};
