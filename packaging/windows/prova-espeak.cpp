// Speaks one Italian sentence with espeak-ng into memory and prints how much
// sound it made, to tell a working build of the library and its Italian data
// from a broken one. espeak-mingw.sh builds it for Windows against its static
// library and runs it under Wine, and natively against Debian's, so that the
// two figures can be set side by side.
//
//   prova-espeak DATA_FOLDER
//
// DATA_FOLDER is the espeak-ng-data folder (or the folder holding it). The
// output is one line: "<samples> <sample rate> <peak>" for the sentence, the
// peak being the largest absolute sample (a voice that failed gives silence,
// 0), then the samples of a line of signs and letters that are no Italian
// words: espeak-ng names them through its English dictionary, and crashed
// when that was missing. The exit code is 0 when both were spoken, 1 when
// espeak-ng refused.
#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

std::vector<short> campioni;

// espeak-ng hands the sound over in pieces; a null or empty piece only
// carries events.
int raccogli(short *suono, int quanti, espeak_EVENT *)
{
    if (suono && quanti > 0)
        campioni.insert(campioni.end(), suono, suono + quanti);
    return 0;
}

// Speaks a UTF-8 text after what is already collected; false if refused.
bool leggi(const char *testo)
{
    return espeak_Synth(testo, std::strlen(testo) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
                        nullptr) == EE_OK &&
           espeak_Synchronize() == EE_OK;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "uso: prova-espeak CARTELLA_DEI_DATI\n");
        return 2;
    }
    // Retrieval mode: no audio device, the sound comes to the callback, and
    // without espeak-ng's own threads espeak_Synth returns when it is done.
    const int frequenza = espeak_Initialize(AUDIO_OUTPUT_RETRIEVAL, 0, argv[1], espeakINITIALIZE_DONT_EXIT);
    if (frequenza <= 0) {
        std::fprintf(stderr, "espeak-ng non parte con i dati in %s\n", argv[1]);
        return 1;
    }
    espeak_SetSynthCallback(raccogli);
    if (espeak_SetVoiceByName("it") != EE_OK) {
        std::fprintf(stderr, "manca la voce italiana in %s\n", argv[1]);
        return 1;
    }
    // UTF-8 written out, so that no compiler's source charset can change it.
    // The second line: L'albero è là, «dice» – sì… n° 106, ǅ ½ €
    static const char frase[] = "Il gatto dorme sul divano. Perch\xc3\xa9 c'\xc3\xa8 l'ora?";
    static const char simboli[] = "L\xe2\x80\x99" "albero \xc3\xa8 l\xc3\xa0, \xc2\xab" "dice\xc2\xbb \xe2\x80\x93 "
                                  "s\xc3\xac\xe2\x80\xa6 n\xc2\xb0 106, \xc7\x85 \xc2\xbd \xe2\x82\xac";
    if (!leggi(frase)) {
        std::fprintf(stderr, "espeak-ng non ha letto la frase\n");
        return 1;
    }
    const std::size_t della_frase = campioni.size();
    if (!leggi(simboli)) {
        std::fprintf(stderr, "espeak-ng non ha letto i simboli\n");
        return 1;
    }
    espeak_Terminate();
    int picco = 0;
    for (std::size_t i = 0; i < della_frase; ++i)
        picco = std::max(picco, std::abs(static_cast<int>(campioni[i])));
    std::printf("%zu %d %d %zu\n", della_frase, frequenza, picco, campioni.size() - della_frase);
    return 0;
}
