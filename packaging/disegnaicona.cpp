// Paints the PNG sizes of the icon from its SVG:
//
//   disegnaicona <icon.svg> <output folder> <size>...
//
// writes <output folder>/<size>x<size>/apps/<icon>.png for every size, the
// layout of the hicolor icon theme.

#include "icona.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: disegnaicona <icon.svg> <output folder> <size>...\n");
        return 2;
    }
    QFile sorgente(QString::fromLocal8Bit(argv[1]));
    if (!sorgente.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: cannot be read\n", argv[1]);
        return 1;
    }
    icona::Disegno disegno;
    QString errore;
    if (!icona::leggi(sorgente.readAll(), disegno, errore)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(errore));
        return 1;
    }
    const QString nome = QFileInfo(sorgente.fileName()).completeBaseName() + QStringLiteral(".png");
    for (int i = 3; i < argc; ++i) {
        bool ok = false;
        const int lato = QByteArray(argv[i]).toInt(&ok);
        if (!ok || lato < 16 || lato > 1024) {
            std::fprintf(stderr, "disegnaicona: %s is not a size from 16 to 1024\n", argv[i]);
            return 2;
        }
        const QString cartella = QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[2])).arg(lato);
        const QString percorso = cartella + QLatin1Char('/') + nome;
        if (!QDir().mkpath(cartella) || !icona::dipingi(disegno, lato).save(percorso, "PNG")) {
            std::fprintf(stderr, "disegnaicona: %s cannot be written\n", qPrintable(percorso));
            return 1;
        }
    }
    return 0;
}
