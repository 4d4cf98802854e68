#include "tempoinput.h"

#include "guardia.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>

#include <windows.h>

namespace {

qint64 adesso()
{
    return qint64(GetTickCount64());
}

// A message's 32-bit tick count, on the 64-bit one: it wraps every 49 days,
// and a message is never that old.
qint64 tick(DWORD tempo)
{
    const ULONGLONG ora = GetTickCount64();
    return qint64(ora) - qint64(qint32(DWORD(ora) - tempo));
}

// Every input message carries the tick count of the moment it was made
// (msg.time). Qt's event dispatcher shows each one to the native filters
// once, just before it dispatches it, whenever that is.
class FiltroNativo : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray &tipo, void *messaggio, qintptr *risultato) override
    {
        if (tipo != "windows_generic_MSG")
            return false;
        const MSG *m = static_cast<const MSG *>(messaggio);
        const bool premuto = pressione(m->message);
        if (!premuto && !movimento(m->message))
            return false;
        const qint64 fatto = tick(m->time);
        if (premuto && guardia.scartata(fatto)) {
            // The dispatcher, which alone shows input messages, passes no result.
            if (risultato)
                *risultato = 0;
            return true;
        }
        guardia.presa(fatto);
        return false;
    }

    Guardia guardia;

private:
    // Mouse buttons, wheel and keys, pressed and released, in the client area.
    static bool pressione(UINT messaggio)
    {
        return (messaggio >= WM_LBUTTONDOWN && messaggio <= WM_MOUSELAST)
               || (messaggio >= WM_KEYFIRST && messaggio <= WM_KEYLAST);
    }
    static bool movimento(UINT messaggio) { return messaggio == WM_MOUSEMOVE; }
};

FiltroNativo *filtro = nullptr;

} // namespace

namespace tempoinput {

void installa()
{
    if (filtro || !QCoreApplication::instance())
        return;
    filtro = new FiltroNativo;
    QCoreApplication::instance()->installNativeEventFilter(filtro);
}

void proteggi(qint64 dopo)
{
    if (filtro) {
        const qint64 ora = adesso();
        filtro->guardia.proteggi(ora, ora + dopo);
    }
}

} // namespace tempoinput
