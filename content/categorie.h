#pragma once

#include <QRgb>

#include <array>

// The sixteen grammatical categories. A category is its code, 1 to 16: the
// index of its button on the exercise screen, the value stored for every
// phrase of the sentence bank, and the index of its error counter.
struct Categoria
{
    short codice;
    const char *caption; // the button's caption, the category's only name
    QRgb colore;         // the button's back colour
    int riga, colonna;   // place in the 4 x 4 grid of buttons, from 1
    // The question the category is taught with at school and one short
    // example, in two lines: the tooltip of its button. It names the
    // category only, never the phrase on screen.
    const char *domanda;
};

constexpr int numeroCategorie = 16;

// Indexed by code - 1.
extern const std::array<Categoria, numeroCategorie> categorie;

const Categoria &categoria(int codice);
