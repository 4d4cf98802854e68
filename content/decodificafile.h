#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A teacher's file from its bytes to its text, as whatever editor saved it:
// the encoding found out, the lines ended by "\n" alone. What a word
// processor saves is named, so that the teacher saves plain text instead.
namespace bancainsegnante {

// Something to tell the teacher about the bytes: a problem, which keeps the
// file from being used, or a warning. linea counts from 1; 0 is the whole file.
struct NotaCodifica
{
    int linea;
    bool avviso;
    QString testo;
};

struct TestoFile
{
    bool letto = false; // false: no text to read (the notes say why)
    QString testo;
    QList<NotaCodifica> note;
};

// Reads UTF-8, with or without its mark; UTF-16, little or big end first,
// with its mark; and, when no line holds a letter of UTF-8, Windows-1252.
TestoFile decodificaFile(const QByteArray &dati);

// The problem of a file over the size a teacher's file may have.
QString troppoGrande(qint64 byte);

} // namespace bancainsegnante
