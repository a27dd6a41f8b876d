#include "platform/store/fetched_results_controller.h"

#include <cctype>
#include <map>

namespace tockary {

namespace {

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

FetchedResultsController::FetchedResultsController(FetchRequest request,
                                                   ManagedObjectContext& context,
                                                   std::optional<std::string> sectionNameKeyPath)
    : request_(std::move(request)),
      context_(context),
      sectionNameKeyPath_(std::move(sectionNameKeyPath)) {
  rebuildSections();
  observerToken_ = context_.addChangeObserver(
      [this](const ContextChanges& changes) { contextDidChange(changes); });
}

FetchedResultsController::~FetchedResultsController() {
  context_.removeChangeObserver(observerToken_);
}

Status FetchedResultsController::performFetch() {
  auto objects = context_.execute(request_);
  if (!objects) return objects.status();
  objects_ = std::move(objects.value());
  fetched_ = true;
  rebuildSections();
  return Status::ok();
}

void FetchedResultsController::rebuildSections() {
  sections_.clear();
  if (!sectionNameKeyPath_) {
    sections_.push_back({"", "", objects_});
    return;
  }
  for (const auto& object : objects_) {
    const std::string name = sectionName(object->valueForKey(*sectionNameKeyPath_));
    if (sections_.empty() || sections_.back().name != name) {
      sections_.push_back({name, indexTitleFor(name), {}});
    }
    sections_.back().objects.push_back(object);
  }
  if (sections_.empty()) sections_.push_back({"", "", {}});
}

std::shared_ptr<ManagedObject> FetchedResultsController::objectAtIndexPath(IndexPath path) const {
  if (path.section < 0 || path.section >= static_cast<int>(sections_.size())) return nullptr;
  const auto& objects = sections_[path.section].objects;
  if (path.row < 0 || path.row >= static_cast<int>(objects.size())) return nullptr;
  return objects[path.row];
}

std::optional<IndexPath> FetchedResultsController::indexPathForObject(const ObjectID& id) const {
  for (std::size_t s = 0; s < sections_.size(); ++s) {
    const auto& objects = sections_[s].objects;
    for (std::size_t r = 0; r < objects.size(); ++r) {
      if (objects[r]->objectID() == id) return IndexPath{static_cast<int>(s), static_cast<int>(r)};
    }
  }
  return std::nullopt;
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
  std::map<ObjectID, IndexPath> before;
  for (std::size_t s = 0; s < sections_.size(); ++s) {
    for (std::size_t r = 0; r < sections_[s].objects.size(); ++r) {
      before[sections_[s].objects[r]->objectID()] = {static_cast<int>(s), static_cast<int>(r)};
    }
  }
  const auto previous = objects_;
  if (!performFetch()) return;

  struct Change {
    std::shared_ptr<ManagedObject> object;
    ResultsChangeType type;
    std::optional<IndexPath> from, to;
  };
  std::vector<Change> found;
  std::map<ObjectID, IndexPath> after;
  for (std::size_t s = 0; s < sections_.size(); ++s) {
    for (std::size_t r = 0; r < sections_[s].objects.size(); ++r) {
      const auto& object = sections_[s].objects[r];
      const IndexPath path{static_cast<int>(s), static_cast<int>(r)};
      after[object->objectID()] = path;
      auto old = before.find(object->objectID());
      if (old == before.end()) {
        found.push_back({object, ResultsChangeType::Insert, std::nullopt, path});
      } else if (changes.updated.count(object->objectID()) != 0) {
        found.push_back({object,
                         old->second == path ? ResultsChangeType::Update : ResultsChangeType::Move,
                         old->second, path});
      }
    }
  }
  for (const auto& object : previous) {
    if (after.count(object->objectID()) == 0) {
      found.insert(found.begin(),
                   {object, ResultsChangeType::Delete, before[object->objectID()], std::nullopt});
    }
  }
  if (found.empty() || delegate == nullptr) return;
  delegate->controllerWillChangeContent();
  for (const auto& change : found)
    delegate->didChange(change.object, change.type, change.from, change.to);
  delegate->controllerDidChangeContent();
}

}  // namespace tockary
