#include "platform/store/fetched_results_controller.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>
#include <unordered_set>

namespace tockary {

namespace {

constexpr std::size_t kBatchesKept = 2;

std::string sectionName(const Value& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* number = std::get_if<double>(&value)) return std::to_string(*number);
  if (const auto* number = std::get_if<std::int64_t>(&value)) return std::to_string(*number);
  return {};
}

// The first character of a section name, upper-cased when it is a Latin letter.
std::string indexTitleFor(const std::string& name) {
  if (name.empty()) return {};
  std::size_t length = 1;
  const auto lead = static_cast<unsigned char>(name[0]);
  if (lead >= 0xF0) {
    length = 4;
  } else if (lead >= 0xE0) {
    length = 3;
  } else if (lead >= 0xC0) {
    length = 2;
  }
  std::string title = name.substr(0, length);
  if (length == 1) title[0] = static_cast<char>(std::toupper(lead));
  return title;
}

}  // namespace

std::shared_ptr<ManagedObject> FetchedObjects::operator[](std::size_t index) const {
  if (list_ == nullptr || index >= count_) return nullptr;
  return list_->objectAt(first_ + index);
}

FetchedResultsController::FetchedResultsController(FetchRequest request,
                                                   ManagedObjectContext& context,
                                                   std::optional<std::string> sectionNameKeyPath)
    : request_(std::move(request)),
      context_(context),
      sectionNameKeyPath_(std::move(sectionNameKeyPath)) {
  rebuildSections({});
  observerToken_ = context_.addChangeObserver(
      [this](const ContextChanges& changes) { contextDidChange(changes); });
}

FetchedResultsController::~FetchedResultsController() {
  context_.removeChangeObserver(observerToken_);
}

Status FetchedResultsController::performFetch() {
  std::vector<std::int64_t> keys;
  std::vector<std::string> names;
  if (sectionNameKeyPath_) {
    auto rows = context_.executeForKeys(request_, *sectionNameKeyPath_);
    if (!rows) return rows.status();
    keys.reserve(rows->size());
    names.reserve(rows->size());
    for (const auto& [key, value] : rows.value()) {
      keys.push_back(key);
      names.push_back(sectionName(value));
    }
  } else {
    auto fetched = context_.executeForKeys(request_);
    if (!fetched) return fetched.status();
    keys = std::move(fetched).value();
  }
  keys_ = std::move(keys);
  batches_.clear();
  fetched_ = true;
  rebuildSections(names);
  return Status::ok();
}

void FetchedResultsController::rebuildSections(const std::vector<std::string>& names) {
  sections_.clear();
  sectionStarts_.clear();
  if (!sectionNameKeyPath_) {
    sections_.push_back({"", "", FetchedObjects(this, 0, keys_.size())});
    sectionStarts_.push_back(0);
    return;
  }
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (sections_.empty() || sections_.back().name != names[i]) {
      if (!sections_.empty()) {
        const std::size_t first = sectionStarts_.back();
        sections_.back().objects = FetchedObjects(this, first, i - first);
      }
      sections_.push_back({names[i], indexTitleFor(names[i]), {}});
      sectionStarts_.push_back(i);
    }
  }
  if (sections_.empty()) {
    sections_.push_back({"", "", {}});
    sectionStarts_.push_back(0);
    return;
  }
  const std::size_t first = sectionStarts_.back();
  sections_.back().objects = FetchedObjects(this, first, names.size() - first);
}

std::shared_ptr<ManagedObject> FetchedResultsController::objectAt(std::size_t index) const {
  if (index >= keys_.size()) return nullptr;
  for (std::size_t b = 0; b < batches_.size(); ++b) {
    const Batch& batch = batches_[b];
    if (index >= batch.first && index < batch.first + batch.objects.size()) {
      auto object = batch.objects[index - batch.first];
      if (b != 0) std::rotate(batches_.begin(), batches_.begin() + b, batches_.begin() + b + 1);
      return object;
    }
  }
  // Aligned batches, so that rows read backwards reuse them as well as rows read forwards.
  Batch batch;
  batch.first = index / kBatchSize * kBatchSize;
  const std::size_t count = std::min(kBatchSize, keys_.size() - batch.first);
  auto objects = context_.objectsWithKeys(
      request_.entityName, std::span<const std::int64_t>(keys_.data() + batch.first, count));
  // A store that cannot be read leaves the row empty rather than stop the list; the next read
  // tries again.
  if (!objects) return nullptr;
  batch.objects = std::move(objects).value();
  auto object = batch.objects[index - batch.first];
  batches_.insert(batches_.begin(), std::move(batch));
  if (batches_.size() > kBatchesKept) batches_.pop_back();
  return object;
}

std::optional<std::size_t> FetchedResultsController::flatIndex(IndexPath path) const {
  if (path.section < 0 || path.section >= static_cast<int>(sections_.size())) return std::nullopt;
  const auto& objects = sections_[path.section].objects;
  if (path.row < 0 || path.row >= static_cast<int>(objects.size())) return std::nullopt;
  return sectionStarts_[path.section] + static_cast<std::size_t>(path.row);
}

IndexPath FetchedResultsController::pathAt(std::size_t index) const {
  const auto after = std::upper_bound(sectionStarts_.begin(), sectionStarts_.end(), index);
  const auto section = static_cast<std::size_t>(after - sectionStarts_.begin()) - 1;
  return {static_cast<int>(section), static_cast<int>(index - sectionStarts_[section])};
}

std::shared_ptr<ManagedObject> FetchedResultsController::objectAtIndexPath(IndexPath path) const {
  const auto index = flatIndex(path);
  return index ? objectAt(*index) : nullptr;
}

std::optional<ObjectID> FetchedResultsController::objectIDAtIndexPath(IndexPath path) const {
  const auto index = flatIndex(path);
  if (!index) return std::nullopt;
  return ObjectID{request_.entityName, keys_[*index]};
}

std::optional<IndexPath> FetchedResultsController::indexPathForObject(const ObjectID& id) const {
  if (id.entity != request_.entityName) return std::nullopt;
  const auto found = std::find(keys_.begin(), keys_.end(), id.primaryKey);
  if (found == keys_.end()) return std::nullopt;
  return pathAt(static_cast<std::size_t>(found - keys_.begin()));
}

std::vector<std::string> FetchedResultsController::sectionIndexTitles() const {
  std::vector<std::string> titles;
  if (!sectionNameKeyPath_) return titles;
  for (const auto& section : sections_) {
    if (titles.empty() || titles.back() != section.indexTitle) titles.push_back(section.indexTitle);
  }
  return titles;
}

int FetchedResultsController::sectionForSectionIndexTitle(const std::string& title,
                                                          int /*atIndex*/) const {
  for (std::size_t s = 0; s < sections_.size(); ++s) {
    if (sections_[s].indexTitle == title) return static_cast<int>(s);
  }
  return -1;
}

void FetchedResultsController::contextDidChange(const ContextChanges& changes) {
  if (!fetched_) return;
  const std::vector<std::int64_t> previousKeys = keys_;
  const std::vector<std::size_t> previousStarts = sectionStarts_;
  const auto previousPath = [&previousStarts](std::size_t index) {
    const auto after = std::upper_bound(previousStarts.begin(), previousStarts.end(), index);
    const auto section = static_cast<std::size_t>(after - previousStarts.begin()) - 1;
    return IndexPath{static_cast<int>(section), static_cast<int>(index - previousStarts[section])};
  };
  if (!performFetch()) return;

  std::unordered_set<std::int64_t> updated;
  for (const ObjectID& id : changes.updated) {
    if (id.entity == request_.entityName) updated.insert(id.primaryKey);
  }
  // The same keys in the same order: only updates can have happened, each in place.
  const bool sameKeys = previousKeys == keys_;
  std::unordered_map<std::int64_t, std::size_t> before;
  if (!sameKeys) {
    before.reserve(previousKeys.size());
    for (std::size_t i = 0; i < previousKeys.size(); ++i) before.emplace(previousKeys[i], i);
  }

  struct Change {
    std::size_t index;  // in the new list (in the old one for a delete)
    ResultsChangeType type;
    std::optional<IndexPath> from, to;
  };
  std::vector<Change> found;
  std::vector<bool> kept(previousKeys.size(), sameKeys);
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    const IndexPath path = pathAt(i);
    std::optional<std::size_t> old;
    if (sameKeys) {
      old = i;
    } else if (const auto at = before.find(keys_[i]); at != before.end()) {
      old = at->second;
      kept[at->second] = true;
    }
    if (!old) {
      found.push_back({i, ResultsChangeType::Insert, std::nullopt, path});
    } else if (updated.count(keys_[i]) != 0) {
      const IndexPath from = previousPath(*old);
      found.push_back(
          {i, from == path ? ResultsChangeType::Update : ResultsChangeType::Move, from, path});
    }
  }
  // Deletes first, from the last row up, so that each path is right when it is applied.
  std::vector<Change> deletions;
  for (std::size_t i = previousKeys.size(); i-- > 0;) {
    if (!kept[i])
      deletions.push_back({i, ResultsChangeType::Delete, previousPath(i), std::nullopt});
  }
  if ((found.empty() && deletions.empty()) || delegate == nullptr) return;

  // A deleted record as it was last: the one the save names, else the one still registered.
  const auto deletedObject = [&](std::int64_t key) {
    const ObjectID id{request_.entityName, key};
    for (const auto& object : changes.deletedObjects) {
      if (object->objectID() == id) return object;
    }
    if (auto object = context_.registeredObject(id)) return object;
    return context_.makeDeletedStandIn(id);
  };
  delegate->controllerWillChangeContent();
  for (const Change& change : deletions) {
    delegate->didChange(deletedObject(previousKeys[change.index]), change.type, change.from,
                        change.to);
  }
  for (const Change& change : found) {
    auto object = objectAt(change.index);
    if (!object) object = context_.makeDeletedStandIn({request_.entityName, keys_[change.index]});
    delegate->didChange(object, change.type, change.from, change.to);
  }
  delegate->controllerDidChangeContent();
}

}  // namespace tockary
