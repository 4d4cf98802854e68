#pragma once

#include <stdexcept>
#include <vector>

// Tables whose every index is checked against their bounds; an index outside
// them is a program error and ends the program. Rows run from 0 to Righe - 1
// at program start; ridimensiona() gives a table other bounds once (a
// teacher's bank has as many rows as it has sentences), and they are fixed
// again from then on.
template<class T, int Righe>
class Tabella
{
public:
    T &operator()(int i) { return m_dati.at(indice(i)); }
    const T &operator()(int i) const { return m_dati.at(indice(i)); }
    void svuota() { m_dati.assign(m_dati.size(), T{}); }
    // Rows 0 .. righe - 1, every element empty.
    void ridimensiona(int righe)
    {
        if (righe < 1)
            throw std::out_of_range("a table needs at least one row");
        m_dati.assign(size_t(righe), T{});
    }
    int limiteSuperiore() const { return int(m_dati.size()) - 1; }

private:
    size_t indice(int i) const
    {
        if (i < 0 || i > limiteSuperiore())
            throw std::out_of_range("table index out of bounds");
        return size_t(i);
    }
    std::vector<T> m_dati = std::vector<T>(Righe);
};

template<class T, int Righe, int Colonne>
class Tabella2
{
public:
    T &operator()(int r, int c) { return m_dati.at(indice(r, c)); }
    const T &operator()(int r, int c) const { return m_dati.at(indice(r, c)); }
    void svuota() { m_dati.assign(m_dati.size(), T{}); }
    // Rows 0 .. righe - 1, the same columns, every element empty.
    void ridimensiona(int righe)
    {
        if (righe < 1)
            throw std::out_of_range("a table needs at least one row");
        m_righe = righe;
        m_dati.assign(size_t(righe) * Colonne, T{});
    }
    int limiteSuperiore() const { return m_righe - 1; }

private:
    size_t indice(int r, int c) const
    {
        if (r < 0 || r >= m_righe || c < 0 || c >= Colonne)
            throw std::out_of_range("table index out of bounds");
        return size_t(r) * Colonne + size_t(c);
    }
    int m_righe = Righe;
    std::vector<T> m_dati = std::vector<T>(size_t(Righe) * Colonne);
};
