#include "categorie.h"

#include <stdexcept>

// Captions exactly as the buttons show them, the double blanks of the three
// "MOTO" captions included.
const std::array<Categoria, numeroCategorie> categorie = {{
    // code  caption                              colour     row col
    {1, "SOGGETTO",                               0xFFFFFF, 1, 1},
    {2, "predicato VERBALE",                      0xFFFF00, 1, 2},
    {3, "predicato NOMINALE",                     0xFFFFC0, 1, 3},
    {4, "complemento OGGETTO",                    0xAE8C62, 1, 4},
    {5, "ATTRIBUTO",                              0xFFC0C0, 2, 1},
    {6, "APPOSIZIONE",                            0xFFE0C0, 2, 2},
    {7, "complemento di SPECIFICAZIONE",          0xFF8080, 2, 3},
    {8, "complemento di DENOMINAZIONE",           0xE07A78, 2, 4},
    {9, "complemento di STATO IN luogo",          0xC0FFFF, 3, 1},
    {10, "complemento di MOTO  A  luogo",         0x80FFFF, 3, 2},
    {11, "complemento di MOTO  DA  luogo",        0x60D6FD, 3, 3},
    {12, "complemento di MOTO PER  luogo",        0x00C0C0, 3, 4},
    {13, "complemento di TEMPO DETERMINATO",      0xE0E0E0, 4, 1},
    {14, "complemento di TEMPO CONTINUATO",       0xC0C0C0, 4, 2},
    {15, "complemento di TERMINE",                0x3AAEFC, 4, 3},
    {16, "ALTRO",                                 0xFF0000, 4, 4},
}};

const Categoria &categoria(int codice)
{
    if (codice < 1 || codice > numeroCategorie)
        throw std::out_of_range("category code out of range");
    return categorie[codice - 1];
}
