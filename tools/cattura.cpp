// Saves what an X display shows, whole or a part of it, as a PNG: the test of
// the real Windows program under Wine keeps its pictures and tells by them
// whether a part of the window changed.
//
//   cattura FILE.png [X Y WIDTH HEIGHT]

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc != 2 && argc != 6) {
        std::fprintf(stderr, "uso: %s FILE.png [X Y LARGHEZZA ALTEZZA]\n", argv[0]);
        return 2;
    }
    // The display named by DISPLAY, whatever else the environment says.
    qputenv("QT_QPA_PLATFORM", "xcb");
    int argcQt = 1;
    QGuiApplication app(argcQt, argv);
    int x = 0, y = 0, larghezza = -1, altezza = -1;
    if (argc == 6) {
        x = std::atoi(argv[2]);
        y = std::atoi(argv[3]);
        larghezza = std::atoi(argv[4]);
        altezza = std::atoi(argv[5]);
    }
    const QPixmap immagine = QGuiApplication::primaryScreen()->grabWindow(0, x, y, larghezza, altezza);
    if (immagine.isNull() || !immagine.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "cattura: %s non si può scrivere\n", argv[1]);
        return 1;
    }
    return 0;
}
