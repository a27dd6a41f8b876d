#pragma once

#include <span>
#include <string_view>

#include "forms/form_field.h"

namespace tockary {

// The screens of the accuracy measurements, by the names under which front ends know them.
inline constexpr std::string_view kMeasurementListScreen = "AccuracyTableViewController";
inline constexpr std::string_view kMeasurementScreen = "InsertAccuracyTableViewController";

// The fields of the measurement screen: the watch measured and where it spends the measurement.
std::span<const FieldDescriptor> accuracyFormFields();

}  // namespace tockary
