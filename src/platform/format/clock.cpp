#include "platform/format/clock.h"

namespace tockary {

Clock::~Clock() = default;

Date SystemClock::now() const {
  return std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::system_clock::now());
}

}  // namespace tockary
