#include "accuracy/accuracy_summary.h"

#include <algorithm>
#include <cmath>

#include "accuracy/measurement.h"
#include "platform/store/predicate.h"
#include "store/records.h"

namespace tockary {

std::string WatchAccuracy::text() const {
  if (measurements == 1) return watch + ": 1 measurement, " + signedRateText(mean) + " sec/d";
  return watch + ": " + std::to_string(measurements) + " measurements, mean " +
         signedRateText(mean) + " sec/d (lowest " + signedRateText(lowest) + ", highest " +
         signedRateText(highest) + ")";
}

std::vector<WatchAccuracy> accuracySummary(ManagedObjectContext& context) {
  FetchRequest request = Varataulu::fetchRequest();
  request.predicate = Predicate("varaString5 = %@", {std::string(kMeasurementReady)});
  request.sortDescriptors = {{"varaString1", true}};
  std::vector<WatchAccuracy> summary;
  const auto records = context.fetch<Varataulu>(request);
  if (!records) return summary;
  double sum = 0;
  for (const auto& record : *records) {
    const double rate = record->varaDouble1();
    if (!std::isfinite(rate)) continue;
    const std::string watch = record->varaString1().value_or("");
    if (summary.empty() || summary.back().watch != watch) {
      if (!summary.empty()) summary.back().mean = sum / summary.back().measurements;
      summary.push_back({watch, 0, 0, rate, rate});
      sum = 0;
    }
    WatchAccuracy& entry = summary.back();
    ++entry.measurements;
    sum += rate;
    entry.lowest = std::min(entry.lowest, rate);
    entry.highest = std::max(entry.highest, rate);
  }
  if (!summary.empty()) summary.back().mean = sum / summary.back().measurements;
  return summary;
}

}  // namespace tockary
