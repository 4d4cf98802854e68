#pragma once

#include "regolebanca.h"

#include <QList>
#include <QString>
#include <QStringView>

// What the reader of a teacher's file says of a sentence or a line, in
// Italian, for a teacher: each problem says what to write instead.
namespace bancainsegnante::messaggi {

// A fault of the rules every bank keeps; altra is the line of the sentence
// a repeated one repeats.
QString regola(const regolebanca::Problema &p, int altra);

QString categoriaSconosciuta(const QString &categoria);
QString manca(const QString &davanti, const QString &categoria); // "=" between them
QString mancaCategoria();
QString mancaCategoriaDopoUguale();
QString mancaFrase();
QString mancaRigaVuota();
QString rigaVuotaDentro(int lineaFrase);
QString troppeFrasi();
QString invisibile(char32_t codice);
QString troppoLunga(const QString &frase);
QString segnoDiElenco(const QString &che, const QString &segno);
QString ripetuta(int lineaPrima);
// The words of the sentence its phrases lack, and those they have in more.
QString paroleDiverse(const QList<QStringView> &mancano, const QList<QStringView> &inPiu);
QString categorieMaiUsate(const QList<int> &codici);

} // namespace bancainsegnante::messaggi
