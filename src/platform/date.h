#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

namespace tockary {

// An absolute point in time, millisecond precision (the store keeps seconds as a REAL).
using Date = std::chrono::sys_time<std::chrono::milliseconds>;

// Image bytes and other blobs.
using Bytes = std::vector<std::uint8_t>;

inline double secondsSince1970(Date d) {
  return static_cast<double>(d.time_since_epoch().count()) / 1000.0;
}

inline Date dateFromSecondsSince1970(double seconds) {
  return Date(std::chrono::milliseconds(
      static_cast<std::int64_t>(seconds * 1000.0 + (seconds < 0 ? -0.5 : 0.5))));
}

}  // namespace tockary
