#pragma once

#include <QtGlobal>

// When each input was made, on platforms whose Qt events do not say it.
// Windows records it in every input message, but Qt's windows platform
// stamps its events with the moment it handles them: a click made during a
// hold and handled after it would look new. There a native event filter
// judges each input message by its own time before Qt sees it. On Linux the
// events carry the X server's time already, and this does nothing.
namespace tempoinput {

// Once, when the application exists.
void installa();

// Input made after the last one taken and up to `dopo` milliseconds from
// now is thrown away.
void proteggi(qint64 dopo);

} // namespace tempoinput
