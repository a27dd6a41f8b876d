#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"
#include "platform/store/model.h"

namespace tockary {

// A filter written as the app writes it: "myyntiliike = %@" with its arguments, several
// comparisons joined by AND. Operators: =, ==, !=, <>, <, <=, >, >=; each compares an attribute
// with one %@ argument. "SELF CONTAINS[cd] %@" is true for a record whose searched attributes
// (EntityDescription::searchedAttributes) hold every blank-separated word of the argument, case
// and accents ignored; an argument without a word is true for every record. Semantics kept from
// the reference store:
//  - `attr != x` is true for a null attribute;
//  - the argument is read as the attribute's type ("0.0" against a Double is the number 0,
//    against a String it is the text "0.0").
inline constexpr std::string_view kContainsOperator = "CONTAINS[cd]";

class Predicate {
 public:
  Predicate(std::string format, std::vector<Value> arguments);
  // AND of several predicates.
  static Predicate andPredicate(const std::vector<Predicate>& parts);

  const std::string& format() const { return format_; }
  const std::vector<Value>& arguments() const { return arguments_; }

  struct Comparison {
    std::string attribute;
    std::string op;  // normalised: "=", "!=", "<", "<=", ">", ">=", "CONTAINS[cd]"
    Value argument;
  };
  // The comparisons of the format, or why it cannot be read.
  Result<std::vector<Comparison>> comparisons() const;

 private:
  std::string format_;
  std::vector<Value> arguments_;
};

}  // namespace tockary
