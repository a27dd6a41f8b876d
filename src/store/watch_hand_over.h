#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/date.h"
#include "store/records.h"

namespace tockary {

// What the detail screen hands the editor for edit mode: one value per form field, each absent
// when the watch's attribute is null. Status, wear count and last-worn date are not handed over:
// the editor never changes them.
struct WatchHandOver {
  std::optional<std::string> tempEditMerkki, tempEditMalli, tempEditVuosimalli, tempEditRefKoodi,
      tempEditSerialNumber, tempEditMovementType, tempEditMovement, tempEditPowerRes, tempEditBph,
      tempEditHalkaisija, tempEditKuorenMateriaali, tempEditPaksuus, tempEditLugWidth,
      tempEditBezelMaterial, tempEditGlass, tempEditWaterProof, tempEditDialColor,
      tempEditCrownType, tempEditSetCompleteness, tempEditComplication1, tempEditComplication2,
      tempEditComplication3, tempEditComplication4, tempEditComplication5, tempEditComplication6,
      tempEditPurchasedFrom, tempEditSoldTo, tempEditNotes, tempEditLugToLug;
  std::optional<double> tempEditPurchasePrice, tempEditSoldPrice;
  std::optional<Date> tempEditPurchaseDate, tempEditWarrantyEndDate, tempEditSoldDate;
  std::optional<Bytes> tempEditWatchPicture, tempEditWatchPictureBack;

  // The value handed over for a stored attribute ("merkki"); null when it is absent or not
  // handed over.
  Value value(std::string_view attribute) const;
};

// The hand-over of a watch's current attributes (reads its pictures).
WatchHandOver handOverFrom(const Kello& watch);

// What the editor receives in edit mode: the edit flag, the watch, the screen's title and the
// hand-over.
struct WatchEditRequest {
  bool editMode = true;
  ObjectID kelloID;
  std::string title;
  WatchHandOver values;
};

// Edit mode for `watch` as its detail screen opens it, titled "Edit Watch Details".
WatchEditRequest editRequestFor(const Kello& watch);

}  // namespace tockary
