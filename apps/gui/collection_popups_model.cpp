#include "collection_popups_model.h"

#include "collection/collection_captions.h"
#include "collection/collection_summary.h"
#include "collection_list_model.h"

namespace tockary::gui {

namespace {

CollectionPopups* instance = nullptr;

QString text(std::string_view value) {
  return QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
}

}  // namespace

CollectionPopups::CollectionPopups(AppServices& services, CollectionList& list, QObject* parent)
    : QObject(parent), services_(services), list_(list), popups_(services), roulette_(services) {
  // The worn watch's row shows its new count and may move in a list ordered by wear.
  roulette_.wearLogged = [this] { list_.viewDidAppear(); };
}

QVariantMap CollectionPopups::captions() const {
  return {{"watchOfTheDay", text(kWatchOfTheDayButtonTitle)},
          {"summary", text(kSummaryButtonTitle)}};
}

std::shared_ptr<Kello> CollectionPopups::watchAt(int row) const {
  if (row < 0 || row >= list_.rowCount()) return nullptr;
  return list_.screen().watchAt({0, row});
}

void CollectionPopups::rate(int row) { popups_.dreamWatchInfoShow(watchAt(row)); }

void CollectionPopups::ownership(int row) { popups_.vuosiInfoShow(watchAt(row)); }

void CollectionPopups::badge(int row, int badge) { popups_.badgeDetailsShow(badge, watchAt(row)); }

void CollectionPopups::technical(int row) { popups_.quickInfoShow(watchAt(row)); }

void CollectionPopups::card(int row) { popups_.pelikorttiShow(watchAt(row)); }

void CollectionPopups::watchOfTheDay() { roulette_.startRoulette(); }

void CollectionPopups::summary() { showCollectionFacts(services_); }

void CollectionPopups::setInstance(CollectionPopups* popups) { instance = popups; }

CollectionPopups* CollectionPopups::create(QQmlEngine*, QJSEngine*) {
  QJSEngine::setObjectOwnership(instance, QJSEngine::CppOwnership);
  return instance;
}

}  // namespace tockary::gui
