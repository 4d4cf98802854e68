#include "services/forma.h"
#include "services/toolkit.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    toolkit::preparaCaratteri();
    Forma &forma = istanza<Forma>();
    forma.Show();
    return app.exec();
}
