#pragma once

#include <string>
#include <vector>

#include "platform/store/object_store.h"

namespace tockary {

// How accurate one watch has been over its finished measurements.
struct WatchAccuracy {
  std::string watch;  // the label the measurements name
  int measurements = 0;
  double mean = 0;  // seconds per day
  double lowest = 0;
  double highest = 0;

  // "Seiko SKX007: 2 measurements, mean +1.0 sec/d (lowest -2.0, highest +4.0)";
  // "Omega: 1 measurement, +4.8 sec/d".
  std::string text() const;
};

// One entry per watch label that has finished measurements, by label, computed afresh from the
// stored records. A result that is not a number (a run of no phone time) counts for nothing. A
// failed fetch gives no entries.
std::vector<WatchAccuracy> accuracySummary(ManagedObjectContext& context);

}  // namespace tockary
