#pragma once

#include <span>
#include <string_view>

#include "forms/form_field.h"

namespace tockary {

// Every field of the watch form, once, in the order the form shows them: the two pictures, the
// thirty-three fields of the watch in their sections, and the notes.
std::span<const FieldDescriptor> watchFormFields();

// The rest of the form's own texts.
inline constexpr std::string_view kWatchFormPictureHint = "Tap a picture to replace it";
inline constexpr std::string_view kWatchFormDatestampTitle = "Insert Date";
inline constexpr std::string_view kWatchFormSaveTitle = "Save";

}  // namespace tockary
