#include "ui/Random.h"

#include <QDateTime>

#include <utility>

namespace quillet {
namespace {

std::uint32_t state = 0;
TimeOfDaySource timeOfDaySource;

QTime CurrentUtcTimeOfDay() {
    return timeOfDaySource ? timeOfDaySource() : QDateTime::currentDateTimeUtc().time();
}

}  // namespace

std::uint32_t TimeOfDaySeed(const QTime& time) {
    return static_cast<std::uint32_t>(
        ((time.hour() * 60 + time.minute()) * 60 + time.second()) * 1000 + time.msec());
}

void Randomize() { RandomizeAt(CurrentUtcTimeOfDay()); }

void RandomizeAt(const QTime& time) { state = TimeOfDaySeed(time); }

void SetRandomSeed(std::uint32_t seed) { state = seed; }

std::uint32_t RandomSeed() { return state; }

int Random(int n) {
    // Unsigned arithmetic wraps modulo 2^32, which is the generator's modulus.
    state = state * 134775813u + 1u;
    if (n <= 0) return 0;
    return static_cast<int>((static_cast<std::uint64_t>(state) * static_cast<std::uint32_t>(n)) >> 32);
}

void SetTimeOfDaySource(TimeOfDaySource source) { timeOfDaySource = std::move(source); }

}  // namespace quillet
