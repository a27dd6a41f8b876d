#pragma once

// The watch report: one PDF page of a watch in four layouts, and the quick share's items. Every
// text comes from the detail screen's snapshot or from what the screen shows; nothing is read
// from the store.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/format/formatters.h"
#include "platform/render/drawing.h"
#include "platform/ui/share.h"

namespace tockary {

struct WatchSnapshot;
struct WatchDetailOutputs;

enum class ReportLayout { Regular, RegularTwoPictures, ForSale, ForSaleTwoPictures };

// A layout with the names the detail screen's button and the command line give it.
struct ReportLayoutName {
  ReportLayout layout;
  std::string_view action;  // "PDF", "PDF2", "PDF_FOR_SALE", "PDF2_FOR_SALE"
  std::string_view option;  // "regular", "regular-2", "for-sale", "for-sale-2"
  std::string_view title;   // the button's title
};
inline constexpr std::array<ReportLayoutName, 4> kReportLayouts = {{
    {ReportLayout::Regular, "PDF", "regular", "Report"},
    {ReportLayout::RegularTwoPictures, "PDF2", "regular-2", "Report, 2 pictures"},
    {ReportLayout::ForSale, "PDF_FOR_SALE", "for-sale", "For Sale"},
    {ReportLayout::ForSaleTwoPictures, "PDF2_FOR_SALE", "for-sale-2", "For Sale, 2 pictures"},
}};

// Whether the layout shows the back picture beside the front one.
bool needsBackPicture(ReportLayout layout);

// The title entry of the report's PDF: brand + " " + model, each empty when absent.
std::string reportTitle(const WatchSnapshot& watch);
// The report's file name: the title + ".pdf", with what a file name cannot hold replaced, so that
// the file stays in its folder.
std::string reportFileName(const WatchSnapshot& watch);

// The report's page. `front` and `back` are encoded pictures (`back` is drawn only by the
// two-picture layouts); `now` is the generation date of the footer.
Drawing watchReportPage(ReportLayout layout, const WatchSnapshot& watch, const Bytes& front,
                        const Bytes& back, const Formatters& formatters, Date now);

// The quick share's twenty items, in order: the picture shown (PNG bytes, named after the
// watch), the identity line, the movement sentence, then the labelled texts of the screen's
// fields and the complications.
std::vector<ShareItem> quickShareItems(const WatchSnapshot& watch, const WatchDetailOutputs& shown,
                                       Bytes png);

}  // namespace tockary
