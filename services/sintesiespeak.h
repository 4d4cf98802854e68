#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <mutex>

// espeak-ng's Italian voice, at a pace a ten-year-old follows: what is to be
// read, made into a wave in memory. espeak-ng keeps its state in the process
// and cannot be started twice, so there is one engine for the whole run,
// started at its first use and never stopped; its calls take turns.
class SintesiEspeak
{
public:
    // The engine, ready to speak Italian; null when it cannot be, and then
    // motivo says why, in Italian, for the pupil's teacher.
    static SintesiEspeak *carica(QString *motivo = nullptr);

    // The parts read in turn, a short pause between them, as a wave file
    // (16-bit mono PCM); empty when there is nothing to read, or when
    // annullata returns true (it is asked as the synthesis goes on). The
    // parts come as the voice is given them (testoParlato).
    QByteArray wav(const QStringList &parlate, const std::function<bool()> &annullata = {});
    // The phonemes (IPA) of the text as the voice would read it.
    QString fonemi(const QString &testo);

private:
    SintesiEspeak() = default;
    QString avvia();

    std::mutex m_turno;
    int m_frequenza = 0;
};

// The text as the voice is given it: the program's and a teacher's Italian
// read as words, never spelt out. "n°" is "numero", a word in capitals an
// ordinary word, an apostrophe after a final vowel its accent ("perche'"),
// typographic apostrophes plain ones; a sign with no place in a sentence
// is left out.
QString testoParlato(const QString &testo);
