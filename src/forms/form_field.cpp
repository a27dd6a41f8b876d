#include "forms/form_field.h"

namespace tockary {

std::string_view fieldKindName(FieldKind kind) {
  switch (kind) {
    case FieldKind::Text:
      return "text";
    case FieldKind::Number:
      return "number";
    case FieldKind::Notes:
      return "notes";
    case FieldKind::Catalogue:
      return "catalogue";
    case FieldKind::Wheel:
      return "wheel";
    case FieldKind::Measure:
      return "measure";
    case FieldKind::Date:
      return "date";
    case FieldKind::Picture:
      return "picture";
  }
  return "text";
}

const FieldDescriptor* findField(std::span<const FieldDescriptor> fields, std::string_view name) {
  for (const FieldDescriptor& field : fields) {
    if (field.outlet == name || field.option == name) return &field;
  }
  return nullptr;
}

}  // namespace tockary
