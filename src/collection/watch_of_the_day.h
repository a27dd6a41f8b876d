#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "platform/status.h"
#include "platform/ui/sheet.h"
#include "store/app_services.h"
#include "store/records.h"

namespace tockary {

inline constexpr std::string_view kDrawAgainAction = "drawAgain";
inline constexpr std::string_view kWearTodayAction = "wearToday";

// A whole number drawn uniformly from 0 … bound − 1; `bound` is at least 1.
using UniformSource = std::function<std::uint32_t(std::uint32_t bound)>;
// The system's generator, seeded once from the operating system's entropy.
UniformSource systemUniformSource();

// The framed picture of the watch of the day and how it spins once shown.
inline constexpr Frame kRouletteFrame{80, -240, 240, 240};
inline constexpr Frame kRoulettePicture{80, -220, 200, 200};
inline constexpr SpinAnimation kRouletteSpin{720, 1.0, 0.4};

// The collection's watch of the day: one unsold watch drawn at random, offered to be worn today.
class WatchOfTheDay {
 public:
  // `services` must outlive this object, and this object every sheet it presented.
  explicit WatchOfTheDay(AppServices& services, UniformSource uniform = systemUniformSource());

  // Draws one unsold watch, each equally likely, and presents its sheet: "Draw again" draws
  // anew, "Wear today" logs a wear of it, "Cancel". Without an unsold watch (or when the fetch
  // fails) nothing is presented and null is returned.
  std::shared_ptr<Kello> startRoulette();

  // Run after a "Wear today" that was saved (the list shows the new count). Empty: nothing.
  std::function<void()> wearLogged;

  // The watch of the last draw; null before any or after a draw that found none.
  const std::shared_ptr<Kello>& drawnWatch() const { return drawn_; }
  // The outcome of the last "Wear today" (ok before any): a busy store changes nothing, a failed
  // save keeps the wear pending.
  const Status& wearStatus() const { return wearStatus_; }

 private:
  Sheet sheetFor(const std::shared_ptr<Kello>& watch);

  AppServices& services_;
  UniformSource uniform_;
  std::shared_ptr<Kello> drawn_;
  Status wearStatus_;
};

}  // namespace tockary
