#include "tempoinput.h"

// The events' own time serves (services/doppioclic).
namespace tempoinput {

void installa() {}

void proteggi(qint64) {}

} // namespace tempoinput
