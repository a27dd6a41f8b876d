#pragma once

#include <optional>
#include <string>

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
};

// The hand-over of a watch's current attributes (reads its pictures).
WatchHandOver handOverFrom(const Kello& watch);

}  // namespace tockary
