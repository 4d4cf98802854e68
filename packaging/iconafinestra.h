#pragma once

#include <QtGlobal>

// The sizes of the program's icon its windows carry, painted from the SVG at
// build time into iconafinestra.cpp (disegnaicona --sorgente): lato x lato
// pixels each, row by row, as QImage::Format_ARGB32_Premultiplied.
namespace iconafinestra {

struct Lato {
    int lato;
    const quint32 *pixel;
};

extern const Lato lati[];
extern const int numeroLati;

} // namespace iconafinestra
