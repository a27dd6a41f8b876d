#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/date.h"

namespace tockary {

class ManagedObject;

enum class AttributeType { String, Double, Int16, Date, Bytes };

// One attribute value as the store holds it; monostate is null.
using Value = std::variant<std::monostate, std::string, double, std::int64_t, Date, Bytes>;

inline bool isNull(const Value& v) { return std::holds_alternative<std::monostate>(v); }

struct AttributeDescription {
  std::string name;
  AttributeType type;
};

// An attribute as a record class lists it, known when compiling.
struct AttributeEntry {
  std::string_view name;
  AttributeType type;
};

// The position of `name` in a record class's list; a name not in the list does not compile.
template <std::size_t N>
consteval int attributeIndexIn(const std::array<AttributeEntry, N>& attributes,
                               std::string_view name) {
  for (std::size_t i = 0; i < N; ++i) {
    if (attributes[i].name == name) return static_cast<int>(i);
  }
  throw "no attribute of that name";
}

// One key of an order: ascending sorts nulls first, descending last.
struct SortDescriptor {
  std::string key;
  bool ascending = true;
};

// Relationships are declared so that stores keep their shape; the program never follows them.
// A to-one end is stored as an integer column "<name>_id" holding the destination's primary key.
struct RelationshipDescription {
  std::string name;
  std::string destinationEntity;
  bool toMany = false;
  std::string inverseName;
};

struct EntityDescription {
  std::string name;
  std::vector<AttributeDescription> attributes;
  std::vector<RelationshipDescription> relationships;
  // Creates the record class for this entity (a subclass of ManagedObject); null makes a plain one.
  std::function<std::shared_ptr<ManagedObject>()> instantiate;
  // Indexes the store keeps, each over its keys in their directions (for the orders and filters
  // the app's lists fetch with); created when missing.
  std::vector<std::vector<SortDescriptor>> indexes = {};
  // Attributes whose sum over every record the store keeps as records change (by triggers, so
  // that every program writing the file keeps it), for a sum: without a predicate that must not
  // read every record. Created with the sums of the records already stored when missing.
  std::vector<std::string> keptSums = {};
  // Text attributes the store keeps a text index over (kept by triggers too, and rebuilt from the
  // records when missing), for the predicate "SELF CONTAINS[cd] %@": a search that must not read
  // every record.
  std::vector<std::string> searchedAttributes = {};

  // Index of the attribute in `attributes`, or -1.
  int attributeIndex(std::string_view attributeName) const;
};

// The model a store is created or migrated from. `version` becomes the schema version of the file.
struct ManagedObjectModel {
  std::string name;
  int version = 1;
  std::vector<EntityDescription> entities;

  const EntityDescription* entity(std::string_view entityName) const;
};

}  // namespace tockary
