#pragma once

#include <compare>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/status.h"
#include "platform/store/object_store.h"

namespace tockary {

struct IndexPath {
  int section = 0;
  int row = 0;
  auto operator<=>(const IndexPath&) const = default;
};

enum class ResultsChangeType { Insert, Delete, Move, Update };

// Told of the changes a live list finds after a save (or processPendingChanges) of its context.
class FetchedResultsControllerDelegate {
 public:
  virtual ~FetchedResultsControllerDelegate() = default;
  virtual void controllerWillChangeContent() {}
  // Insert: newIndexPath only; Delete: indexPath only; Move and Update: both.
  virtual void didChange(const std::shared_ptr<ManagedObject>& /*object*/,
                         ResultsChangeType /*type*/, std::optional<IndexPath> /*indexPath*/,
                         std::optional<IndexPath> /*newIndexPath*/) {}
  virtual void controllerDidChangeContent() {}
};

struct SectionInfo {
  std::string name;
  std::string indexTitle;
  std::vector<std::shared_ptr<ManagedObject>> objects;
};

// A live list: the results of one fetch request, in sections, kept current as the context saves.
// Sections are runs of equal values of `sectionNameKeyPath` in fetch order (sort by that key
// first); without a key every record stands in one section.
class FetchedResultsController {
 public:
  FetchedResultsController(FetchRequest request, ManagedObjectContext& context,
                           std::optional<std::string> sectionNameKeyPath = std::nullopt);
  ~FetchedResultsController();
  FetchedResultsController(const FetchedResultsController&) = delete;
  FetchedResultsController& operator=(const FetchedResultsController&) = delete;

  // Runs the request. On failure the previous results stay and the error is returned.
  Status performFetch();

  const FetchRequest& fetchRequest() const { return request_; }
  const std::vector<std::shared_ptr<ManagedObject>>& fetchedObjects() const { return objects_; }
  // One section (with no objects) before the first fetch and for an empty result.
  const std::vector<SectionInfo>& sections() const { return sections_; }
  // Null for a path outside the results.
  std::shared_ptr<ManagedObject> objectAtIndexPath(IndexPath path) const;
  std::optional<IndexPath> indexPathForObject(const ObjectID& id) const;
  std::vector<std::string> sectionIndexTitles() const;
  // The section whose index title is `title`; -1 when none.
  int sectionForSectionIndexTitle(const std::string& title, int atIndex) const;

  // Not owned; may be null.
  FetchedResultsControllerDelegate* delegate = nullptr;

 private:
  void contextDidChange(const ContextChanges& changes);
  void rebuildSections();

  FetchRequest request_;
  ManagedObjectContext& context_;
  std::optional<std::string> sectionNameKeyPath_;
  std::vector<std::shared_ptr<ManagedObject>> objects_;
  std::vector<SectionInfo> sections_;
  bool fetched_ = false;
  int observerToken_ = 0;
};

}  // namespace tockary
