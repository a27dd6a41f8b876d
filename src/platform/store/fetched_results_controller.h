#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <iterator>
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

class FetchedResultsController;

// A run of a live list's records, built when read: indexing or iterating gives each record as
// the list's batches hold it (null for one deleted by another process since the fetch). Valid
// until the list fetches again.
class FetchedObjects {
 public:
  class Iterator {
   public:
    using iterator_category = std::input_iterator_tag;
    using value_type = std::shared_ptr<ManagedObject>;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = std::shared_ptr<ManagedObject>;

    Iterator(const FetchedObjects* objects, std::size_t index) : objects_(objects), index_(index) {}
    std::shared_ptr<ManagedObject> operator*() const { return (*objects_)[index_]; }
    Iterator& operator++() {
      ++index_;
      return *this;
    }
    Iterator operator++(int) {
      Iterator before = *this;
      ++index_;
      return before;
    }
    friend bool operator==(const Iterator& a, const Iterator& b) { return a.index_ == b.index_; }

   private:
    const FetchedObjects* objects_;
    std::size_t index_;
  };

  FetchedObjects() = default;
  FetchedObjects(const FetchedResultsController* list, std::size_t first, std::size_t count)
      : list_(list), first_(first), count_(count) {}

  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  // Null outside the run.
  std::shared_ptr<ManagedObject> operator[](std::size_t index) const;
  Iterator begin() const { return {this, 0}; }
  Iterator end() const { return {this, count_}; }

 private:
  const FetchedResultsController* list_ = nullptr;
  std::size_t first_ = 0;
  std::size_t count_ = 0;
};

struct SectionInfo {
  std::string name;
  std::string indexTitle;
  FetchedObjects objects;
};

// A live list: the results of one fetch request, in sections, kept current as the context saves.
// A fetch reads only the records' keys (and section names), so the count and the order are known
// at once; a record is built when a row asks for it, together with the rest of its batch, and
// only the most recent batches are held. Sections are runs of equal values of
// `sectionNameKeyPath` in fetch order (sort by that key first); without a key every record
// stands in one section.
class FetchedResultsController {
 public:
  // Records built at a time when a row asks for one.
  static constexpr std::size_t kBatchSize = 128;

  FetchedResultsController(FetchRequest request, ManagedObjectContext& context,
                           std::optional<std::string> sectionNameKeyPath = std::nullopt);
  ~FetchedResultsController();
  FetchedResultsController(const FetchedResultsController&) = delete;
  FetchedResultsController& operator=(const FetchedResultsController&) = delete;

  // Runs the request. On failure the previous results stay and the error is returned.
  Status performFetch();

  const FetchRequest& fetchRequest() const { return request_; }
  // Every record of the results, in order, built as it is read.
  FetchedObjects fetchedObjects() const { return {this, 0, keys_.size()}; }
  // One section (with no objects) before the first fetch and for an empty result.
  const std::vector<SectionInfo>& sections() const { return sections_; }
  // Null for a path outside the results, for a record another process deleted since the fetch
  // and when the store cannot be read.
  std::shared_ptr<ManagedObject> objectAtIndexPath(IndexPath path) const;
  // The id of the record at a path without building it; nullopt outside the results.
  std::optional<ObjectID> objectIDAtIndexPath(IndexPath path) const;
  std::optional<IndexPath> indexPathForObject(const ObjectID& id) const;
  std::vector<std::string> sectionIndexTitles() const;
  // The section whose index title is `title`; -1 when none.
  int sectionForSectionIndexTitle(const std::string& title, int atIndex) const;

  // Not owned; may be null.
  FetchedResultsControllerDelegate* delegate = nullptr;

 private:
  friend class FetchedObjects;
  struct Batch {
    std::size_t first = 0;
    std::vector<std::shared_ptr<ManagedObject>> objects;
  };

  std::shared_ptr<ManagedObject> objectAt(std::size_t index) const;
  std::optional<std::size_t> flatIndex(IndexPath path) const;
  IndexPath pathAt(std::size_t index) const;
  void contextDidChange(const ContextChanges& changes);
  void rebuildSections(const std::vector<std::string>& names);

  FetchRequest request_;
  ManagedObjectContext& context_;
  std::optional<std::string> sectionNameKeyPath_;
  std::vector<std::int64_t> keys_;
  std::vector<SectionInfo> sections_;
  std::vector<std::size_t> sectionStarts_;
  // The latest batches built, newest first; two, so that scrolling across a batch boundary does
  // not build the same records again and again.
  mutable std::vector<Batch> batches_;
  bool fetched_ = false;
  int observerToken_ = 0;
};

}  // namespace tockary
