#include "detail/watch_report.h"

#include <optional>

#include "detail/detail_presentation.h"
#include "detail/tarkastele_kelloa_table_view_controller.h"
#include "store/share_rules.h"

namespace tockary {

namespace {

constexpr std::string_view kTitleFont = "HelveticaNeue-Bold";
constexpr std::string_view kHeadingFont = "HelveticaNeue-Bold";
constexpr std::string_view kBodyFont = "HelveticaNeue";
constexpr double kTitleSize = 22;
constexpr double kPageInset = 50;
constexpr double kBasicBlockInset = 10;

// The headings, padded with blanks as the report has always printed them.
constexpr std::string_view kBasicHeading = "Basic Information:                 \n";
constexpr std::string_view kMovementHeading = "Movement:                              \n";
constexpr std::string_view kCaseHeading = "Case Details:                          \n";
constexpr std::string_view kOwnershipHeading = "Ownership:                \n";
constexpr std::string_view kComplicationsHeading = "Complications:                             \n";

struct LayoutSpec {
  Size page;
  Frame front;
  std::optional<Frame> back;
  double headingSize;
  double bodySize;
  int longRule;  // underscores, then line breaks that leave room for the pictures
  int longRuleBreaks;
  int shortRule;
  Frame basicBlock;
  // The square for-sale pages end below the case details: what follows continues under the basic
  // information, closed by a rule of `columnRule` underscores, as wide as that column.
  bool forSale;
  int columnRule;
};

constexpr Size kTallPage{595.2, 841.8};
constexpr Size kSquarePage{595.2, 595.2};

// In the order of ReportLayout.
// clang-format off
const LayoutSpec kLayouts[] = {
    //  page        front picture       back picture               heading body rules       basic block      for sale
    {kTallPage,   {50, 125, 200, 200}, std::nullopt,              14, 10, 59, 14, 60, {245, 112, 325, 400}, false,  0},
    {kTallPage,   {50, 125, 220, 220}, Frame{301, 125, 220, 220}, 12,  9, 69, 18, 62, {291, 350, 302, 400}, false,  0},
    {kSquarePage, {50, 110, 226, 226}, std::nullopt,              10,  9, 76, 21, 74, {285, 108, 325, 400}, true,  43},
    {kSquarePage, {50, 113, 200, 200}, Frame{301, 113, 200, 200}, 10,  8, 75, 19, 74, {291, 307, 302, 400}, true,  43},
};
// clang-format on

// A number that differs between the layouts, in the order of ReportLayout.
using PerLayout = std::array<int, 4>;
constexpr PerLayout kOne{1, 1, 1, 1};

Frame inset(const Frame& f, double by) {
  return {f.x + by, f.y + by, f.width - 2 * by, f.height - 2 * by};
}

// Builds a block of text runs in the layout's fonts.
class Block {
 public:
  Block(ReportLayout layout, const LayoutSpec& spec)
      : column_(static_cast<std::size_t>(layout)), spec_(spec) {}

  void title(std::string text) { add(std::move(text), kTitleFont, kTitleSize); }
  void heading(std::string_view text) { add(std::string(text), kHeadingFont, spec_.headingSize); }
  void rule(int underscores, int breaks) {
    heading(std::string(static_cast<std::size_t>(underscores), '_') +
            std::string(static_cast<std::size_t>(breaks), '\n'));
  }
  // Label, tabs, value and line breaks: one body line.
  void line(std::string_view label, PerLayout tabs, std::string_view value,
            PerLayout breaks = kOne) {
    body(std::string(label) + std::string(static_cast<std::size_t>(tabs[column_]), '\t') +
         std::string(value) + std::string(static_cast<std::size_t>(breaks[column_]), '\n'));
  }
  // A body line of a snapshot text, empty when absent.
  void field(std::string_view label, PerLayout tabs, const std::optional<std::string>& value,
             PerLayout breaks = kOne) {
    line(label, tabs, value ? std::string_view(*value) : std::string_view(), breaks);
  }
  void body(std::string text) { add(std::move(text), kBodyFont, spec_.bodySize); }

  DrawnText drawn(Frame frame) && { return DrawnText{std::move(runs_), frame}; }

 private:
  void add(std::string text, std::string_view font, double size) {
    runs_.push_back(TextRun{std::move(text), std::string(font), size, kBlack, std::nullopt});
  }

  std::size_t column_;
  const LayoutSpec& spec_;
  std::vector<TextRun> runs_;
};

std::string dateText(const std::optional<Date>& date, const Formatters& formatters) {
  return date ? formatters.shortDate(*date) : std::string(kNoFigure);
}

}  // namespace

bool needsBackPicture(ReportLayout layout) {
  return kLayouts[static_cast<std::size_t>(layout)].back.has_value();
}

std::string reportTitle(const WatchSnapshot& watch) {
  return watch.tempMerkki.value_or("") + " " + watch.tempMalli.value_or("");
}

std::string reportFileName(const WatchSnapshot& watch) {
  return fileNameFromText(reportTitle(watch), ".pdf");
}

Drawing watchReportPage(ReportLayout layout, const WatchSnapshot& w, const Bytes& front,
                        const Bytes& back, const Formatters& formatters, Date now) {
  const LayoutSpec& spec = kLayouts[static_cast<std::size_t>(layout)];
  const std::string brand = w.tempMerkki.value_or("");
  const std::string model = w.tempMalli.value_or("");

  Block basic(layout, spec);
  basic.heading(kBasicHeading);
  basic.field("Manufacture year:", {3, 3, 3, 3}, w.tempVuosi);
  basic.field("Reference code:", {4, 3, 3, 3}, w.tempRef);
  basic.field("Serial number:", {4, 3, 3, 3}, w.tempSerial, {1, 2, 2, 2});

  Block main(layout, spec);
  main.title(spec.forSale ? "For Sale\n" + brand + " " + model + "\n"
                          : brand + "\n" + model + "\n");
  main.rule(spec.longRule, spec.longRuleBreaks);
  main.heading(kMovementHeading);
  main.field("Movement type:", {3, 3, 3, 3}, w.tempKoneistoTyyppi);
  main.field("Movement:", {4, 4, 4, 4}, w.tempKoneisto);
  main.line("Power reserve:", {3, 3, 3, 3}, w.tempPowerReserve.value_or("") + " hours");
  main.field("Vibrations per hour:", {2, 2, 2, 3}, w.tempBph, {2, 2, 2, 2});
  main.heading(kCaseHeading);
  main.field("Case Diameter(mm):", {2, 2, 2, 3}, w.tempHalkaisija);
  main.field("Lug Width(mm):", {3, 3, 3, 3}, w.tempLugWidth);
  main.field("Lug-to-Lug(mm):", {3, 3, 3, 3}, w.tempLugToLugWidth);
  main.field("Thickness(mm):", {3, 3, 3, 3}, w.tempPaksuus);
  main.field("Case Material:", {3, 3, 3, 3}, w.tempKuorenMateriaali);
  main.field("Bezel Material", {3, 3, 3, 4}, w.tempBezelMaterial);
  main.field("Dial Color:", {4, 4, 4, 4}, w.tempDialColor);
  main.field("Glass: ", {4, 4, 4, 5}, w.tempGlass);
  main.field("Crown Type:", {3, 4, 4, 4}, w.tempCrownType);
  main.field("Water Resistance:", {2, 3, 3, 3}, w.tempWaterProof, {2, 2, 2, 5});
  // Printed where the square pages still have room (see LayoutSpec::forSale).
  Block& tail = spec.forSale ? basic : main;
  tail.heading(kOwnershipHeading);
  tail.field("Purchased from:", {3, 3, 3, 3}, w.tempPurchasedFrom);
  tail.line("Purchase Date:", {3, 3, 3, 3}, dateText(w.tempPurchaseDate, formatters));
  tail.line(
      spec.forSale ? "Asking price:" : "Purchase price:", {3, 3, 3, 4},
      w.tempPurchasePrice ? amountText(*w.tempPurchasePrice, formatters) : std::string(kNoFigure),
      {1, 1, 4, 4});
  tail.line("Warranty ends:", {3, 3, 3, 3}, dateText(w.tempWarrantyEndDate, formatters));
  tail.field("Set includes:", {3, 3, 3, 4}, w.tempSetCompleteness, {2, 2, 2, 1});
  tail.heading(kComplicationsHeading);
  for (const auto* complication : {&w.tempComplication1, &w.tempComplication2, &w.tempComplication3,
                                   &w.tempComplication4, &w.tempComplication5}) {
    tail.field("", {0, 0, 0, 0}, *complication);
  }
  tail.field("", {0, 0, 0, 0}, w.tempComplication6, {1, 1, 2, 1});
  tail.rule(spec.forSale ? spec.columnRule : spec.shortRule, 1);
  tail.body(" " + formatters.fullDateMediumTime(now));

  Drawing page{spec.page, {}};
  page.elements.push_back(DrawnPicture{front, {}, spec.front});
  if (spec.back) page.elements.push_back(DrawnPicture{back, {}, *spec.back});
  page.elements.push_back(
      std::move(main).drawn(inset({0, 0, spec.page.width, spec.page.height}, kPageInset)));
  Frame basicFrame = inset(spec.basicBlock, kBasicBlockInset);
  if (spec.forSale) basicFrame.width = spec.page.width - kPageInset - basicFrame.x;
  page.elements.push_back(std::move(basic).drawn(basicFrame));
  return page;
}

std::vector<ShareItem> quickShareItems(const WatchSnapshot& watch, const WatchDetailOutputs& o,
                                       Bytes png) {
  std::vector<ShareItem> items;
  items.push_back(
      ShareItem::data(std::move(png), fileNameFromText(reportTitle(watch), ".png"), "image/png"));
  items.push_back(ShareItem::text(o.basicWatchDetailsLabel));
  items.push_back(ShareItem::text(o.movementDetailsLabel));
  const std::pair<std::string_view, const std::string*> labelled[] = {
      {"Purchased: ", &o.purchasedDateTextField},
      {"Warranty Until: ", &o.warrantyEndsTextField},
      {"Diameter: ", &o.halkaisijaTextField},
      {"Case Material: ", &o.kuoriTextField},
      {"Thickness: ", &o.paksuusTextField},
      {"Lug Width: ", &o.lugValiTextField},
      {"Bezel Material: ", &o.bezelTextField},
      {"Glass: ", &o.lasiTextField},
      {"Dial Color: ", &o.taulunVariTextField},
      {"Crown Type: ", &o.kruunuTextField},
      {"", &o.complication1TextField},
      {"", &o.complication2TextField},
      {"", &o.complication3TextField},
      {"", &o.complication4TextField},
      {"", &o.complication5Textfield},
      {"", &o.complication6TextField},
      {"Includes: ", &o.setCompletenessTextField},
  };
  for (const auto& [label, text] : labelled)
    items.push_back(ShareItem::text(std::string(label) + *text));
  return items;
}

}  // namespace tockary
