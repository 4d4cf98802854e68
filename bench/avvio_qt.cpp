// A bare Qt Widgets program: one empty window, shown, painted, and out.

#include "segni.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    segna("main");
    QApplication app(argc, argv);
    QWidget finestra;
    new DopoPrimoDisegno(&finestra, [] {
        segna("finestra");
        QCoreApplication::quit();
    });
    finestra.show();
    return app.exec();
}
