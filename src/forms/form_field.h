#pragma once

// One description per field of an editor form. The screen model owns the list and keeps every
// rule of a field; the app lays the list out, the command line makes its options from it, and
// nothing else describes the form again.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tockary {

// How a field is filled: typed text, a typed number (a price), the notes, a catalogue wheel,
// a number wheel, the three measure columns, a date wheel, or a picture.
enum class FieldKind { Text, Number, Notes, Catalogue, Wheel, Measure, Date, Picture };

// The kind as front ends and scripts name it: "text", "number", "notes", "catalogue", "wheel",
// "measure", "date", "picture".
std::string_view fieldKindName(FieldKind kind);

// The fixed texts a catalogue wheel offers; they are the stored values, byte for byte.
using Choices = std::span<const std::string_view>;

struct FieldDescriptor {
  std::string_view outlet{};     // the screen's name for the field: "caseDiameterTextField"
  std::string_view attribute{};  // where it is stored: "halkaisija"
  std::string_view caption{};    // what both front ends call it: "Diameter (mm)"
  FieldKind kind = FieldKind::Text;
  std::string_view option{};       // the command line's option, without dashes: "diameter"
  std::string_view section{};      // the heading it stands under
  std::string_view placeholder{};  // shown while it is empty
  // The wheel it opens (fields may share one), the title of the button above it, and for a
  // catalogue its rows and the text it proposes when opened.
  std::string_view picker{};
  std::string_view prompt{};
  Choices choices{};
  std::string_view proposal{};
  std::string_view example{};  // a value as a user would give it, for help texts: "40.5"

  bool opensWheel() const {
    return kind == FieldKind::Catalogue || kind == FieldKind::Wheel || kind == FieldKind::Measure ||
           kind == FieldKind::Date;
  }
};

// The field whose outlet or option is `name`, or nullptr.
const FieldDescriptor* findField(std::span<const FieldDescriptor> fields, std::string_view name);

// One column of a wheel as a front end shows it.
struct WheelColumn {
  std::vector<std::string> titles;
  double width = 0;
  int selected = 0;
};

// The wheel shown below the field being edited, with the title of its toolbar button.
struct Wheel {
  std::string outlet;
  std::string toolbarTitle;
  std::vector<WheelColumn> columns;
};

}  // namespace tockary
