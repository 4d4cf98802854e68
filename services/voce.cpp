#include "voce.h"

#include <QApplication>
#include <QMessageBox>

#include <atomic>
#include <cstdio>

namespace {

Voce *inUso = nullptr;
bool inAttesa = false;
std::atomic<bool> avvisato{false};

void mostraAvviso(const QString &motivo)
{
    const QString testo = QStringLiteral("La lettura ad alta voce non è disponibile: %1.\n"
                                         "Parsilia funziona lo stesso, senza voce.").arg(motivo);
    const QByteArray riga = (QStringLiteral("parsilia: ") + testo.section(QLatin1Char('\n'), 0, 0) + QLatin1Char('\n')).toUtf8();
    std::fwrite(riga.constData(), 1, size_t(riga.size()), stderr);
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return;
    // Not modal: the drill goes on beneath it, and a pupil may close it at
    // any time. It belongs to no screen, which come and go.
    auto *finestra = new QMessageBox(QMessageBox::Information, QStringLiteral("Parsilia"), testo, QMessageBox::Ok);
    finestra->setAttribute(Qt::WA_DeleteOnClose);
    finestra->setModal(false);
    finestra->show();
}

} // namespace

Voce *Voce::corrente()
{
    return inUso;
}

void Voce::imposta(Voce *voce)
{
    inUso = voce;
}

namespace voce {

bool attiva()
{
    return inUso != nullptr;
}

void leggi(const QStringList &parti)
{
    if (inUso && !inAttesa)
        inUso->leggi(parti);
}

void leggi(const QString &testo)
{
    leggi(QStringList{testo});
}

void taci()
{
    if (inUso)
        inUso->taci();
}

void sospendi(bool sospesa)
{
    inAttesa = sospesa;
    if (sospesa)
        taci();
}

void avvisa(const QString &motivo)
{
    if (avvisato.exchange(true))
        return;
    // Shown by the thread of the windows, whoever finds the fault.
    if (QCoreApplication *app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, [motivo] { mostraAvviso(motivo); }, Qt::QueuedConnection);
}

} // namespace voce
