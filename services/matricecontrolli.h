#pragma once

#include <QAbstractButton>
#include <QVector>
#include <QtGlobal>

// A control array: elements addressed from 1, one click handler for all of
// them that receives the index of the element pressed.
template<class T>
class MatriceControlli
{
public:
    void aggiungi(T *controllo) { m_elementi.append(controllo); }

    T *operator()(int indice) const
    {
        if (indice < 1 || indice > m_elementi.size())
            qFatal("Indice %d fuori dai limiti della matrice di controlli (1..%d)", indice,
                   int(m_elementi.size()));
        return m_elementi.at(indice - 1);
    }

    int UBound() const { return int(m_elementi.size()); }

    // Binds every element's click to one handler taking the element's index.
    template<class Gestore>
    void suClick(QObject *contesto, Gestore gestore) const
    {
        for (int i = 0; i < m_elementi.size(); ++i) {
            const int indice = i + 1;
            QObject::connect(m_elementi.at(i), &QAbstractButton::clicked, contesto,
                             [gestore, indice] { gestore(indice); });
        }
    }

private:
    QVector<T *> m_elementi;
};
