#include "platform/store/text_search.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string_view>
#include <utility>

#include "platform/store/sqlite_support.h"

namespace tockary::sqlite {

namespace {

// What the index folds away, in the order it does so: Latin letters with accents (both cases,
// as SQLite's lower() knows only ASCII) and the combining accents of decomposed text. The
// tokenizer folds case itself. Changing this table rebuilds every store's index on its next open.
constexpr std::pair<std::string_view, std::string_view> kFoldings[] = {
    {"À", "A"},     {"Á", "A"},     {"Â", "A"},     {"Ã", "A"},     {"Ä", "A"},     {"Å", "A"},
    {"Ç", "C"},     {"È", "E"},     {"É", "E"},     {"Ê", "E"},     {"Ë", "E"},     {"Ì", "I"},
    {"Í", "I"},     {"Î", "I"},     {"Ï", "I"},     {"Ñ", "N"},     {"Ò", "O"},     {"Ó", "O"},
    {"Ô", "O"},     {"Õ", "O"},     {"Ö", "O"},     {"Ù", "U"},     {"Ú", "U"},     {"Û", "U"},
    {"Ü", "U"},     {"Ý", "Y"},     {"à", "a"},     {"á", "a"},     {"â", "a"},     {"ã", "a"},
    {"ä", "a"},     {"å", "a"},     {"ç", "c"},     {"è", "e"},     {"é", "e"},     {"ê", "e"},
    {"ë", "e"},     {"ì", "i"},     {"í", "i"},     {"î", "i"},     {"ï", "i"},     {"ñ", "n"},
    {"ò", "o"},     {"ó", "o"},     {"ô", "o"},     {"õ", "o"},     {"ö", "o"},     {"ù", "u"},
    {"ú", "u"},     {"û", "u"},     {"ü", "u"},     {"ý", "y"},     {"ÿ", "y"},     {"Ā", "A"},
    {"ā", "a"},     {"Ă", "A"},     {"ă", "a"},     {"Ą", "A"},     {"ą", "a"},     {"Ć", "C"},
    {"ć", "c"},     {"Ĉ", "C"},     {"ĉ", "c"},     {"Ċ", "C"},     {"ċ", "c"},     {"Č", "C"},
    {"č", "c"},     {"Ď", "D"},     {"ď", "d"},     {"Ē", "E"},     {"ē", "e"},     {"Ĕ", "E"},
    {"ĕ", "e"},     {"Ė", "E"},     {"ė", "e"},     {"Ę", "E"},     {"ę", "e"},     {"Ě", "E"},
    {"ě", "e"},     {"Ĝ", "G"},     {"ĝ", "g"},     {"Ğ", "G"},     {"ğ", "g"},     {"Ġ", "G"},
    {"ġ", "g"},     {"Ģ", "G"},     {"ģ", "g"},     {"Ĥ", "H"},     {"ĥ", "h"},     {"Ĩ", "I"},
    {"ĩ", "i"},     {"Ī", "I"},     {"ī", "i"},     {"Ĭ", "I"},     {"ĭ", "i"},     {"Į", "I"},
    {"į", "i"},     {"İ", "I"},     {"Ĵ", "J"},     {"ĵ", "j"},     {"Ķ", "K"},     {"ķ", "k"},
    {"Ĺ", "L"},     {"ĺ", "l"},     {"Ļ", "L"},     {"ļ", "l"},     {"Ľ", "L"},     {"ľ", "l"},
    {"Ń", "N"},     {"ń", "n"},     {"Ņ", "N"},     {"ņ", "n"},     {"Ň", "N"},     {"ň", "n"},
    {"Ō", "O"},     {"ō", "o"},     {"Ŏ", "O"},     {"ŏ", "o"},     {"Ő", "O"},     {"ő", "o"},
    {"Ŕ", "R"},     {"ŕ", "r"},     {"Ŗ", "R"},     {"ŗ", "r"},     {"Ř", "R"},     {"ř", "r"},
    {"Ś", "S"},     {"ś", "s"},     {"Ŝ", "S"},     {"ŝ", "s"},     {"Ş", "S"},     {"ş", "s"},
    {"Š", "S"},     {"š", "s"},     {"Ţ", "T"},     {"ţ", "t"},     {"Ť", "T"},     {"ť", "t"},
    {"Ũ", "U"},     {"ũ", "u"},     {"Ū", "U"},     {"ū", "u"},     {"Ŭ", "U"},     {"ŭ", "u"},
    {"Ů", "U"},     {"ů", "u"},     {"Ű", "U"},     {"ű", "u"},     {"Ų", "U"},     {"ų", "u"},
    {"Ŵ", "W"},     {"ŵ", "w"},     {"Ŷ", "Y"},     {"ŷ", "y"},     {"Ÿ", "Y"},     {"Ź", "Z"},
    {"ź", "z"},     {"Ż", "Z"},     {"ż", "z"},     {"Ž", "Z"},     {"ž", "z"},     {"ß", "ss"},
    {"Æ", "AE"},    {"æ", "ae"},    {"Œ", "OE"},    {"œ", "oe"},    {"Ø", "O"},     {"ø", "o"},
    {"Đ", "D"},     {"đ", "d"},     {"Ł", "L"},     {"ł", "l"},     {"Ħ", "H"},     {"ħ", "h"},
    {"ı", "i"},     {"\u0300", ""}, {"\u0301", ""}, {"\u0302", ""}, {"\u0303", ""}, {"\u0304", ""},
    {"\u0306", ""}, {"\u0307", ""}, {"\u0308", ""}, {"\u030A", ""}, {"\u030B", ""}, {"\u030C", ""},
    {"\u0323", ""}, {"\u0327", ""}, {"\u0328", ""},
};

// Between the attributes in the index's one column; never in a search word, so no word
// matches across two attributes.
constexpr char kSeparator = '\x1f';

// The trigram tokenizer matches a phrase of three characters or more anywhere inside a text;
// shorter words are looked for with LIKE instead.
constexpr std::size_t kShortestIndexedWord = 3;

std::string indexTable(const EntityDescription& entity) { return entity.name + "_search"; }

// The attributes of a row joined, in SQL.
std::string joinedRow(const EntityDescription& entity, std::string_view row) {
  std::string joined;
  for (const std::string& attribute : entity.searchedAttributes) {
    if (!joined.empty()) joined += " || char(" + std::to_string(kSeparator) + ") || ";
    joined += "coalesce(" + std::string(row) + sqlite::quoted(attribute) + ", '')";
  }
  return joined;
}

// SQLite's parser refuses replace() nested much deeper than this: the foldings are applied a
// run at a time, each run one UPDATE of the folding table.
constexpr std::size_t kFoldingsPerStatement = 16;

// The UPDATEs that fold the texts of the folding table's rows chosen by `where`.
std::vector<std::string> foldingUpdates(const std::string& foldTable, const std::string& where) {
  std::vector<std::string> updates;
  const std::size_t count = std::size(kFoldings);
  for (std::size_t first = 0; first < count; first += kFoldingsPerStatement) {
    std::string sql = "text";
    for (std::size_t i = first; i < std::min(count, first + kFoldingsPerStatement); ++i) {
      sql = "replace(" + sql + ", " + literal(kFoldings[i].first) + ", " +
            literal(kFoldings[i].second) + ")";
    }
    updates.push_back("UPDATE " + foldTable + " SET text = " + sql + where);
  }
  return updates;
}

std::string schemaText(sqlite3* db, std::string_view type, std::string_view name) {
  Statement find(db, "SELECT sql FROM sqlite_master WHERE type = ? AND name = ?");
  if (!find.prepared()) return {};
  find.bind(1, std::string(type));
  find.bind(2, std::string(name));
  if (find.step() != SQLITE_ROW || sqlite3_column_type(find.get(), 0) != SQLITE_TEXT) return {};
  return reinterpret_cast<const char*>(sqlite3_column_text(find.get(), 0));
}

std::size_t codePoints(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

std::vector<std::string> words(std::string_view text) {
  std::vector<std::string> found;
  std::string word;
  for (const char c : text) {
    if (c == kSeparator) continue;
    if (!isBlank(c)) {
      word += c;
    } else if (!word.empty()) {
      found.push_back(std::move(word));
      word.clear();
    }
  }
  if (!word.empty()) found.push_back(std::move(word));
  return found;
}

}  // namespace

std::string foldedForSearch(std::string_view text) {
  std::string folded(text);
  for (const auto& [from, to] : kFoldings) {
    for (auto at = folded.find(from); at != std::string::npos; at = folded.find(from, at)) {
      folded.replace(at, from.size(), to);
      at += to.size();
    }
  }
  return folded;
}

std::vector<std::string> textSearchStatements(sqlite3* db, const EntityDescription& entity) {
  std::vector<std::string> statements;
  if (entity.searchedAttributes.empty()) return statements;
  const std::string table = indexTable(entity);
  const std::string records = sqlite::quoted(entity.name);
  const std::string index = sqlite::quoted(table);
  // Where a row's text is folded on its way into the index; empty between writes.
  const std::string foldName = table + "_folding";
  const std::string fold = sqlite::quoted(foldName);
  const std::string createIndex =
      "CREATE VIRTUAL TABLE " + index + " USING fts5(text, tokenize = 'trigram')";
  const std::string createFold = "CREATE TABLE " + fold + " (id INTEGER PRIMARY KEY, text TEXT)";

  std::string watched = "id";
  for (const std::string& attribute : entity.searchedAttributes)
    watched += ", " + sqlite::quoted(attribute);
  std::string insertNew =
      "INSERT INTO " + fold + " (id, text) VALUES (NEW.id, " + joinedRow(entity, "NEW.") + "); ";
  for (const std::string& update : foldingUpdates(fold, " WHERE id = NEW.id")) {
    insertNew += update + "; ";
  }
  insertNew += "INSERT INTO " + index + " (rowid, text) SELECT id, text FROM " + fold +
               " WHERE id = NEW.id; DELETE FROM " + fold + " WHERE id = NEW.id;";
  const std::string deleteOld = "DELETE FROM " + index + " WHERE rowid = OLD.id;";
  const std::array<std::pair<std::string, std::string>, 3> triggers = {{
      {table + "_insert", " AFTER INSERT ON " + records + " BEGIN " + insertNew + " END"},
      {table + "_delete", " AFTER DELETE ON " + records + " BEGIN " + deleteOld + " END"},
      {table + "_update", " AFTER UPDATE OF " + watched + " ON " + records + " BEGIN " + deleteOld +
                              " " + insertNew + " END"},
  }};
  bool current = schemaText(db, "table", table) == createIndex &&
                 schemaText(db, "table", foldName) == createFold;
  for (const auto& [name, body] : triggers) {
    current = current &&
              schemaText(db, "trigger", name) == "CREATE TRIGGER " + sqlite::quoted(name) + body;
  }
  if (current) return statements;
  // Missing or written from other rules: all of it again, from the records.
  for (const auto& [name, body] : triggers) {
    statements.push_back("DROP TRIGGER IF EXISTS " + sqlite::quoted(name));
  }
  statements.push_back("DROP TABLE IF EXISTS " + index);
  statements.push_back("DROP TABLE IF EXISTS " + fold);
  statements.push_back(createIndex);
  statements.push_back(createFold);
  for (const auto& [name, body] : triggers) {
    statements.push_back("CREATE TRIGGER " + sqlite::quoted(name) + body);
  }
  statements.push_back("INSERT INTO " + fold + " (id, text) SELECT id, " + joinedRow(entity, "") +
                       " FROM " + records);
  for (std::string& update : foldingUpdates(fold, "")) statements.push_back(std::move(update));
  statements.push_back("INSERT INTO " + index + " (rowid, text) SELECT id, text FROM " + fold);
  statements.push_back("DELETE FROM " + fold);
  return statements;
}

std::string searchCondition(const EntityDescription& entity, std::string_view text,
                            std::vector<std::string>& bindings) {
  // The user's words are data: each is one quoted phrase (quotes doubled) or one escaped LIKE
  // pattern, so that "OR", "*", "-" or "(" are looked for as they are.
  std::string phrases;
  std::vector<std::string> patterns;
  for (const std::string& word : words(text)) {
    const std::string folded = foldedForSearch(word);
    if (folded.empty()) continue;
    if (codePoints(folded) >= kShortestIndexedWord) {
      if (!phrases.empty()) phrases += ' ';
      phrases += '"';
      for (const char c : folded) phrases += c == '"' ? std::string("\"\"") : std::string(1, c);
      phrases += '"';
      continue;
    }
    std::string pattern = "%";
    for (const char c : folded) {
      if (c == '%' || c == '_' || c == '\\') pattern += '\\';
      pattern += c;
    }
    patterns.push_back(pattern + "%");
  }
  if (phrases.empty() && patterns.empty()) return {};
  const std::string index = sqlite::quoted(indexTable(entity));
  std::string where;
  if (!phrases.empty()) {
    where = index + " MATCH ?";
    bindings.push_back(phrases);
  }
  for (std::string& pattern : patterns) {
    if (!where.empty()) where += " AND ";
    where += "text LIKE ? ESCAPE '\\'";
    bindings.push_back(std::move(pattern));
  }
  return "id IN (SELECT rowid FROM " + index + " WHERE " + where + ")";
}

}  // namespace tockary::sqlite
