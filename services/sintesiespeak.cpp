#include "sintesiespeak.h"

#include "toolkit.h"

#include <QDir>
#include <QRegularExpression>
#include <QtEndian>

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <vector>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

// espeak-ng's own pace, 175 words a minute, is an adult's.
constexpr int parolePerMinuto = 150;
// Between the sentence and the phrase in red.
constexpr double pausaTraLeParti = 0.6;

struct Espeak
{
    decltype(&::espeak_ng_InitializePath) InitializePath = nullptr;
    decltype(&::espeak_ng_Initialize) Initialize = nullptr;
    decltype(&::espeak_ng_ClearErrorContext) ClearErrorContext = nullptr;
    decltype(&::espeak_ng_InitializeOutput) InitializeOutput = nullptr;
    decltype(&::espeak_ng_GetSampleRate) GetSampleRate = nullptr;
    decltype(&::espeak_ng_SetVoiceByName) SetVoiceByName = nullptr;
    decltype(&::espeak_ng_SetParameter) SetParameter = nullptr;
    decltype(&::espeak_SetSynthCallback) SetSynthCallback = nullptr;
    decltype(&::espeak_ng_Synthesize) Synthesize = nullptr;
    decltype(&::espeak_TextToPhonemes) TextToPhonemes = nullptr;

    // The library's entry points; on Linux it is loaded here, only for a
    // pupil who asked for the voice (with its sound libraries it is some
    // thirty). False when it is missing.
    bool risolvi()
    {
#ifdef Q_OS_WIN
        // Linked into the program.
        InitializePath = &::espeak_ng_InitializePath;
        Initialize = &::espeak_ng_Initialize;
        ClearErrorContext = &::espeak_ng_ClearErrorContext;
        InitializeOutput = &::espeak_ng_InitializeOutput;
        GetSampleRate = &::espeak_ng_GetSampleRate;
        SetVoiceByName = &::espeak_ng_SetVoiceByName;
        SetParameter = &::espeak_ng_SetParameter;
        SetSynthCallback = &::espeak_SetSynthCallback;
        Synthesize = &::espeak_ng_Synthesize;
        TextToPhonemes = &::espeak_TextToPhonemes;
        return true;
#else
        // Never unloaded: the engine lives as long as the program.
        void *const libreria = dlopen("libespeak-ng.so.1", RTLD_NOW | RTLD_LOCAL);
        if (!libreria)
            return false;
        bool tutte = true;
        const auto prendi = [&](auto &funzione, const char *nome) {
            funzione = reinterpret_cast<std::remove_reference_t<decltype(funzione)>>(dlsym(libreria, nome));
            tutte = tutte && funzione;
        };
        prendi(InitializePath, "espeak_ng_InitializePath");
        prendi(Initialize, "espeak_ng_Initialize");
        prendi(ClearErrorContext, "espeak_ng_ClearErrorContext");
        prendi(InitializeOutput, "espeak_ng_InitializeOutput");
        prendi(GetSampleRate, "espeak_ng_GetSampleRate");
        prendi(SetVoiceByName, "espeak_ng_SetVoiceByName");
        prendi(SetParameter, "espeak_ng_SetParameter");
        prendi(SetSynthCallback, "espeak_SetSynthCallback");
        prendi(Synthesize, "espeak_ng_Synthesize");
        prendi(TextToPhonemes, "espeak_TextToPhonemes");
        return tutte;
#endif
    }
};

Espeak espeak;

#ifdef Q_OS_WIN
// espeak-ng opens its files with fopen, in the ANSI code page, and keeps
// under 200 characters of the folder: the folder's short (8.3) name, where
// the disk gives one, is both whatever letters or depth the full one has.
QByteArray cartellaAnsi(const QString &cartella)
{
    const std::wstring lunga = QDir::toNativeSeparators(cartella).toStdWString();
    wchar_t corta[MAX_PATH];
    const DWORD n = GetShortPathNameW(lunga.c_str(), corta, MAX_PATH);
    return (n > 0 && n < MAX_PATH ? QString::fromWCharArray(corta, int(n)) : QDir::toNativeSeparators(cartella)).toLocal8Bit();
}
#endif

// What the synthesis in progress has made so far; set only during a call
// to Synthesize, under the engine's turn.
struct Raccolta
{
    std::vector<short> campioni;
    const std::function<bool()> *annullata = nullptr;
    bool interrotta = false;
};
Raccolta *raccolta = nullptr;

int raccogli(short *campioni, int quanti, espeak_EVENT *)
{
    if (!raccolta)
        return 0;
    if (campioni && quanti > 0)
        raccolta->campioni.insert(raccolta->campioni.end(), campioni, campioni + quanti);
    // Asked every few tens of milliseconds of speech: a reading that another
    // has replaced stops here.
    if (raccolta->annullata && *raccolta->annullata && (*raccolta->annullata)()) {
        raccolta->interrotta = true;
        return 1;
    }
    return 0;
}

QByteArray ondaWav(const std::vector<short> &campioni, int frequenza)
{
    const auto dati = quint32(campioni.size() * sizeof(short));
    QByteArray wav(44, '\0');
    char *h = wav.data();
    const auto u32 = [h](int dove, quint32 v) { qToLittleEndian<quint32>(v, h + dove); };
    const auto u16 = [h](int dove, quint16 v) { qToLittleEndian<quint16>(v, h + dove); };
    std::memcpy(h, "RIFF", 4);
    u32(4, 36 + dati);
    std::memcpy(h + 8, "WAVEfmt ", 8);
    u32(16, 16);
    u16(20, 1); // PCM
    u16(22, 1); // mono
    u32(24, quint32(frequenza));
    u32(28, quint32(frequenza) * 2);
    u16(32, 2);
    u16(34, 16);
    std::memcpy(h + 36, "data", 4);
    u32(40, dati);
    wav.reserve(44 + qsizetype(dati));
    for (short c : campioni) {
        char le[2];
        qToLittleEndian<qint16>(c, le);
        wav.append(le, 2);
    }
    return wav;
}

// "perche'" is "perché", "e'" is "è", "piu'" is "più"; "po'" stays.
QString accentata(const QString &parola)
{
    if (parola.compare(QLatin1String("po"), Qt::CaseInsensitive) == 0)
        return parola + QLatin1Char('\'');
    const QChar v = parola.back();
    const bool chiusa = parola.size() >= 3 && parola.right(3).compare(QLatin1String("che"), Qt::CaseInsensitive) == 0;
    static const QString senza = QStringLiteral("aeiouAEIOU");
    static const QString gravi = QStringLiteral("àèìòùÀÈÌÒÙ");
    QChar con = gravi.at(senza.indexOf(v));
    if (chiusa)
        con = v.isUpper() ? QChar(u'É') : QChar(u'é');
    return parola.chopped(1) + con;
}

// Every match of the expression in the text, replaced by what sostituto makes of it.
QString sostituisci(const QString &testo, const QRegularExpression &espressione,
                    const std::function<QString(const QString &)> &sostituto)
{
    QString risultato;
    qsizetype da = 0;
    for (const QRegularExpressionMatch &m : espressione.globalMatch(testo)) {
        risultato += testo.mid(da, m.capturedStart() - da) + sostituto(m.captured());
        da = m.capturedEnd();
    }
    return risultato + testo.mid(da);
}

} // namespace

QString testoParlato(const QString &testo)
{
    QString t = testo;
    for (const QChar apostrofo : {QChar(u'\u2019'), QChar(u'\u2018'), QChar(u'\u02BC'), QChar(u'`'), QChar(u'\u00B4')})
        t.replace(apostrofo, QLatin1Char('\''));
    // Otherwise "enne gradi".
    static const QRegularExpression numero(QStringLiteral("(?<!\\p{L})[nN]\\s*°\\s*"));
    t.replace(numero, QStringLiteral("numero "));
    // Anything else of no use to a sentence would be read by its name
    // ("chiocciola", "barra"): left out.
    static const QString segni = QStringLiteral(".,;:!?'\"«»“”()-%+€°…");
    for (QChar &c : t)
        if (!c.isLetterOrNumber() && !c.isMark() && !segni.contains(c))
            c = QLatin1Char(' ');
    // "perche'" and "E'", as typed on keyboards without accents.
    static const QRegularExpression accento(QStringLiteral("\\b\\p{L}*[aeiouAEIOU]'(?!\\p{L})"));
    t = sostituisci(t, accento, [](const QString &parola) { return accentata(parola.chopped(1)); });
    // Capitals are spelt out, letter by letter, as if an acronym: "MOTO DA
    // luogo" would be "moto di a luogo".
    static const QRegularExpression maiuscole(QStringLiteral("\\b\\p{Lu}{2,}\\b"));
    t = sostituisci(t, maiuscole, [](const QString &parola) { return parola.toLower(); });
    return t.simplified();
}

SintesiEspeak *SintesiEspeak::carica(QString *motivo)
{
    static QString perche;
    static SintesiEspeak *const motore = [] {
        auto *m = new SintesiEspeak;
        perche = m->avvia();
        if (perche.isEmpty())
            return m;
        delete m;
        return static_cast<SintesiEspeak *>(nullptr);
    }();
    if (!motore && motivo)
        *motivo = perche;
    return motore;
}

QString SintesiEspeak::avvia()
{
    if (!espeak.risolvi())
        return QStringLiteral("manca la libreria della voce (il pacchetto libespeak-ng1)");
#ifdef Q_OS_WIN
    // The voice's data travels with the program, in espeak-ng-data beside it.
    espeak.InitializePath(cartellaAnsi(toolkit::App_Path()).constData());
    const QString dati = QStringLiteral("mancano i dati della voce (la cartella espeak-ng-data accanto a Parsilia)");
#else
    espeak.InitializePath(nullptr);
    const QString dati = QStringLiteral("mancano i dati della voce (il pacchetto espeak-ng-data)");
#endif
    espeak_ng_ERROR_CONTEXT contesto = nullptr;
    const espeak_ng_STATUS stato = espeak.Initialize(&contesto);
    espeak.ClearErrorContext(&contesto);
    if (stato != ENS_OK)
        return dati;
    if (espeak.InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr) != ENS_OK)
        return dati;
    m_frequenza = espeak.GetSampleRate();
    if (espeak.SetVoiceByName("it") != ENS_OK)
        return QStringLiteral("manca la voce italiana tra i dati della voce");
    espeak.SetParameter(espeakRATE, parolePerMinuto, 0);
    espeak.SetSynthCallback(raccogli);
    return QString();
}

QByteArray SintesiEspeak::wav(const QStringList &parlate, const std::function<bool()> &annullata)
{
    std::lock_guard<std::mutex> turno(m_turno);
    Raccolta r;
    r.annullata = &annullata;
    raccolta = &r;
    for (const QString &parlata : parlate) {
        if (std::none_of(parlata.cbegin(), parlata.cend(), [](QChar c) { return c.isLetterOrNumber(); }))
            continue;
        const QByteArray testo = parlata.toUtf8();
        if (!r.campioni.empty())
            r.campioni.resize(r.campioni.size() + size_t(pausaTraLeParti * m_frequenza), 0);
        espeak.Synthesize(testo.constData(), size_t(testo.size()) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
                          nullptr, nullptr);
        if (r.interrotta)
            break;
    }
    raccolta = nullptr;
    if (r.interrotta || r.campioni.empty())
        return QByteArray();
    return ondaWav(r.campioni, m_frequenza);
}

QString SintesiEspeak::fonemi(const QString &testo)
{
    std::lock_guard<std::mutex> turno(m_turno);
    const QByteArray utf8 = testoParlato(testo).toUtf8();
    const void *resto = utf8.constData();
    QStringList fonemi;
    // A clause at a time.
    while (resto) {
        if (const char *f = espeak.TextToPhonemes(&resto, espeakCHARS_UTF8, espeakPHONEMES_IPA))
            fonemi.append(QString::fromUtf8(f).trimmed());
    }
    return fonemi.join(QLatin1Char(' ')).trimmed();
}
