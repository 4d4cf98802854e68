#pragma once

#include <QByteArray>
#include <QStringList>

// The rules every sentence bank must keep before it may reach a pupil: 101
// rows; eight slots each; 5 to 8 phrases with codes 1..16 first, then free
// slots with code 0 and the text " " or ""; phrases of at most 28 characters
// with no leading blank and at most four trailing ones; line A of at most 86
// characters and line B of at most 28; a predicate (code 2 or 3) in every
// sentence; no sentence twice. Returns one message per fault, each naming
// the row and, where it applies, the slot; an empty list means the bank is good.
QStringList verificaBanca(const QByteArray &json);
