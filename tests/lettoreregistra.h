#pragma once

#include "services/lettore.h"

#include <QFileInfo>
#include <QStringList>

// A player for tests: it plays nothing and remembers every file and every
// reading of the voice asked of it.
class LettoreRegistra : public Lettore
{
public:
    LettoreRegistra() { Lettore::imposta(this); }
    ~LettoreRegistra() override
    {
        if (&Lettore::corrente() == this)
            Lettore::imposta(nullptr);
    }

    void riproduci(const QString &percorso) override { richieste.append(percorso); }
    void riproduciWav(const QByteArray &wav) override { voci.append(wav); }

    // The cue names asked for, without folder and extension.
    QStringList nomi() const
    {
        QStringList n;
        for (const QString &p : richieste)
            n.append(QFileInfo(p).fileName().chopped(4));
        return n;
    }

    QStringList richieste;
    QList<QByteArray> voci;
};
