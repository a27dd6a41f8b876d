#pragma once

#include <QString>
#include <QVariantList>

#include <optional>

#include "forms/form_field.h"

namespace tockary::gui {

// The wheel a page shows below the field being edited, as its screen last gave it, in the shape
// the wheel panel takes. Tells what a new wheel changed, so that turning one does not rebuild it.
class ShownWheel {
 public:
  struct Change {
    bool another = false;  // another field's wheel, or none
    bool turned = false;   // other rows or another row chosen
  };
  Change update(std::optional<Wheel> wheel);

  // Empty when no wheel is shown.
  QString outlet() const;
  QString toolbarTitle() const;
  int columnCount() const;
  // [{titles, width, selected}] per column.
  QVariantList columns() const;

 private:
  std::optional<Wheel> wheel_;
};

}  // namespace tockary::gui
