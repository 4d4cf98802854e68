// Paints the sizes of the icon from its SVG:
//
//   disegnaicona <icon.svg> <output folder> <size>...
//
// writes <output folder>/<size>x<size>/apps/<icon>.png for every size, the
// layout of the hicolor icon theme;
//
//   disegnaicona <icon.svg> --sorgente <file.cpp> <size>...
//
// writes the sizes' pixels as a C++ source (packaging/iconafinestra.h), to be
// compiled into the program: its windows then carry the icon without reading
// an image at start-up, which would make Qt look through its image plugins.

#include "icona.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <vector>

namespace {

bool scriviPng(const icona::Disegno &disegno, const QString &cartellaBase, const QString &nome, int lato)
{
    const QString cartella = QStringLiteral("%1/%2x%2/apps").arg(cartellaBase).arg(lato);
    const QString percorso = cartella + QLatin1Char('/') + nome + QStringLiteral(".png");
    if (!QDir().mkpath(cartella) || !icona::dipingi(disegno, lato).save(percorso, "PNG")) {
        std::fprintf(stderr, "disegnaicona: %s cannot be written\n", qPrintable(percorso));
        return false;
    }
    return true;
}

bool scriviSorgente(const icona::Disegno &disegno, const QString &percorso, const QString &nome,
                    const std::vector<int> &lati)
{
    QByteArray testo = "// The window icon's sizes, painted from " + nome.toUtf8()
                       + ".svg by disegnaicona.\n// Generated at build time: do not edit.\n\n"
                         "#include \"packaging/iconafinestra.h\"\n\nnamespace iconafinestra {\n\nnamespace {\n";
    for (int lato : lati) {
        const QImage immagine = icona::dipingi(disegno, lato);
        testo += "\nconst quint32 pixel" + QByteArray::number(lato) + "[] = {";
        for (int y = 0; y < lato; ++y) {
            const auto *riga = reinterpret_cast<const quint32 *>(immagine.constScanLine(y));
            for (int x = 0; x < lato; ++x) {
                testo += (x % 8 == 0) ? "\n    " : " ";
                testo += "0x" + QByteArray::number(riga[x], 16).rightJustified(8, '0') + "u,";
            }
        }
        testo += "\n};\n";
    }
    testo += "\n} // namespace\n\nconst Lato lati[] = {\n";
    for (int lato : lati)
        testo += "    {" + QByteArray::number(lato) + ", pixel" + QByteArray::number(lato) + "},\n";
    testo += "};\nconst int numeroLati = " + QByteArray::number(int(lati.size()))
             + ";\n\n} // namespace iconafinestra\n";

    QFile file(percorso);
    if (!file.open(QIODevice::WriteOnly) || file.write(testo) != testo.size()) {
        std::fprintf(stderr, "disegnaicona: %s cannot be written\n", qPrintable(percorso));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    const bool sorgente = argc > 2 && QByteArray(argv[2]) == "--sorgente";
    const int primoLato = sorgente ? 4 : 3;
    if (argc <= primoLato) {
        std::fprintf(stderr, "usage: disegnaicona <icon.svg> <output folder> <size>...\n"
                             "       disegnaicona <icon.svg> --sorgente <file.cpp> <size>...\n");
        return 2;
    }
    QFile svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: cannot be read\n", argv[1]);
        return 1;
    }
    icona::Disegno disegno;
    QString errore;
    if (!icona::leggi(svg.readAll(), disegno, errore)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(errore));
        return 1;
    }
    std::vector<int> lati;
    for (int i = primoLato; i < argc; ++i) {
        bool ok = false;
        const int lato = QByteArray(argv[i]).toInt(&ok);
        if (!ok || lato < 16 || lato > 1024) {
            std::fprintf(stderr, "disegnaicona: %s is not a size from 16 to 1024\n", argv[i]);
            return 2;
        }
        lati.push_back(lato);
    }

    const QString nome = QFileInfo(svg.fileName()).completeBaseName();
    const QString uscita = QString::fromLocal8Bit(sorgente ? argv[3] : argv[2]);
    if (sorgente)
        return scriviSorgente(disegno, uscita, nome, lati) ? 0 : 1;
    for (int lato : lati)
        if (!scriviPng(disegno, uscita, nome, lato))
            return 1;
    return 0;
}
