#pragma once
// The local wall clock.

namespace tvz::platform {

struct LocalTime {
  int year, month, day, hour, minute, second;
};

// Now, in the user's time zone.
LocalTime Now();

}  // namespace tvz::platform
