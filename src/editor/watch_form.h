#pragma once

#include <span>
#include <string_view>

#include "forms/form_field.h"

namespace tockary {

// Every field of the watch form, once, in the order the form shows them: the two pictures, the
// thirty-three fields of the watch in their sections, and the notes.
std::span<const FieldDescriptor> watchFormFields();

// The title of the button that stamps today's date into the notes.
inline constexpr std::string_view kWatchFormDatestampTitle = "Insert Date";

}  // namespace tockary
