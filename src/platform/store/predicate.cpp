#include "platform/store/predicate.h"

#include <cctype>

namespace tockary {

namespace {

bool isIdentifierChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

void skipBlanks(std::string_view text, std::size_t& at) {
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])) != 0) ++at;
}

// Reads the operator at `at`; empty when there is none.
std::string readOperator(std::string_view text, std::size_t& at) {
  if (text.substr(at, kContainsOperator.size()) == kContainsOperator) {
    at += kContainsOperator.size();
    return std::string(kContainsOperator);
  }
  static constexpr std::string_view kOperators[][2] = {
      {"==", "="},  {"!=", "!="}, {"<>", "!="}, {"<=", "<="}, {">=", ">="},
      {"=<", "<="}, {"=>", ">="}, {"=", "="},   {"<", "<"},   {">", ">"}};
  for (const auto& [written, normal] : kOperators) {
    if (text.substr(at, written.size()) == written) {
      at += written.size();
      return std::string(normal);
    }
  }
  return {};
}

bool readAnd(std::string_view text, std::size_t& at) {
  if (text.substr(at, 2) == "&&") {
    at += 2;
    return true;
  }
  if (text.size() - at < 3) return false;
  std::string word;
  for (std::size_t i = 0; i < 3; ++i) {
    word += static_cast<char>(std::toupper(static_cast<unsigned char>(text[at + i])));
  }
  if (word != "AND" || (at + 3 < text.size() && isIdentifierChar(text[at + 3]))) return false;
  at += 3;
  return true;
}

}  // namespace

Predicate::Predicate(std::string format, std::vector<Value> arguments)
    : format_(std::move(format)), arguments_(std::move(arguments)) {}

Predicate Predicate::andPredicate(const std::vector<Predicate>& parts) {
  std::string format;
  std::vector<Value> arguments;
  for (const auto& part : parts) {
    if (!format.empty()) format += " AND ";
    format += part.format_;
    arguments.insert(arguments.end(), part.arguments_.begin(), part.arguments_.end());
  }
  return {format, arguments};
}

Result<std::vector<Predicate::Comparison>> Predicate::comparisons() const {
  const std::string_view text = format_;
  auto unreadable = [&](const std::string& why) {
    return Status::error("Unable to parse the format string",
                         {{"format", format_}, {"reason", why}});
  };
  std::vector<Comparison> result;
  std::size_t at = 0;
  std::size_t argument = 0;
  while (true) {
    skipBlanks(text, at);
    const std::size_t start = at;
    while (at < text.size() && isIdentifierChar(text[at])) ++at;
    if (at == start) return unreadable("attribute name expected");
    Comparison comparison;
    comparison.attribute = std::string(text.substr(start, at - start));
    skipBlanks(text, at);
    comparison.op = readOperator(text, at);
    if (comparison.op.empty()) return unreadable("comparison operator expected");
    skipBlanks(text, at);
    if (text.substr(at, 2) != "%@") return unreadable("%@ expected");
    at += 2;
    if (argument >= arguments_.size()) return unreadable("too few arguments");
    comparison.argument = arguments_[argument++];
    result.push_back(std::move(comparison));
    skipBlanks(text, at);
    if (at == text.size()) break;
    if (!readAnd(text, at)) return unreadable("AND expected");
  }
  if (argument != arguments_.size()) return unreadable("too many arguments");
  return result;
}

}  // namespace tockary
