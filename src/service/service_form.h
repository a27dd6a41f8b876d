#pragma once

#include <span>
#include <string_view>

#include "forms/form_field.h"

namespace tockary {

// The screens of the service records, by the names under which front ends know them.
inline constexpr std::string_view kServiceListScreen = "MyServicesTableViewController";
inline constexpr std::string_view kServiceDetailScreen = "TarkasteleHuoltoaTableViewController";
inline constexpr std::string_view kServiceEditorScreen = "InsertServiceTableViewController";

// The fields of the service editor in the order the form shows them; the detail screen shows the
// same values under the same captions.
std::span<const FieldDescriptor> serviceFormFields();

}  // namespace tockary
