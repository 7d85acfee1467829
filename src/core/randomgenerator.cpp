#include "randomgenerator.h"

#include <chrono>

namespace {
std::int64_t systemSeconds() {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}
} // namespace

RandomGenerator::RandomGenerator() : RandomGenerator(systemSeconds) {}

RandomGenerator::RandomGenerator(Clock clock) : m_clock(std::move(clock)) {
    seedFromClock();
}

void RandomGenerator::seed(std::uint32_t value) {
    m_engine.seed(value);
}

void RandomGenerator::seedFromClock() {
    seed(static_cast<std::uint32_t>(m_clock ? m_clock() : 0));
}

std::int32_t RandomGenerator::next() {
    return static_cast<std::int32_t>(m_engine() >> 1);
}

int RandomGenerator::below(int count) {
    return count > 0 ? next() % count : 0;
}
