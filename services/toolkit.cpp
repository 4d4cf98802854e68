#include "toolkit.h"

#include "doppioclic.h"
#include "etichetta.h"
#include "packaging/iconafinestra.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <QtMath>

#include <algorithm>

namespace toolkit {

namespace {

bool terminato = false;

// Swallows input events, whoever they are for.
class FiltroInput : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *evento) override
    {
        switch (evento->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::ContextMenu:
            return true;
        default:
            return false;
        }
    }
};

std::function<void()> &uscita()
{
    static std::function<void()> u = [] { QCoreApplication::exit(0); };
    return u;
}

} // namespace

int pixel(double twips)
{
    return qRound(twips / twipsPerPixel);
}

double twips(int pixel)
{
    return pixel * twipsPerPixel;
}

double Left(const QWidget *w)
{
    return twips(w->x());
}

double Top(const QWidget *w)
{
    return twips(w->y());
}

double Width(const QWidget *w)
{
    return twips(w->width());
}

double Height(const QWidget *w)
{
    return twips(w->height());
}

void Move(QWidget *w, double left, double top, double width, double height)
{
    // Edges are rounded, not sizes: controls designed to end on one line
    // (the grade labels, the category grid) still do.
    const int x = pixel(left);
    const int y = pixel(top);
    w->setGeometry(x, y, std::max(0, pixel(left + width) - x), std::max(0, pixel(top + height) - y));
    // An autosizing label keeps its place but not the size it was given.
    if (auto *etichetta = qobject_cast<Etichetta *>(w))
        etichetta->adattaAlTesto();
}

double FontSize(const QWidget *w)
{
    return w->font().pointSizeF();
}

void setFontSize(QWidget *w, double punti)
{
    QFont f = w->font();
    f.setPointSizeF(std::max(punti, minimoPunti));
    w->setFont(f);
}

QFont carattere(const QString &famiglia, double punti, int peso, bool corsivo)
{
    QFont f(famiglia);
    f.setPointSizeF(punti);
    // CSS weights (400 normal, 700 bold, 900 black) are what Qt 6 uses too.
    f.setWeight(static_cast<QFont::Weight>(peso));
    f.setItalic(corsivo);
    return f;
}

void preparaCaratteri()
{
    // fontconfig already aliases Arial and Bookman Old Style; MS Sans Serif is
    // a bitmap font it does not know, so without this it would fall to DejaVu.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
    QFont::insertSubstitutions(QStringLiteral("Bookman Old Style"),
                               {QStringLiteral("URW Bookman"), QStringLiteral("URW Bookman L")});
    // Where the system has no URW Bookman (Windows), the program carries the
    // bold face the title uses; a Bookman Old Style installed still wins.
    const QString bookman = QStringLiteral(":/caratteri/URWBookman-Demi.otf");
    if (QFile::exists(bookman) && QFontDatabase::addApplicationFont(bookman) < 0)
        qWarning("Parsilia: il carattere del titolo non si carica (%s)", qPrintable(bookman));
}

void scartaInputArretrato()
{
    DoppioClic::finePausa();
    FiltroInput filtro;
    QCoreApplication::instance()->installEventFilter(&filtro);
    QCoreApplication::processEvents();
    QCoreApplication::instance()->removeEventFilter(&filtro);
}

void preparaIdentita()
{
    QCoreApplication::setApplicationName(QString::fromLatin1(nomeProgramma));
    // Checking or exporting a bank from the terminal opens no window.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    QGuiApplication::setDesktopFileName(QString::fromLatin1(voceMenu));
    QIcon icona;
    for (int i = 0; i < iconafinestra::numeroLati; ++i) {
        const iconafinestra::Lato &l = iconafinestra::lati[i];
        icona.addPixmap(QPixmap::fromImage(QImage(reinterpret_cast<const uchar *>(l.pixel), l.lato, l.lato,
                                                  QImage::Format_ARGB32_Premultiplied)));
    }
    QApplication::setWindowIcon(icona);
}

double ScreenWidth()
{
    const QScreen *s = QGuiApplication::primaryScreen();
    return s ? twips(s->geometry().width()) : twips(800);
}

double ScreenHeight()
{
    const QScreen *s = QGuiApplication::primaryScreen();
    return s ? twips(s->geometry().height()) : twips(600);
}

QString App_Path()
{
    return QCoreApplication::applicationDirPath();
}

void End()
{
    terminato = true;
    const auto finestre = QApplication::topLevelWidgets();
    for (QWidget *w : finestre)
        w->hide();
    uscita()();
}

bool programmaTerminato()
{
    return terminato;
}

void azzeraTerminazione()
{
    terminato = false;
}

void impostaUscita(std::function<void()> nuova)
{
    uscita() = std::move(nuova);
}

} // namespace toolkit
