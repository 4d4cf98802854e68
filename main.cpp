#include "screens/iniziale.h"
#include "services/toolkit.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    toolkit::preparaIdentita();
    QApplication::setStyle(QStringLiteral("Fusion"));
    toolkit::preparaCaratteri();
    // The program starts on its title screen; everything else follows from
    // the screens' own events.
    istanza<Iniziale>().Show();
    return app.exec();
}
