#include "collection/collection_summary.h"

#include <string>

#include "collection/collection_statistics.h"
#include "collection/row_popups.h"
#include "platform/format/number_text.h"
#include "platform/ui/diagnostics.h"
#include "store/collection_model.h"

namespace tockary {

namespace {

std::string countText(ManagedObjectContext& context, Predicate predicate) {
  FetchRequest request = Kello::fetchRequest();
  request.predicate = std::move(predicate);
  auto count = context.count(request);
  if (!count) {
    diagnostic("Error with collection facts: " + count.status().description());
    return "0";
  }
  return std::to_string(*count);
}

}  // namespace

Sheet collectionSummarySheet(AppServices& services) {
  ManagedObjectContext& context = services.context();
  const Formatters& formatters = services.formatters;
  const double bought = soldWatchesCost(context);
  const double proceeds = soldWatchesProceeds(context);
  const DreamWatch dream(context);
  return infoSheet("Collection statistics:", "My watch collection summary: ",
                   "Watches in collection: " + countText(context, unsoldWatchesPredicate()) +
                       "\nSold watches: " + countText(context, soldWatchesPredicate()) +
                       "\nTotal cost of watches in collection: " +
                       priceText(collectionCost(context), formatters) +
                       "\nTotal cost of sold watches: " + priceText(bought, formatters) +
                       "\nProfit from sold watches: " + priceText(proceeds, formatters) +
                       "\nResult of my watch deals: " + priceText(proceeds - bought, formatters) +
                       "\n---------------------------------- \nAverage Diameter: " +
                       formatOneDecimal(dream.averageDiameter()) + "mm" +
                       "\nAverage Thickness: " + formatOneDecimal(dream.averageThickness()) + "mm" +
                       "\nAverage Lug-to-lug: " + formatOneDecimal(dream.averageLugToLug()) + "mm" +
                       "  ");
}

void showCollectionFacts(AppServices& services) {
  services.presenter.present(collectionSummarySheet(services));
}

}  // namespace tockary
