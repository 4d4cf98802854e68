#pragma once

#include <array>
#include <stdexcept>

// Fixed tables whose every index is checked against their bounds; an index
// outside them is a program error and ends the program.
template<class T, int Righe>
class Tabella
{
public:
    T &operator()(int i) { return m_dati.at(indice(i)); }
    const T &operator()(int i) const { return m_dati.at(indice(i)); }
    void svuota() { m_dati.fill(T{}); }
    static constexpr int limiteSuperiore = Righe - 1;

private:
    static size_t indice(int i)
    {
        if (i < 0 || i >= Righe)
            throw std::out_of_range("table index out of bounds");
        return size_t(i);
    }
    std::array<T, Righe> m_dati{};
};

template<class T, int Righe, int Colonne>
class Tabella2
{
public:
    T &operator()(int r, int c) { return m_dati.at(indice(r, c)); }
    const T &operator()(int r, int c) const { return m_dati.at(indice(r, c)); }
    void svuota() { m_dati.fill(T{}); }

private:
    static size_t indice(int r, int c)
    {
        if (r < 0 || r >= Righe || c < 0 || c >= Colonne)
            throw std::out_of_range("table index out of bounds");
        return size_t(r) * Colonne + size_t(c);
    }
    std::array<T, size_t(Righe) * Colonne> m_dati{};
};
