#pragma once

#include <QTime>

#include "pictures/Random.h"

namespace quillet::testing {

// A time of day whose seed makes the congratulation window pick `picture`
// (0..3): the first one from 10:20:30 on, a millisecond at a time.
inline QTime TimeOfPicture(int picture) {
    QTime time(10, 20, 30, 0);
    RandomGenerator random;
    for (random.Randomize(time); random.Random(4) != picture; random.Randomize(time))
        time = time.addMSecs(1);
    return time;
}

}  // namespace quillet::testing
