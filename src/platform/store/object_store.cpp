#include "platform/store/object_store.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "platform/store/kept_sums.h"
#include "platform/store/sqlite_support.h"
#include "platform/store/text_search.h"

namespace tockary {

// ---------------------------------------------------------------------------------------------
// ObjectID

std::string ObjectID::text() const { return entity + "/" + std::to_string(primaryKey); }

std::optional<ObjectID> ObjectID::fromText(std::string_view text) {
  const auto slash = text.find('/');
  if (slash == std::string_view::npos || slash == 0 || slash + 1 == text.size()) return {};
  ObjectID id;
  id.entity = std::string(text.substr(0, slash));
  const auto digits = text.substr(slash + 1);
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), id.primaryKey);
  if (error != std::errc() || end != digits.data() + digits.size() || id.primaryKey <= 0) return {};
  return id;
}

// ---------------------------------------------------------------------------------------------
// ManagedObject

ManagedObject::~ManagedObject() {
  if (context_ != nullptr) context_->forget(*this);
}

const Value& ManagedObject::valueAt(int index) const {
  if ((blobState_[index] & kUnread) != 0 && context_ != nullptr) context_->loadBlob(*this, index);
  return values_[index];
}

Value ManagedObject::valueForKey(std::string_view key) const {
  const int index = entity_->attributeIndex(key);
  if (index < 0) return std::monostate{};
  return valueAt(index);
}

void ManagedObject::setValueForKey(std::string_view key, Value value) {
  const int index = entity_->attributeIndex(key);
  if (index >= 0) setValueAt(index, std::move(value));
}

void ManagedObject::setValueAt(int index, Value value) {
  if (deleted_) return;
  // Numbers arrive as either kind; keep the kind the attribute stores.
  switch (entity_->attributes[index].type) {
    case AttributeType::Double:
      if (auto* i = std::get_if<std::int64_t>(&value)) value = static_cast<double>(*i);
      break;
    case AttributeType::Int16:
      if (auto* d = std::get_if<double>(&value)) value = static_cast<std::int64_t>(*d);
      break;
    default:
      break;
  }
  values_[index] = std::move(value);
  blobState_[index] = 0;
  if (context_ != nullptr) context_->didChange(*this, index);
}

bool ManagedObject::hasValueAt(int index) const {
  if ((blobState_[index] & kUnread) != 0) return (blobState_[index] & kStored) != 0;
  return !isNull(values_[index]);
}

const std::string* ManagedObject::textAt(int index) const {
  // A text is never a blob still to be read: no need to load anything.
  return std::get_if<std::string>(&values_[index]);
}

std::optional<std::string> ManagedObject::stringAt(int index) const {
  if (const auto* s = textAt(index)) return *s;
  return std::nullopt;
}

double ManagedObject::doubleAt(int index) const {
  const Value& v = valueAt(index);
  if (const auto* d = std::get_if<double>(&v)) return *d;
  if (const auto* i = std::get_if<std::int64_t>(&v)) return static_cast<double>(*i);
  return 0;
}

std::int16_t ManagedObject::int16At(int index) const {
  const Value& v = valueAt(index);
  if (const auto* i = std::get_if<std::int64_t>(&v)) return static_cast<std::int16_t>(*i);
  if (const auto* d = std::get_if<double>(&v)) return static_cast<std::int16_t>(*d);
  return 0;
}

std::optional<Date> ManagedObject::dateAt(int index) const {
  if (const auto* d = std::get_if<Date>(&valueAt(index))) return *d;
  return std::nullopt;
}

std::optional<Bytes> ManagedObject::bytesAt(int index) const {
  if (const auto* b = std::get_if<Bytes>(&valueAt(index))) return *b;
  return std::nullopt;
}

void ManagedObject::setStringAt(int index, std::optional<std::string> value) {
  setValueAt(index, value ? Value(std::move(*value)) : Value());
}
void ManagedObject::setDoubleAt(int index, double value) { setValueAt(index, value); }
void ManagedObject::setInt16At(int index, std::int16_t value) {
  setValueAt(index, static_cast<std::int64_t>(value));
}
void ManagedObject::setDateAt(int index, std::optional<Date> value) {
  setValueAt(index, value ? Value(*value) : Value());
}
void ManagedObject::setBytesAt(int index, std::optional<Bytes> value) {
  setValueAt(index, value ? Value(std::move(*value)) : Value());
}

// ---------------------------------------------------------------------------------------------
// ManagedObjectContext

namespace {

// The argument read as the attribute's type, so "0.0" against a Double is the number 0.
Value argumentFor(AttributeType type, const Value& argument) {
  switch (type) {
    case AttributeType::Double:
    case AttributeType::Int16:
    case AttributeType::Date:
      if (const auto* text = std::get_if<std::string>(&argument)) {
        double number = 0;
        const auto [end, error] =
            std::from_chars(text->data(), text->data() + text->size(), number);
        if (error == std::errc() && end == text->data() + text->size()) return number;
      }
      return argument;
    case AttributeType::String:
      if (const auto* d = std::get_if<double>(&argument)) {
        char buffer[32];
        const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, *d);
        return std::string(buffer, error == std::errc() ? end : buffer);
      }
      if (const auto* i = std::get_if<std::int64_t>(&argument)) return std::to_string(*i);
      return argument;
    case AttributeType::Bytes:
      return argument;
  }
  return argument;
}

bool isBlob(const AttributeDescription& a) { return a.type == AttributeType::Bytes; }

// WHERE and ORDER BY of a request, with the values to bind in order.
struct Clauses {
  std::string sql;
  std::vector<Value> bindings;
};

Result<Clauses> clausesFor(const EntityDescription& entity, const FetchRequest& request,
                           bool withOrder) {
  Clauses clauses;
  if (request.predicate) {
    auto comparisons = request.predicate->comparisons();
    if (!comparisons) return comparisons.status();
    std::string where;
    for (const auto& c : comparisons.value()) {
      if (c.op == kContainsOperator) {
        const auto* text = std::get_if<std::string>(&c.argument);
        if (c.attribute != "SELF" || entity.searchedAttributes.empty() || text == nullptr) {
          return Status::error("CONTAINS[cd] needs SELF, a text and an entity with a text index",
                               {{"entity", entity.name}, {"key", c.attribute}});
        }
        std::vector<std::string> words;
        const std::string condition = sqlite::searchCondition(entity, *text, words);
        if (condition.empty()) continue;
        if (!where.empty()) where += " AND ";
        where += condition;
        clauses.bindings.insert(clauses.bindings.end(), words.begin(), words.end());
        continue;
      }
      const int index = entity.attributeIndex(c.attribute);
      if (index < 0) {
        return Status::error("keypath " + c.attribute + " not found in entity " + entity.name,
                             {{"entity", entity.name}, {"key", c.attribute}});
      }
      const std::string column = sqlite::quoted(c.attribute);
      if (!where.empty()) where += " AND ";
      if (isNull(c.argument)) {
        where += c.op == "=" ? column + " IS NULL" : c.op == "!=" ? column + " IS NOT NULL" : "0";
        continue;
      }
      // IS NOT: a null attribute differs from every value (a null sold-to counts as sold).
      where += column + (c.op == "!=" ? " IS NOT " : " " + c.op + " ") + "?";
      clauses.bindings.push_back(argumentFor(entity.attributes[index].type, c.argument));
    }
    if (!where.empty()) clauses.sql += " WHERE " + where;
  }
  if (withOrder) {
    std::string order;
    for (const auto& sort : request.sortDescriptors) {
      if (entity.attributeIndex(sort.key) < 0) {
        return Status::error("keypath " + sort.key + " not found in entity " + entity.name,
                             {{"entity", entity.name}, {"key", sort.key}});
      }
      order += sqlite::quoted(sort.key) + (sort.ascending ? " ASC, " : " DESC, ");
    }
    // Equal keys keep the store's order.
    clauses.sql += " ORDER BY " + order + "id ASC";
    if (request.fetchLimit && *request.fetchLimit > 0) {
      clauses.sql += " LIMIT " + std::to_string(*request.fetchLimit);
    }
  }
  return clauses;
}

// The id and every attribute; for a blob only whether there is one. typeof() tells that from
// the record's header, where IS NOT NULL would read a picture's every page.
std::string scalarColumns(const EntityDescription& entity) {
  std::string columns = "id";
  for (const auto& a : entity.attributes) {
    columns += ", ";
    columns +=
        isBlob(a) ? "typeof(" + sqlite::quoted(a.name) + ") <> 'null'" : sqlite::quoted(a.name);
  }
  return columns;
}

Status unknownEntity(std::string_view name) {
  return Status::error("Entity " + std::string(name) + " is not in the model",
                       {{"entity", std::string(name)}});
}

constexpr std::string_view kRecordGone = "The record is no longer in the store";

}  // namespace

bool isStoreBusy(const Status& status) {
  if (status.isOk()) return false;
  const auto code = status.userInfo().find("sqliteCode");
  if (code == status.userInfo().end()) return false;
  int value = 0;
  const auto [end, error] =
      std::from_chars(code->second.data(), code->second.data() + code->second.size(), value);
  // Extended codes (SQLITE_BUSY_RECOVERY, ...) keep the primary code in their low byte.
  return error == std::errc() && (value & 0xff) == SQLITE_BUSY;
}

bool isRecordGone(const Status& status) {
  return !status.isOk() && status.description() == kRecordGone;
}

ManagedObjectContext::ManagedObjectContext(const ManagedObjectModel* model,
                                           std::unique_ptr<Database> database)
    : model_(model), db_(std::move(database)), registry_(model->entities.size()) {}

ManagedObjectContext::~ManagedObjectContext() { reset(); }

void ManagedObjectContext::reset() {
  rollbackTransaction();
  for (auto& objects : registry_) {
    for (auto& [key, weak] : objects) {
      if (auto object = weak.lock()) object->context_ = nullptr;
    }
    objects.clear();
  }
  dirty_.clear();
  reservedKeys_.clear();
  unannounced_ = {};
  batchReads_.clear();
}

std::size_t ManagedObjectContext::entityIndex(const EntityDescription& entity) const {
  return static_cast<std::size_t>(&entity - model_->entities.data());
}

std::shared_ptr<ManagedObject> ManagedObjectContext::registered(const EntityDescription& entity,
                                                                std::int64_t key) const {
  const auto& objects = registry_[entityIndex(entity)];
  const auto found = objects.find(key);
  return found == objects.end() ? nullptr : found->second.lock();
}

std::shared_ptr<ManagedObject> ManagedObjectContext::registeredObject(const ObjectID& id) const {
  const EntityDescription* entity = model_->entity(id.entity);
  return entity == nullptr ? nullptr : registered(*entity, id.primaryKey);
}

void ManagedObjectContext::forget(const ManagedObject& object) {
  // Only the entry of an object that is gone: a key may already name a newer object.
  auto& objects = registry_[entityIndex(*object.entity_)];
  const auto found = objects.find(object.id_.primaryKey);
  if (found != objects.end() && found->second.expired()) objects.erase(found);
}

std::int64_t ManagedObjectContext::reserveKey(const EntityDescription& entity) {
  std::int64_t stored = 0;
  sqlite::Statement max(db_->handle, "SELECT max(id) FROM " + sqlite::quoted(entity.name));
  if (max.prepared() && max.step() == SQLITE_ROW) stored = sqlite3_column_int64(max.get(), 0);
  auto& reserved = reservedKeys_[entity.name];
  reserved = std::max(reserved, stored) + 1;
  return reserved;
}

std::shared_ptr<ManagedObject> ManagedObjectContext::detachedObject(
    const EntityDescription& entity) const {
  auto object = entity.instantiate ? entity.instantiate() : std::make_shared<ManagedObject>();
  object->entity_ = &entity;
  object->id_ = {entity.name, 0};
  object->values_.assign(entity.attributes.size(), std::monostate{});
  object->blobState_.assign(entity.attributes.size(), 0);
  return object;
}

std::shared_ptr<ManagedObject> ManagedObjectContext::makeDetachedObject(
    std::string_view entityName) const {
  const EntityDescription* entity = model_->entity(entityName);
  return entity == nullptr ? nullptr : detachedObject(*entity);
}

std::shared_ptr<ManagedObject> ManagedObjectContext::makeDeletedStandIn(const ObjectID& id) const {
  const EntityDescription* entity = model_->entity(id.entity);
  if (entity == nullptr) return nullptr;
  auto object = detachedObject(*entity);
  object->id_.primaryKey = id.primaryKey;
  object->deleted_ = true;
  return object;
}

std::shared_ptr<ManagedObject> ManagedObjectContext::materialise(const EntityDescription& entity,
                                                                 std::int64_t key) {
  auto object = detachedObject(entity);
  object->context_ = this;
  object->id_.primaryKey = key;
  registry_[entityIndex(entity)][key] = object;
  return object;
}

std::shared_ptr<ManagedObject> ManagedObjectContext::insertNewObject(std::string_view entityName) {
  const EntityDescription* entity = model_->entity(entityName);
  if (entity == nullptr) return nullptr;
  auto object = materialise(*entity, reserveKey(*entity));
  object->inserted_ = true;
  dirty_[object->id_] = object;
  return object;
}

void ManagedObjectContext::didChange(ManagedObject& object, int attributeIndex) {
  // Recorded for an insert too: once a fetch has written its row, later values are updates.
  object.changed_.insert(attributeIndex);
  object.flushed_ = false;
  if (auto strong = registered(*object.entity_, object.id_.primaryKey)) {
    dirty_[object.id_] = std::move(strong);
  }
}

void ManagedObjectContext::deleteObject(const std::shared_ptr<ManagedObject>& object) {
  if (!object || object->context_ != this || object->deleted_) return;
  object->deleted_ = true;
  object->flushed_ = false;
  dirty_[object->id_] = object;
}

void ManagedObjectContext::loadBlob(const ManagedObject& object, int attributeIndex) const {
  const auto& attribute = object.entity_->attributes[attributeIndex];
  sqlite::Statement select(db_->handle, "SELECT " + sqlite::quoted(attribute.name) + " FROM " +
                                            sqlite::quoted(object.entity_->name) + " WHERE id = ?");
  object.blobState_[attributeIndex] = 0;
  if (!select.prepared()) return;
  select.bind(1, object.id_.primaryKey);
  if (select.step() == SQLITE_ROW)
    object.values_[attributeIndex] = select.column(0, attribute.type);
}

void ManagedObjectContext::fillFromRow(ManagedObject& object, const sqlite::Statement& row) {
  const auto& attributes = object.entity_->attributes;
  const bool anyChanged = !object.changed_.empty();
  for (std::size_t i = 0; i < attributes.size(); ++i) {
    const int column = static_cast<int>(i) + 1;
    // An unsaved change outranks the stored value.
    if (anyChanged && object.changed_.count(static_cast<int>(i)) != 0) continue;
    if (isBlob(attributes[i])) {
      object.values_[i] = std::monostate{};
      // Pictures are read when asked for.
      object.blobState_[i] =
          ManagedObject::kUnread |
          (sqlite3_column_int(row.get(), column) != 0 ? ManagedObject::kStored : 0);
    } else {
      row.readColumn(column, attributes[i].type, object.values_[i]);
    }
  }
}

Result<std::shared_ptr<ManagedObject>> ManagedObjectContext::rereadObject(const ObjectID& id) {
  const EntityDescription* entity = model_->entity(id.entity);
  if (entity == nullptr) return unknownEntity(id.entity);
  std::shared_ptr<ManagedObject> object = registered(*entity, id.primaryKey);
  if (object && object->deleted_) return std::shared_ptr<ManagedObject>();
  // Nobody else has seen an unsaved insert: there is nothing newer to read.
  if (object && object->inserted_) return object;
  sqlite::Statement select(db_->handle, "SELECT " + scalarColumns(*entity) + " FROM " +
                                            sqlite::quoted(entity->name) + " WHERE id = ?");
  if (!select.prepared()) return sqlite::failure(db_->handle, "Could not read the record");
  select.bind(1, id.primaryKey);
  const int rc = select.step();
  if (rc == SQLITE_DONE) return std::shared_ptr<ManagedObject>();
  if (rc != SQLITE_ROW) return sqlite::failure(db_->handle, "Could not read the record");
  if (!object) object = materialise(*entity, id.primaryKey);
  fillFromRow(*object, select);
  return object;
}

void ManagedObjectContext::rollbackTransaction() {
  if (transactionOpen_) sqlite::exec(db_->handle, "ROLLBACK");
  transactionOpen_ = false;
  for (auto& [id, object] : dirty_) {
    object->flushed_ = false;
    object->rowWritten_ = false;
  }
}

Status ManagedObjectContext::writeObject(ManagedObject& object) {
  const EntityDescription& entity = *object.entity_;
  const std::string table = sqlite::quoted(entity.name);
  sqlite3* db = db_->handle;

  if (object.deleted_) {
    if (object.inserted_ && !object.rowWritten_) return Status::ok();
    sqlite::Statement remove(db, "DELETE FROM " + table + " WHERE id = ?");
    remove.bind(1, object.id_.primaryKey);
    if (remove.step() != SQLITE_DONE) return sqlite::failure(db, "Could not delete the record");
    object.rowWritten_ = false;
    return Status::ok();
  }

  if (object.inserted_ && !object.rowWritten_) {
    std::string columns = "id";
    std::string marks = "?";
    for (const auto& a : entity.attributes) {
      columns += ", " + sqlite::quoted(a.name);
      marks += ", ?";
    }
    for (int attempt = 0;; ++attempt) {
      sqlite::Statement insert(
          db, "INSERT INTO " + table + " (" + columns + ") VALUES (" + marks + ")");
      insert.bind(1, object.id_.primaryKey);
      for (std::size_t i = 0; i < entity.attributes.size(); ++i) {
        insert.bind(static_cast<int>(i) + 2, object.values_[i]);
      }
      if (insert.step() == SQLITE_DONE) break;
      // Another process saved a record under the key reserved here: take the next free one.
      if (sqlite3_extended_errcode(db) != SQLITE_CONSTRAINT_PRIMARYKEY || attempt > 0) {
        return sqlite::failure(db, "Could not insert the record");
      }
      auto strong = dirty_[object.id_];
      auto& objects = registry_[entityIndex(entity)];
      dirty_.erase(object.id_);
      objects.erase(object.id_.primaryKey);
      object.id_.primaryKey = reserveKey(entity);
      dirty_[object.id_] = strong;
      objects[object.id_.primaryKey] = strong;
    }
    object.rowWritten_ = true;
    return Status::ok();
  }

  if (object.changed_.empty()) return Status::ok();
  std::string assignments;
  for (int index : object.changed_) {
    if (!assignments.empty()) assignments += ", ";
    assignments += sqlite::quoted(entity.attributes[index].name) + " = ?";
  }
  sqlite::Statement update(db, "UPDATE " + table + " SET " + assignments + " WHERE id = ?");
  int position = 1;
  for (int index : object.changed_) update.bind(position++, object.values_[index]);
  update.bind(position, object.id_.primaryKey);
  if (update.step() != SQLITE_DONE) return sqlite::failure(db, "Could not update the record");
  return Status::ok();
}

Status ManagedObjectContext::flush() {
  bool pending = false;
  for (const auto& [id, object] : dirty_) pending = pending || !object->flushed_;
  if (!pending) return Status::ok();
  if (Status began = beginWrite(); !began) return began;
  // writeObject may re-key an inserted object, so walk a copy of the pending set.
  std::vector<std::shared_ptr<ManagedObject>> objects;
  for (const auto& [id, object] : dirty_) {
    if (!object->flushed_) objects.push_back(object);
  }
  for (const auto& object : objects) {
    Status written = writeObject(*object);
    if (!written) {
      rollbackTransaction();
      return written;
    }
    object->flushed_ = true;
  }
  return Status::ok();
}

Status ManagedObjectContext::beginWrite() {
  if (transactionOpen_) return Status::ok();
  // A busy store is told apart by its SQLite code (isStoreBusy), not by these words.
  if (!sqlite::exec(db_->handle, "BEGIN IMMEDIATE")) {
    return sqlite::failure(db_->handle, "Could not begin a transaction");
  }
  transactionOpen_ = true;
  return Status::ok();
}

Status ManagedObjectContext::performWrite(const std::vector<ObjectID>& reread,
                                          const std::function<void()>& change) {
  if (Status locked = beginWrite(); !locked) return locked;
  // Unsaved changes go in first, so that the records read below are as this context left them.
  if (Status flushed = flush(); !flushed) return flushed;
  std::vector<std::shared_ptr<ManagedObject>> held;  // stay registered while `change` runs
  for (const ObjectID& id : reread) {
    auto object = rereadObject(id);
    if (!object || !object.value()) {
      Status failed =
          object ? Status::error(std::string(kRecordGone), {{"id", id.text()}}) : object.status();
      rollbackTransaction();
      return failed;
    }
    held.push_back(std::move(object).value());
  }
  if (change) change();
  return save();
}

Status ManagedObjectContext::save() {
  if (dirty_.empty() && !transactionOpen_) return Status::ok();
  if (Status flushed = flush(); !flushed) return flushed;
  if (transactionOpen_ && !sqlite::exec(db_->handle, "COMMIT")) {
    Status failed = sqlite::failure(db_->handle, "Could not save the changes");
    rollbackTransaction();
    return failed;
  }
  transactionOpen_ = false;

  ContextChanges changes;
  for (auto& [id, object] : dirty_) {
    if (object->deleted_) {
      if (!object->inserted_) {
        changes.deleted.insert(id);
        changes.deletedObjects.push_back(object);
      }
      registry_[entityIndex(*object->entity_)].erase(id.primaryKey);
      object->context_ = nullptr;
    } else if (object->inserted_) {
      changes.inserted.insert(id);
    } else {
      changes.updated.insert(id);
    }
    object->inserted_ = false;
    object->changed_.clear();
    object->flushed_ = false;
    object->rowWritten_ = false;
  }
  dirty_.clear();
  notify(changes);
  return Status::ok();
}

void ManagedObjectContext::processPendingChanges() {
  ContextChanges changes;
  for (const auto& [id, object] : dirty_) {
    if (object->deleted_) {
      if (!object->inserted_) changes.deleted.insert(id);
    } else if (object->inserted_) {
      changes.inserted.insert(id);
    } else {
      changes.updated.insert(id);
    }
  }
  notify(changes);
}

void ManagedObjectContext::notify(const ContextChanges& changes) {
  // An observer may remove itself (or others) while being told.
  auto observers = observers_;
  for (auto& [token, observer] : observers) {
    if (observers_.count(token) != 0) observer(changes);
  }
}

int ManagedObjectContext::addChangeObserver(ChangeObserver observer) {
  observers_[nextObserverToken_] = std::move(observer);
  return nextObserverToken_++;
}

void ManagedObjectContext::removeChangeObserver(int token) { observers_.erase(token); }

Result<std::vector<std::shared_ptr<ManagedObject>>> ManagedObjectContext::execute(
    const FetchRequest& request) {
  const EntityDescription* entity = model_->entity(request.entityName);
  if (entity == nullptr) return unknownEntity(request.entityName);
  auto clauses = clausesFor(*entity, request, true);
  if (!clauses) return clauses.status();
  if (Status flushed = flush(); !flushed) return flushed;

  sqlite::Statement select(db_->handle, "SELECT " + scalarColumns(*entity) + " FROM " +
                                            sqlite::quoted(entity->name) + clauses->sql);
  if (!select.prepared()) return sqlite::failure(db_->handle, "Could not fetch");
  for (std::size_t i = 0; i < clauses->bindings.size(); ++i) {
    select.bind(static_cast<int>(i) + 1, clauses->bindings[i]);
  }
  std::vector<std::shared_ptr<ManagedObject>> objects;
  int rc;
  while ((rc = select.step()) == SQLITE_ROW) {
    const std::int64_t key = sqlite3_column_int64(select.get(), 0);
    std::shared_ptr<ManagedObject> object = registered(*entity, key);
    if (object && object->hasChanges()) {
      objects.push_back(std::move(object));  // its pending state is what the row shows
      continue;
    }
    if (!object) object = materialise(*entity, key);
    // Clean objects take the stored values: another process may have saved since.
    fillFromRow(*object, select);
    objects.push_back(std::move(object));
  }
  if (rc != SQLITE_DONE) return sqlite::failure(db_->handle, "Could not fetch");
  return objects;
}

namespace {

// What the key queries run: the request's WHERE and ORDER BY over the key and maybe one column.
Result<std::unique_ptr<sqlite::Statement>> keyQuery(sqlite3* db, const EntityDescription& entity,
                                                    const FetchRequest& request,
                                                    std::string_view attribute) {
  auto clauses = clausesFor(entity, request, true);
  if (!clauses) return clauses.status();
  std::string columns = "id";
  if (!attribute.empty()) columns += ", " + sqlite::quoted(attribute);
  auto select = std::make_unique<sqlite::Statement>(
      db, "SELECT " + columns + " FROM " + sqlite::quoted(entity.name) + clauses->sql);
  if (!select->prepared()) return sqlite::failure(db, "Could not fetch");
  for (std::size_t i = 0; i < clauses->bindings.size(); ++i) {
    select->bind(static_cast<int>(i) + 1, clauses->bindings[i]);
  }
  return select;
}

}  // namespace

Result<std::vector<std::int64_t>> ManagedObjectContext::executeForKeys(
    const FetchRequest& request) {
  const EntityDescription* entity = model_->entity(request.entityName);
  if (entity == nullptr) return unknownEntity(request.entityName);
  if (Status flushed = flush(); !flushed) return flushed;
  auto select = keyQuery(db_->handle, *entity, request, {});
  if (!select) return select.status();
  std::vector<std::int64_t> keys;
  int rc;
  while ((rc = (*select)->step()) == SQLITE_ROW) {
    keys.push_back(sqlite3_column_int64((*select)->get(), 0));
  }
  if (rc != SQLITE_DONE) return sqlite::failure(db_->handle, "Could not fetch");
  return keys;
}

Result<std::vector<std::pair<std::int64_t, Value>>> ManagedObjectContext::executeForKeys(
    const FetchRequest& request, std::string_view attribute) {
  const EntityDescription* entity = model_->entity(request.entityName);
  if (entity == nullptr) return unknownEntity(request.entityName);
  const int index = entity->attributeIndex(attribute);
  if (index < 0) {
    return Status::error(
        "keypath " + std::string(attribute) + " not found in entity " + entity->name,
        {{"entity", entity->name}, {"key", std::string(attribute)}});
  }
  if (Status flushed = flush(); !flushed) return flushed;
  auto select = keyQuery(db_->handle, *entity, request, attribute);
  if (!select) return select.status();
  const AttributeType type = entity->attributes[index].type;
  std::vector<std::pair<std::int64_t, Value>> rows;
  int rc;
  while ((rc = (*select)->step()) == SQLITE_ROW) {
    rows.emplace_back(sqlite3_column_int64((*select)->get(), 0), (*select)->column(1, type));
  }
  if (rc != SQLITE_DONE) return sqlite::failure(db_->handle, "Could not fetch");
  return rows;
}

Result<std::vector<std::shared_ptr<ManagedObject>>> ManagedObjectContext::objectsWithKeys(
    std::string_view entityName, std::span<const std::int64_t> keys) {
  const EntityDescription* entity = model_->entity(entityName);
  if (entity == nullptr) return unknownEntity(entityName);
  std::vector<std::shared_ptr<ManagedObject>> objects(keys.size());
  // No flush: an object with unsaved changes is taken as it is, and the stored rows of the others
  // are what a fetch would read. The others are read together, in key order.
  std::vector<std::pair<std::int64_t, std::size_t>> stored;
  stored.reserve(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    // Only objects with unsaved changes are kept as they are, and all of them are in dirty_.
    std::shared_ptr<ManagedObject> object = dirty_.empty() ? nullptr : registered(*entity, keys[i]);
    if (object && object->hasChanges()) {
      objects[i] = std::move(object);
    } else {
      stored.emplace_back(keys[i], i);
    }
  }
  std::sort(stored.begin(), stored.end());
  // In runs, as SQLite limits the values bound to one statement.
  constexpr std::size_t kKeysPerStatement = 500;
  for (std::size_t from = 0; from < stored.size(); from += kKeysPerStatement) {
    const std::span<const std::pair<std::int64_t, std::size_t>> run(
        stored.data() + from, std::min(kKeysPerStatement, stored.size() - from));
    sqlite::Statement* select = batchRead(*entity, run.size());
    if (select == nullptr) return sqlite::failure(db_->handle, "Could not fetch");
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> resetAfterUse(select->get(),
                                                                              sqlite3_reset);
    for (std::size_t i = 0; i < run.size(); ++i)
      select->bind(static_cast<int>(i) + 1, run[i].first);
    int rc;
    while ((rc = select->step()) == SQLITE_ROW) {
      const std::int64_t key = sqlite3_column_int64(select->get(), 0);
      const auto [first, last] =
          std::equal_range(run.begin(), run.end(), std::pair<std::int64_t, std::size_t>(key, 0),
                           [](const auto& a, const auto& b) { return a.first < b.first; });
      if (first == last) continue;
      std::shared_ptr<ManagedObject> object = registered(*entity, key);
      if (!object) object = materialise(*entity, key);
      fillFromRow(*object, *select);
      for (auto at = first; at != last; ++at) objects[at->second] = object;
    }
    if (rc != SQLITE_DONE) return sqlite::failure(db_->handle, "Could not fetch");
  }
  // A record no longer stored (another process deleted it since the keys were read) stays null.
  return objects;
}

sqlite::Statement* ManagedObjectContext::batchRead(const EntityDescription& entity,
                                                   std::size_t keys) {
  // Sizes other than the lists' own batch size come and go: keep a handful.
  if (batchReads_.size() >= 16 && batchReads_.count({&entity, keys}) == 0) batchReads_.clear();
  auto& statement = batchReads_[{&entity, keys}];
  if (!statement) {
    std::string marks = "?";
    for (std::size_t i = 1; i < keys; ++i) marks += ", ?";
    statement = std::make_unique<sqlite::Statement>(
        db_->handle, "SELECT " + scalarColumns(entity) + " FROM " + sqlite::quoted(entity.name) +
                         " WHERE id IN (" + marks + ")");
    if (!statement->prepared()) {
      batchReads_.erase({&entity, keys});
      return nullptr;
    }
  }
  return statement.get();
}

Result<std::int64_t> ManagedObjectContext::count(const FetchRequest& request) {
  const EntityDescription* entity = model_->entity(request.entityName);
  if (entity == nullptr) return unknownEntity(request.entityName);
  auto clauses = clausesFor(*entity, request, false);
  if (!clauses) return clauses.status();
  if (Status flushed = flush(); !flushed) return flushed;
  std::string sql = "SELECT count(*) FROM " + sqlite::quoted(entity->name) + clauses->sql;
  if (request.fetchLimit && *request.fetchLimit > 0) {
    sql = "SELECT min(count(*), " + std::to_string(*request.fetchLimit) + ") FROM " +
          sqlite::quoted(entity->name) + clauses->sql;
  }
  sqlite::Statement select(db_->handle, sql);
  if (!select.prepared()) return sqlite::failure(db_->handle, "Could not count");
  for (std::size_t i = 0; i < clauses->bindings.size(); ++i) {
    select.bind(static_cast<int>(i) + 1, clauses->bindings[i]);
  }
  if (select.step() != SQLITE_ROW) return sqlite::failure(db_->handle, "Could not count");
  return static_cast<std::int64_t>(sqlite3_column_int64(select.get(), 0));
}

Result<std::optional<double>> ManagedObjectContext::aggregate(const FetchRequest& request,
                                                              AggregateFunction function,
                                                              std::string_view attribute) {
  const EntityDescription* entity = model_->entity(request.entityName);
  if (entity == nullptr) return unknownEntity(request.entityName);
  if (entity->attributeIndex(attribute) < 0) {
    return Status::error(
        "keypath " + std::string(attribute) + " not found in entity " + entity->name,
        {{"entity", entity->name}, {"key", std::string(attribute)}});
  }
  auto clauses = clausesFor(*entity, request, false);
  if (!clauses) return clauses.status();
  if (Status flushed = flush(); !flushed) return flushed;
  if (function == AggregateFunction::Sum && !request.predicate) {
    if (auto kept = sqlite::keptSum(db_->handle, *entity, attribute)) {
      return std::optional<double>(*kept);
    }
  }
  const std::string column = sqlite::quoted(attribute);
  // avg() and total() read text by its leading number ("40.5" is 40.5, "abc" is 0).
  const std::string expression =
      function == AggregateFunction::Sum ? "total(" + column + ")" : "avg(" + column + ")";
  sqlite::Statement select(
      db_->handle, "SELECT " + expression + " FROM " + sqlite::quoted(entity->name) + clauses->sql);
  if (!select.prepared()) return sqlite::failure(db_->handle, "Could not aggregate");
  for (std::size_t i = 0; i < clauses->bindings.size(); ++i) {
    select.bind(static_cast<int>(i) + 1, clauses->bindings[i]);
  }
  if (select.step() != SQLITE_ROW) return sqlite::failure(db_->handle, "Could not aggregate");
  if (sqlite3_column_type(select.get(), 0) == SQLITE_NULL) return std::optional<double>();
  return std::optional<double>(sqlite3_column_double(select.get(), 0));
}

std::shared_ptr<ManagedObject> ManagedObjectContext::existingObject(const ObjectID& id) {
  const EntityDescription* entity = model_->entity(id.entity);
  if (entity == nullptr) return nullptr;
  if (auto object = registered(*entity, id.primaryKey)) return object->deleted_ ? nullptr : object;
  // A pending delete must hide the row; if the write fails the stored row is still the answer.
  (void)flush();
  sqlite::Statement select(db_->handle, "SELECT " + scalarColumns(*entity) + " FROM " +
                                            sqlite::quoted(entity->name) + " WHERE id = ?");
  if (!select.prepared()) return nullptr;
  select.bind(1, id.primaryKey);
  if (select.step() != SQLITE_ROW) return nullptr;
  auto object = materialise(*entity, id.primaryKey);
  fillFromRow(*object, select);
  return object;
}

}  // namespace tockary
