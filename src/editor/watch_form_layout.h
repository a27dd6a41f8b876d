#pragma once

#include <span>
#include <string_view>

#include "editor/insert_watch_table_view_controller.h"

namespace tockary {

// How a field of the watch form is edited, as a front end needs to know before it opens.
enum class FormInput { Keyboard, Wheel, MeasureWheel, DateWheel };

// One row of the form as laid out for a front end.
struct FormRowInfo {
  std::string_view outlet;  // the screen's field name
  std::string_view label;
  std::string_view placeholder;  // shown while the field is empty
  FormTextField InsertWatchTableViewController::*field;
  FormInput input;
};

struct FormSectionInfo {
  std::string_view title;
  std::span<const FormRowInfo> rows;
};

// Every text field of the form, once, in the order the form shows them.
std::span<const FormSectionInfo> watchFormSections();
// The row of `outlet`, or nullptr.
const FormRowInfo* watchFormRow(std::string_view outlet);

// The rest of the form's own texts.
inline constexpr std::string_view kWatchFormPicturesTitle = "Pictures";
inline constexpr std::string_view kWatchFormFrontPictureLabel = "Front";
inline constexpr std::string_view kWatchFormBackPictureLabel = "Back";
inline constexpr std::string_view kWatchFormPictureHint = "Tap a picture to replace it";
inline constexpr std::string_view kWatchFormNotesTitle = "Notes";
inline constexpr std::string_view kWatchFormDatestampTitle = "Insert Date";
inline constexpr std::string_view kWatchFormSaveTitle = "Save";

}  // namespace tockary
