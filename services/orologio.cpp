#include "orologio.h"

#include <QTime>

#include <chrono>
#include <ctime>
#include <random>
#include <thread>

namespace {

std::mt19937 &generatore()
{
    static std::mt19937 g(std::random_device{}());
    return g;
}

Orologio &reale()
{
    static Orologio o;
    return o;
}

Orologio *&attuale()
{
    static Orologio *o = &reale();
    return o;
}

} // namespace

double Orologio::Timer()
{
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

double Orologio::monotono()
{
    // The boot-time clock goes on while the machine is suspended: a series
    // left open with the lid closed is not a record. Windows has only the
    // monotonic one (mingw's, on the performance counter).
    timespec t{};
#ifdef CLOCK_BOOTTIME
    if (clock_gettime(CLOCK_BOOTTIME, &t) != 0)
#endif
        clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

void Orologio::attendi(double secondi)
{
    if (secondi > 0)
        std::this_thread::sleep_for(std::chrono::duration<double>(secondi));
}

bool Orologio::conta(Temporizzatore *, int)
{
    return false;
}

void Orologio::Randomize()
{
    using namespace std::chrono;
    const auto adesso = high_resolution_clock::now().time_since_epoch().count();
    generatore().seed(static_cast<std::mt19937::result_type>(adesso ^ (adesso >> 32)));
}

float Orologio::Rnd()
{
    // 24 random bits: every value is exact in single precision and below 1.
    return static_cast<float>(generatore()() >> 8) / 16777216.0f;
}

Orologio &Orologio::corrente()
{
    return *attuale();
}

void Orologio::imposta(Orologio *orologio)
{
    attuale() = orologio ? orologio : &reale();
}
