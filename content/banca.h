#pragma once

// The sentence bank as compiled into the program from content/frasi.json,
// checked at build time (see verificabanca.h).
constexpr int righeBanca = 101;
constexpr int sintagmiPerRiga = 8;

struct SintagmaBanca
{
    const char *testo; // UTF-8, trailing blanks included
    short codice;      // 1..16, or 0 for a free slot
};

struct RigaBanca
{
    const char *fraseinteraa;
    const char *fraseinterab;
    short numeroSintagmi; // the number of non-zero codes
    SintagmaBanca sintagmi[sintagmiPerRiga];
};

extern const RigaBanca bancaFrasi[righeBanca];
