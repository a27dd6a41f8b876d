#pragma once

// The watch card of a collection row: the watch as a collector's card, with its picture, the
// dimension diagram, the status icon and a panel of its wear statistics and specifications.

#include <array>
#include <string>
#include <string_view>

#include "platform/format/clock.h"
#include "platform/format/formatters.h"
#include "platform/render/drawing.h"
#include "platform/status.h"
#include "platform/ui/sheet.h"
#include "store/app_services.h"
#include "store/records.h"

namespace tockary {

// The card's texts by role, in the order a person reads them: the title, the wrist statistics,
// the specifications, then the diagram's labels.
inline constexpr std::array<std::string_view, 23> kCardTextRoles = {"brand",
                                                                    "model",
                                                                    "year",
                                                                    "statisticsHeading",
                                                                    "lastWorn",
                                                                    "daysAgo",
                                                                    "wearCount",
                                                                    "wearRate",
                                                                    "specificationsHeading",
                                                                    "movementType",
                                                                    "calibre",
                                                                    "beatRate",
                                                                    "powerReserve",
                                                                    "lugToLug",
                                                                    "diameter",
                                                                    "lugWidth",
                                                                    "thickness",
                                                                    "glass",
                                                                    "crown",
                                                                    "waterResistance",
                                                                    "bezel",
                                                                    "case",
                                                                    "dial"};

// One text per role of kCardTextRoles, in that order.
using WatchCardTexts = std::array<std::string, kCardTextRoles.size()>;

// The card's texts for `watch`. `collectionWearTotal` is every watch's wears, sold ones included;
// `now` counts the days since the last wear. A text whose value is absent or empty is "-----",
// or the placeholder its line names ("----- mvmt. type").
WatchCardTexts watchCardTexts(const Kello& watch, double collectionWearTotal, Date now,
                              const Formatters& formatters);

// The text panel: 2400 x 4000 points, each text white with a black shadow, laid out from the
// origin of a 2500 x 448 rectangle in one of three styles.
inline constexpr Size kCardPanelSize{2400, 4000};
inline constexpr Size kCardTextBox{2500, 448};
Drawing watchCardPanel(const WatchCardTexts& texts);

// Where the card sits on its sheet, in points from the sheet's horizontal centre and its top
// (the card stands above the sheet). The panel covers the inner card.
inline constexpr Frame kCardOuterFrame{-190, -585, 360, 570};
inline constexpr Frame kCardInnerFrame{-160, -500, 300, 500};
inline constexpr Frame kCardPictureFrame{-72, -90, 150, 80};
inline constexpr Frame kCardDiagramFrame{-160, -280, 200, 190};
inline constexpr Frame kCardStatusIconFrame{-47, -520, 10, 10};
inline constexpr Frame kCardStatusIconGrown{-47, -520, 100, 100};
inline constexpr double kCardStatusIconAlpha = 0.1;
inline constexpr SpringAnimation kCardStatusIconSpring{3.0, 0.8, 0.5};
inline constexpr std::string_view kCardDiagramImage = "watch_dimensions";

// The card's sheet: no title, "OK" (which only closes it), and the card's pictures in drawing
// order: outer card, inner card, the watch's front picture (empty without one), the diagram, the
// status icon (which springs to its full size once shown) and the rendered panel. Fails only
// when the panel cannot be rendered.
Result<Sheet> watchCardSheet(const Kello& watch, const WatchCardTexts& texts);

// A watch's card with the collection's figures as they are now.
struct WatchCard {
  WatchCardTexts texts;
  std::string statusIcon;  // the icon's asset name
  Sheet sheet;
};
Result<WatchCard> watchCard(const Kello& watch, AppServices& services);

// The card as one picture, as it rests once its sheet has been shown: its pictures from the
// sheet's own, in a drawing as large as the outer card.
Drawing watchCardDrawing(const Sheet& cardSheet);

}  // namespace tockary
