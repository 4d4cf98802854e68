#pragma once

#include <QString>

// Sound cues: short wave files named by a plain word, in the folder "suoni"
// beside the program. Both calls start the sound and return at once.
namespace audio {

// The file a cue name stands for.
QString percorsoSuono(const QString &nome);

void suona(const QString &nome);
// "esatto" plays one of its five variants at random; any other name plays
// the closing fanfare.
void suonacasuale(const QString &nome);

} // namespace audio
