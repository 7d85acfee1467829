#pragma once

#include <cstdint>
#include <functional>
#include <random>

// The one pseudo-random source of the program: word draws, deals and feedback sounds all take
// their numbers from it. The catalogue reseeds it from the clock (whole seconds) at each draw;
// tests give it a fixed clock so that every draw is repeatable.
class RandomGenerator {
public:
    using Clock = std::function<std::int64_t()>; // seconds since the epoch

    RandomGenerator(); // seeded from, and reseeding from, the system clock
    explicit RandomGenerator(Clock clock);

    void seed(std::uint32_t value);
    void seedFromClock();
    // A non-negative 31-bit number; callers take it modulo their count.
    std::int32_t next();
    // next() mod count, 0 when count is not positive.
    int below(int count);

private:
    Clock m_clock;
    std::mt19937 m_engine;
};
