#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <functional>

class QWidget;

// The small toolkit every screen is written against: positions and sizes in
// twips (1/1440 inch, 15 twips per pixel at 96 dpi), font sizes in points,
// colours as #RRGGBB, the screen, the application folder and program end.
namespace toolkit {

constexpr double twipsPerPixel = 15.0;

int pixel(double twips);
double twips(int pixel);

// Geometry of a control relative to its container, in twips.
double Left(const QWidget *w);
double Top(const QWidget *w);
double Width(const QWidget *w);
double Height(const QWidget *w);
void Move(QWidget *w, double left, double top, double width, double height);

// The smallest font size ever asked of Qt: a minimized or tiny window scales
// fonts towards zero, and Qt refuses sizes of zero or less.
constexpr double minimoPunti = 1.0;
double FontSize(const QWidget *w);
void setFontSize(QWidget *w, double punti);

// A font as the screens name it: family, size in points, weight 400/700/900.
QFont carattere(const QString &famiglia, double punti, int peso = 400, bool corsivo = false);

// Maps the fonts the screens ask for onto the metric-compatible free fonts
// (Liberation Sans, URW Bookman). Call once, after QApplication exists.
void preparaCaratteri();

// After a handler held the screen still: the pupil's input (mouse buttons,
// wheel, keys) made until now is thrown away, waiting in the queue or
// whenever a slow PC delivers it, so that it is not handled late against a
// screen that has changed since. Delivers the events waiting in the queue
// (their input goes, whenever made: handled here, it would answer inside
// the handler that holds); everything else (paints, timers) as usual.
void scartaInputArretrato();

// Whether something maximizes and restores the program's windows: a window
// manager on X11, the compositor under Wayland. An X server with none leaves
// a window where and as large as the program puts it.
bool gestoreFinestre();

// Whether what a closing window uncovers stays on the display until the
// windows below paint it again: on X11 without a compositing manager.
bool scoperteDaDipingere();

// The program as the desktop knows it: its name (the class of its windows,
// which the menu entry's StartupWMClass names), the menu entry it starts
// from, and the icon every window carries in the taskbar and the window
// switcher (the captions stay the screens' own). Call once, after
// the application object exists and before the first window is shown;
// without a display (a QCoreApplication) only the name is set.
constexpr const char *nomeProgramma = "Parsilia";
constexpr const char *voceMenu = "it.parsilia.Parsilia";
void preparaIdentita();

// The screen the program runs on, in twips.
double ScreenWidth();
double ScreenHeight();

// The folder that holds the program.
QString App_Path();

// Ends the program at once: every window goes without further events and the
// event loop returns. Tests see the request through programmaTerminato(), and
// may replace the last step (leaving the event loop, which would end every
// later loop of the test program too) with their own.
void End();
bool programmaTerminato();
void azzeraTerminazione();
void impostaUscita(std::function<void()> uscita);

} // namespace toolkit
