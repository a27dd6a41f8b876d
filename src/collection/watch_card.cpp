#include "collection/watch_card.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "collection/my_watch_collection_table_view_cell.h"
#include "platform/format/number_text.h"
#include "platform/render/renderer.h"
#include "store/collection_model.h"
#include "store/watch_captions.h"
#include "watch/wear_counter.h"

namespace tockary {

namespace {

enum class CardStyle { Title, Column, Diagram };

struct CardPlace {
  std::string_view role;
  Point origin;
  CardStyle style;
};

// Which text goes where on the panel, in drawing order. The title and the two columns read top
// down; the diagram's labels sit at the measure lines that "watch_dimensions" draws for them
// (lug width above the top lugs, diameter under the line across the dial, thickness under the
// side view, lug-to-lug beside its line's lower end), the case's materials are listed at its
// right, and the dial's colour is the caption below the watch.
constexpr std::array<CardPlace, 23> kCardPanelLayout = {{
    {"brand", {100, 770}, CardStyle::Title},
    {"model", {100, 890}, CardStyle::Title},
    {"year", {100, 1010}, CardStyle::Title},
    {"statisticsHeading", {100, 1200}, CardStyle::Column},
    {"lastWorn", {100, 1280}, CardStyle::Column},
    {"daysAgo", {100, 1360}, CardStyle::Column},
    {"wearCount", {100, 1440}, CardStyle::Column},
    {"wearRate", {100, 1520}, CardStyle::Column},
    {"specificationsHeading", {1300, 1200}, CardStyle::Column},
    {"movementType", {1300, 1280}, CardStyle::Column},
    {"calibre", {1300, 1360}, CardStyle::Column},
    {"beatRate", {1300, 1440}, CardStyle::Column},
    {"powerReserve", {1300, 1520}, CardStyle::Column},
    {"diameter", {480, 2500}, CardStyle::Diagram},
    {"thickness", {1070, 2500}, CardStyle::Diagram},
    {"lugToLug", {1420, 2850}, CardStyle::Diagram},
    {"glass", {1620, 2150}, CardStyle::Diagram},
    {"dial", {800, 3250}, CardStyle::Diagram},
    {"lugWidth", {235, 1855}, CardStyle::Diagram},
    {"crown", {1620, 1900}, CardStyle::Diagram},
    {"waterResistance", {1620, 1980}, CardStyle::Diagram},
    {"bezel", {1620, 2300}, CardStyle::Diagram},
    {"case", {1620, 2470}, CardStyle::Diagram},
}};

TextRun styled(std::string text, CardStyle style) {
  TextRun run;
  run.text = std::move(text);
  run.fontName = style == CardStyle::Diagram ? "Courier-Bold" : "HelveticaNeue-Bold";
  run.pointSize = style == CardStyle::Title ? 90 : 70;
  run.colour = kWhite;
  run.shadow = Shadow{3, 3, 0, kBlack};
  return run;
}

std::size_t roleIndex(std::string_view role) {
  return static_cast<std::size_t>(std::find(kCardTextRoles.begin(), kCardTextRoles.end(), role) -
                                  kCardTextRoles.begin());
}

// `before` + value + `after`, or `placeholder` when the value is absent or empty.
std::string formed(const std::optional<std::string>& value, std::string_view before = {},
                   std::string_view after = {}, std::string_view placeholder = kNoFigure) {
  if (!value || value->empty()) return std::string(placeholder);
  return std::string(before) + *value + std::string(after);
}

// The panel is shown at an eighth of its size, on a screen of two pixels per point.
constexpr double kPanelPixelsPerPoint = 2.0 / 8;

SheetImage cardImage(Frame frame, PictureDecoration decoration = {}) {
  SheetImage image;
  image.frame = frame;
  image.decoration = decoration;
  image.xFromCentre = true;
  return image;
}

// The row's icon for the watch's status, strap sizes included.
std::string cardStatusIcon(const Kello& watch) {
  return statusIconName(watch.varasarake2().value_or(""), watch.lugivali().value_or(""));
}

}  // namespace

WatchCardTexts watchCardTexts(const Kello& watch, double collectionWearTotal, Date now,
                              const Formatters& formatters) {
  const std::optional<Date> lastWorn = watch.varasarake5();
  const double wears = watch.varasarake4();
  const double rate = wears / collectionWearTotal * 100;
  // A collection without wears has no rate to show, as the rows say.
  const std::string rateText =
      std::isfinite(rate) ? wearRateText(wears, collectionWearTotal) : std::string(kNoFigure);
  return {
      formed(watch.merkki()),
      formed(watch.malli()),
      formed(watch.vuosimalli()),
      "WRIST STATISTICS:",
      lastWorn ? "Last worn: " + formatters.shortDate(*lastWorn) : std::string(kNoFigure),
      lastWorn
          ? "(" + std::to_string(formatters.calendar().daysBetween(*lastWorn, now)) + " days ago)"
          : std::string(kNoFigure),
      "Wear count: " + wholeNumberText(wears),
      "Wear rate: " + rateText,
      "WATCH SPECIFICATIONS",
      formed(watch.koneistotyyppi(), {}, {}, "----- mvmt. type"),
      formed(watch.koneisto()),
      formed(watch.bph(), {}, " vibrations per hour"),
      formed(watch.powerreserve(), {}, " hours power reserve", "----- reserve hours"),
      formed(watch.varasarake1(), {}, "mm"),
      formed(watch.halkaisija(), {}, "mm"),
      formed(watch.lugivali(), {}, "mm"),
      formed(watch.paksuus(), {}, "mm"),
      formed(watch.lasi()),
      formed(watch.kruunu(), {}, " crown", "----- crown type"),
      formed(watch.vedenpitavyys(), "(W.R. ", ")"),
      formed(watch.bezelmateriaali()),
      formed(watch.kuorenmateriaali()),
      formed(watch.tauluvari(), {}, " dial", "----- dial"),
  };
}

Drawing watchCardPanel(const WatchCardTexts& texts) {
  Drawing panel;
  panel.size = kCardPanelSize;
  for (const CardPlace& place : kCardPanelLayout) {
    DrawnText text;
    text.runs.push_back(styled(texts.at(roleIndex(place.role)), place.style));
    text.frame = {place.origin.x, place.origin.y, kCardTextBox.width, kCardTextBox.height};
    panel.elements.emplace_back(std::move(text));
  }
  return panel;
}

Result<Sheet> watchCardSheet(const Kello& watch, const WatchCardTexts& texts) {
  auto panel = renderPng(watchCardPanel(texts), kPanelPixelsPerPoint);
  if (!panel) return panel.status();

  Sheet sheet;
  sheet.style = SheetStyle::ActionSheet;
  sheet.actions.push_back(okAction());

  sheet.images.push_back(cardImage(kCardOuterFrame, {kDarkGray, 25, kGray, 7, 20, 1.0, 4, 4}));
  SheetImage inner = cardImage(kCardInnerFrame, {kDarkGray, 25, kDarkGray, 2, 10, 0.9, 4, 4});
  inner.alpha = 0.92;
  sheet.images.push_back(std::move(inner));
  SheetImage picture = cardImage(kCardPictureFrame, {std::nullopt, 5, kGray, 4, 0, 0});
  picture.picture = watch.kellokuva().value_or(Bytes{});
  sheet.images.push_back(std::move(picture));
  SheetImage diagram = cardImage(kCardDiagramFrame);
  diagram.assetName = std::string(kCardDiagramImage);
  sheet.images.push_back(std::move(diagram));
  SheetImage status = cardImage(kCardStatusIconFrame);
  status.assetName = cardStatusIcon(watch);
  status.alpha = kCardStatusIconAlpha;
  status.animatedTo = kCardStatusIconGrown;
  status.animatedAlpha = 1.0;
  status.animation = kCardStatusIconSpring;
  sheet.images.push_back(std::move(status));
  SheetImage panelImage = cardImage(kCardInnerFrame);
  panelImage.picture = std::move(*panel);
  sheet.images.push_back(std::move(panelImage));
  return sheet;
}

Result<WatchCard> watchCard(const Kello& watch, AppServices& services) {
  WatchCardTexts texts = watchCardTexts(watch, totalWearCount(services.context()),
                                        services.clock.now(), services.formatters);
  auto sheet = watchCardSheet(watch, texts);
  if (!sheet) return sheet.status();
  std::string statusIcon = cardStatusIcon(watch);
  return WatchCard{std::move(texts), std::move(statusIcon), std::move(*sheet)};
}

Drawing watchCardDrawing(const Sheet& cardSheet) {
  const auto restingFrame = [](const SheetImage& image) {
    return image.animatedTo.value_or(image.frame);
  };
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
  bool first = true;
  for (const SheetImage& image : cardSheet.images) {
    Frame f = restingFrame(image);
    const PictureDecoration& d = image.decoration;
    if (d.shadowOpacity > 0) {  // the shadow's blur on the page too
      const double r = d.shadowRadius;
      const double x0 = std::min(f.x, f.x + d.shadowOffsetX - r);
      const double y0 = std::min(f.y, f.y + d.shadowOffsetY - r);
      const double x1 = std::max(f.x + f.width, f.x + f.width + d.shadowOffsetX + r);
      const double y1 = std::max(f.y + f.height, f.y + f.height + d.shadowOffsetY + r);
      f = {x0, y0, x1 - x0, y1 - y0};
    }
    left = first ? f.x : std::min(left, f.x);
    top = first ? f.y : std::min(top, f.y);
    right = first ? f.x + f.width : std::max(right, f.x + f.width);
    bottom = first ? f.y + f.height : std::max(bottom, f.y + f.height);
    first = false;
  }
  Drawing card;
  card.size = {right - left, bottom - top};
  for (const SheetImage& image : cardSheet.images) {
    const Frame rest = restingFrame(image);
    const Frame f{rest.x - left, rest.y - top, rest.width, rest.height};
    const double alpha = image.animatedAlpha.value_or(image.alpha);
    const PictureDecoration& d = image.decoration;
    const auto faded = [&](Rgba colour) {
      colour.alpha *= alpha;
      return colour;
    };
    // As a layer is drawn: its background and shadow, its content clipped to its corners, then
    // its border over the content.
    if (d.background || d.shadowOpacity > 0) {
      FilledRect back;
      back.frame = f;
      back.colour = faded(d.background.value_or(Rgba{0, 0, 0, 0}));
      back.cornerRadius = d.cornerRadius;
      if (d.shadowOpacity > 0) {
        back.shadow = Shadow{d.shadowOffsetX, d.shadowOffsetY, d.shadowRadius,
                             faded(Rgba{0, 0, 0, d.shadowOpacity})};
      }
      card.elements.emplace_back(back);
    }
    if (!image.picture.empty() || !image.assetName.empty()) {
      DrawnPicture picture{image.picture, image.assetName, f, PictureScaling::AspectFit};
      picture.cornerRadius = d.cornerRadius;
      card.elements.emplace_back(std::move(picture));
    }
    if (d.borderWidth > 0) {
      FilledRect border;
      border.frame = f;
      border.colour = Rgba{0, 0, 0, 0};
      border.cornerRadius = d.cornerRadius;
      border.borderWidth = d.borderWidth;
      border.borderColour = faded(d.borderColor);
      card.elements.emplace_back(border);
    }
  }
  return card;
}

}  // namespace tockary
