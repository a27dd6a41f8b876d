#pragma once

#include <chrono>
#include <compare>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/date.h"
#include "platform/status.h"
#include "platform/store/model.h"
#include "platform/store/predicate.h"

namespace tockary {

class ManagedObjectContext;
namespace sqlite {
class Statement;
}

// The identity of one record, stable across processes: entity name and primary key.
// Its text form is "Kello/12"; screens hand these to one another, never copies of records.
struct ObjectID {
  std::string entity;
  std::int64_t primaryKey = 0;

  std::string text() const;
  // Reads "Entity/123"; nullopt for anything else.
  static std::optional<ObjectID> fromText(std::string_view text);
  auto operator<=>(const ObjectID&) const = default;
};

// One record registered in a context. Record classes (Kello, Huolto, ...) derive from it and
// add typed accessors. Owned by shared_ptr; the context keeps exactly one object per record.
class ManagedObject {
 public:
  ManagedObject() = default;
  virtual ~ManagedObject();
  // A record is its context's, which forgets it when it goes: a copy would outlive that bond.
  ManagedObject(const ManagedObject&) = delete;
  ManagedObject& operator=(const ManagedObject&) = delete;

  const ObjectID& objectID() const { return id_; }
  const EntityDescription& entity() const { return *entity_; }
  // Null once the object's deletion has been saved, and for a detached object.
  ManagedObjectContext* managedObjectContext() const { return context_; }
  bool isInserted() const { return inserted_; }
  bool isDeleted() const { return deleted_; }
  bool hasChanges() const { return inserted_ || deleted_ || !changed_.empty(); }

  // The value of an attribute; pictures and other blobs are read from the store on first use.
  // An unknown key gives null.
  Value valueForKey(std::string_view key) const;
  // Sets an attribute and registers the change with the context; unknown keys are ignored.
  void setValueForKey(std::string_view key, Value value);
  // The text of the attribute at `index` in the entity, without a copy; null when it holds none.
  const std::string* textAt(int index) const;

 protected:
  // Typed reads by attribute position, as the record classes expose them: a Double or Int16
  // never set reads 0.
  std::optional<std::string> stringAt(int index) const;
  double doubleAt(int index) const;
  std::int16_t int16At(int index) const;
  std::optional<Date> dateAt(int index) const;
  std::optional<Bytes> bytesAt(int index) const;
  bool hasValueAt(int index) const;
  void setStringAt(int index, std::optional<std::string> value);
  void setDoubleAt(int index, double value);
  void setInt16At(int index, std::int16_t value);
  void setDateAt(int index, std::optional<Date> value);
  void setBytesAt(int index, std::optional<Bytes> value);

 private:
  friend class ManagedObjectContext;
  const Value& valueAt(int index) const;
  void setValueAt(int index, Value value);

  ManagedObjectContext* context_ = nullptr;
  const EntityDescription* entity_ = nullptr;
  ObjectID id_;
  mutable std::vector<Value> values_;
  // Per attribute, for the blobs read only when asked for: whether it is still to be read and,
  // until then, whether the store has one. One byte each, as every record of a list sets them.
  enum BlobState : std::uint8_t { kUnread = 1, kStored = 2 };
  mutable std::vector<std::uint8_t> blobState_;
  bool inserted_ = false;
  bool deleted_ = false;
  std::set<int> changed_;    // attribute indexes changed since the last save
  bool flushed_ = false;     // the pending state is written into the open transaction
  bool rowWritten_ = false;  // an inserted object's row exists in the open transaction
};

enum class AggregateFunction { Sum, Average };

// What to fetch: records of one entity, optionally filtered, sorted and limited.
struct FetchRequest {
  std::string entityName;
  std::optional<Predicate> predicate;
  std::vector<SortDescriptor> sortDescriptors;
  std::optional<int> fetchLimit;

  explicit FetchRequest(std::string entity) : entityName(std::move(entity)) {}
};

// What changed in one save (or one processPendingChanges), for live lists.
struct ContextChanges {
  std::set<ObjectID> inserted;
  std::set<ObjectID> updated;
  std::set<ObjectID> deleted;
  // The objects of `deleted` as they were last, for observers that name what went.
  std::vector<std::shared_ptr<ManagedObject>> deletedObjects;
};

// The one view context. Changes are applied to the store inside an open transaction as soon as a
// fetch needs them, so every fetch, count and aggregate sees unsaved inserts, changes and
// deletes; save() commits that transaction. Not thread-safe: the app has one thread.
class ManagedObjectContext {
 public:
  ~ManagedObjectContext();
  ManagedObjectContext(const ManagedObjectContext&) = delete;
  ManagedObjectContext& operator=(const ManagedObjectContext&) = delete;

  // A new record with every attribute null (numbers read 0), registered as inserted. Its id is
  // usable at once; in the rare case that another process took the same key before this one
  // saves, the object is given the next free key when it is written.
  std::shared_ptr<ManagedObject> insertNewObject(std::string_view entityName);
  template <typename T>
  std::shared_ptr<T> insertNewObject() {
    return std::static_pointer_cast<T>(insertNewObject(T::entityName()));
  }

  // Records matching the request, in its order (ties in primary-key order). A failure is a Status;
  // the app's lists treat it as an empty result.
  Result<std::vector<std::shared_ptr<ManagedObject>>> execute(const FetchRequest& request);
  template <typename T>
  Result<std::vector<std::shared_ptr<T>>> fetch(const FetchRequest& request) {
    auto objects = execute(request);
    if (!objects) return objects.status();
    std::vector<std::shared_ptr<T>> typed;
    typed.reserve(objects->size());
    for (auto& object : objects.value()) typed.push_back(std::static_pointer_cast<T>(object));
    return typed;
  }
  // The primary keys of the records matching the request, in its order, without building a
  // record; the second form also gives each record's value of `attribute`.
  Result<std::vector<std::int64_t>> executeForKeys(const FetchRequest& request);
  Result<std::vector<std::pair<std::int64_t, Value>>> executeForKeys(const FetchRequest& request,
                                                                     std::string_view attribute);
  // The records of the entity with these primary keys, in the same order, read in one pass:
  // what a live list builds for the rows it shows. An object with unsaved changes (a deleted one
  // too) is returned as it is, other registered objects take the stored values as a fetch gives
  // them; null where the store no longer has the record.
  Result<std::vector<std::shared_ptr<ManagedObject>>> objectsWithKeys(
      std::string_view entityName, std::span<const std::int64_t> keys);
  Result<std::int64_t> count(const FetchRequest& request);
  // sum: or average: of one attribute over the matching records. A sum of nothing is 0; an average
  // of nothing is nullopt. Text is converted as the store converts it ("40.5" → 40.5, "abc" → 0).
  Result<std::optional<double>> aggregate(const FetchRequest& request, AggregateFunction function,
                                          std::string_view attribute);

  // The registered or stored record with this id; null when there is none (or it is deleted).
  // A registered object is returned as it is, without reading the store again: what another
  // process saved since shows after the next fetch of it, or inside performWrite().
  std::shared_ptr<ManagedObject> existingObject(const ObjectID& id);
  template <typename T>
  std::shared_ptr<T> existingObject(const ObjectID& id) {
    auto object = existingObject(id);
    if (!object || object->entity().name != T::entityName()) return nullptr;
    return std::static_pointer_cast<T>(object);
  }

  // The object registered for `id` if one is alive, without reading the store; else null.
  std::shared_ptr<ManagedObject> registeredObject(const ObjectID& id) const;

  // Marks the record deleted: it is gone from every later fetch; save() makes it final.
  void deleteObject(const std::shared_ptr<ManagedObject>& object);

  bool hasChanges() const { return !dirty_.empty(); }
  // Writes every insert, change and delete since the last save in one transaction. On failure
  // nothing is written, the error is returned and the changes stay pending for a later save;
  // a store that another process keeps locked beyond the busy timeout gives isStoreBusy().
  Status save();

  // A read-modify-write that loses nothing to another process writing the same records. Takes
  // the store's write lock (waiting up to the busy timeout), brings the records `reread` up to
  // date with the store inside that lock (attributes with unsaved changes keep them; pictures are
  // read again when next asked for), runs `change`, which computes from what they hold now, and
  // saves. Returns the save's outcome; a failed save keeps every change pending, as save() does.
  // `change` does not run, nothing is written and pending changes stay pending when the lock
  // cannot be had (isStoreBusy), when a record of `reread` is no longer stored (isRecordGone),
  // or when earlier pending changes cannot be written.
  Status performWrite(const std::vector<ObjectID>& reread, const std::function<void()>& change);

  // A record of the entity outside every context, all attributes null: setting its values changes
  // only the object, and it is never saved or fetched. Null for an entity not in the model.
  std::shared_ptr<ManagedObject> makeDetachedObject(std::string_view entityName) const;
  template <typename T>
  std::shared_ptr<T> makeDetachedObject() const {
    return std::static_pointer_cast<T>(makeDetachedObject(T::entityName()));
  }
  // A detached record carrying only `id`, every attribute null: what a live list reports for a
  // record another process deleted, whose values are gone. Null for an entity not in the model.
  std::shared_ptr<ManagedObject> makeDeletedStandIn(const ObjectID& id) const;
  // Forgets every registered object and drops every unsaved change, for a store whose content was
  // replaced as a whole: later fetches build their records afresh. Objects still held elsewhere
  // are detached from the context, as when it goes.
  void reset();
  // Tells live lists about changes not yet saved (the GUI calls it once per event-loop turn).
  void processPendingChanges();

  using ChangeObserver = std::function<void(const ContextChanges&)>;
  // Observers hear of every successful save and processPendingChanges. Returns a token for removal.
  int addChangeObserver(ChangeObserver observer);
  void removeChangeObserver(int token);

  const ManagedObjectModel& model() const { return *model_; }

 private:
  friend class PersistentContainer;
  friend class ManagedObject;
  struct Database;
  ManagedObjectContext(const ManagedObjectModel* model, std::unique_ptr<Database> database);

  void didChange(ManagedObject& object, int attributeIndex);
  void forget(const ManagedObject& object);
  std::shared_ptr<ManagedObject> registered(const EntityDescription& entity,
                                            std::int64_t key) const;
  std::size_t entityIndex(const EntityDescription& entity) const;
  void loadBlob(const ManagedObject& object, int attributeIndex) const;
  void fillFromRow(ManagedObject& object, const sqlite::Statement& row);
  Result<std::shared_ptr<ManagedObject>> rereadObject(const ObjectID& id);
  std::shared_ptr<ManagedObject> detachedObject(const EntityDescription& entity) const;
  Status beginWrite();
  Status flush();
  Status writeObject(ManagedObject& object);
  void rollbackTransaction();
  std::int64_t reserveKey(const EntityDescription& entity);
  std::shared_ptr<ManagedObject> materialise(const EntityDescription& entity, std::int64_t key);
  void notify(const ContextChanges& changes);
  sqlite::Statement* batchRead(const EntityDescription& entity, std::size_t keys);

  const ManagedObjectModel* model_;
  std::unique_ptr<Database> db_;
  // The identity map: per entity (in model order), primary key to object.
  std::vector<std::unordered_map<std::int64_t, std::weak_ptr<ManagedObject>>> registry_;
  std::map<ObjectID, std::shared_ptr<ManagedObject>> dirty_;  // held strongly until saved
  std::map<std::string, std::int64_t> reservedKeys_;
  ContextChanges unannounced_;
  std::map<int, ChangeObserver> observers_;
  int nextObserverToken_ = 1;
  bool transactionOpen_ = false;
  // The statements objectsWithKeys reads with, by entity and number of keys: a live list asks
  // for batches of one size again and again. Reset after each use, so none holds a read open.
  std::map<std::pair<const EntityDescription*, std::size_t>, std::unique_ptr<sqlite::Statement>>
      batchReads_;
};

// Whether `status` says the store stayed locked by another process beyond the busy timeout.
bool isStoreBusy(const Status& status);
// Whether `status` says a record to be changed was deleted from the store by another process.
bool isRecordGone(const Status& status);

struct StoreOptions {
  // How long a write waits for another process (the GUI and the CLI share one store).
  std::chrono::milliseconds busyTimeout{5000};
};

// One SQLite file "<directory>/<name>.sqlite" with the schema of `model`, and its view context.
class PersistentContainer {
 public:
  PersistentContainer(std::string name, ManagedObjectModel model, std::filesystem::path directory,
                      StoreOptions options = {});
  ~PersistentContainer();

  // Opens the file, creating the directory (0700; an existing one open to others is narrowed),
  // the file (0600 from its first byte) and the schema as needed and adding columns the model has
  // gained. A file that is not this store, or was written by a newer model, gives an error and is
  // left exactly as it was.
  Status loadPersistentStores();
  bool isLoaded() const { return context_ != nullptr; }

  // The one context; only valid after a successful loadPersistentStores().
  ManagedObjectContext& viewContext() { return *context_; }
  const std::string& name() const { return name_; }
  const ManagedObjectModel& managedObjectModel() const { return model_; }
  std::filesystem::path storeFile() const;
  // The schema version recorded in the file (0 before loading).
  int schemaVersion() const { return schemaVersion_; }

 private:
  std::string name_;
  ManagedObjectModel model_;
  std::filesystem::path directory_;
  StoreOptions options_;
  std::unique_ptr<ManagedObjectContext> context_;
  int schemaVersion_ = 0;
};

}  // namespace tockary
