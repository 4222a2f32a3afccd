#pragma once
#include "platform/hook.h"
#include "platform/local_clock.h"

namespace cli {

// --today: while an object of this class lives, the local clock reads midnight of the given day,
// for the default processing date and for the checks on the chosen one.
class FixedToday {
public:
    explicit FixedToday(double day);

private:
    platform::ScopedHook<CivilDateTime()> hook_;
};

}  // namespace cli
