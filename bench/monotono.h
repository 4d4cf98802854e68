#pragma once

#include <chrono>

// The monotonic clock every process of the machine shares (steady_clock is
// CLOCK_MONOTONIC on Linux), in nanoseconds: the start-up programs print
// their marks on it and bench_cronometro reads it when it starts them.
inline long long nanosecondiMonotoni()
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}
