#pragma once

#include "services/voce.h"

#include <QList>

// A voice for tests: it reads nothing and remembers every reading asked of
// it. While it is there, the voice is on.
class VoceRegistra : public Voce
{
public:
    VoceRegistra() { Voce::imposta(this); }
    ~VoceRegistra() override
    {
        if (Voce::corrente() == this)
            Voce::imposta(nullptr);
    }

    void leggi(const QStringList &parti) override { letture.append(parti); }
    void taci() override { ++silenzi; }

    QList<QStringList> letture;
    int silenzi = 0;
};
