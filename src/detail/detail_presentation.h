#pragma once

// The texts of the watch detail screen, as pure functions of the watch's values.

#include <optional>
#include <string>

#include "platform/format/formatters.h"
#include "store/watch_captions.h"

namespace tockary {

// The one-line identity of a watch and the navigation title that goes with it; `title` is
// nullopt when the identity leaves the screen's title as it was.
struct WatchIdentity {
  std::string line;
  std::optional<std::string> title;
};
WatchIdentity watchIdentity(const std::optional<std::string>& brand,
                            const std::optional<std::string>& model,
                            const std::optional<std::string>& year, const Formatters& formatters);

// The sentence about the movement: type, calibre, power reserve (hours) and beat rate.
std::string movementSentence(const std::optional<std::string>& type,
                             const std::optional<std::string>& calibre,
                             const std::optional<std::string>& powerReserve,
                             const std::optional<std::string>& beatRate);

// An amount in the screen's currency style, kNoFigure when the formatter gives nothing.
std::string amountText(double amount, const Formatters& formatters);

// Purchase price per wear; kNoFigure for a price of 0 (or none).
std::string costPerWearText(std::optional<double> price, double count,
                            const Formatters& formatters);

}  // namespace tockary
