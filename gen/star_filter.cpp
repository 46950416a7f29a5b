#include "gen/star_filter.h"

#include <algorithm>
#include <array>

#include "gen/names.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

constexpr std::size_t SHOWN_BYTES = 40;

// A word as a message shows it, quoted: control bytes, DEL and bytes from 128
// on as \xNN and a backslash doubled, so that no byte of it can steer a
// terminal; cut after SHOWN_BYTES bytes.
std::string shown(std::string_view word) {
  static constexpr char HEX[] = "0123456789abcdef";
  std::string out = "'";
  for (std::size_t i = 0; i < word.size() && i < SHOWN_BYTES; ++i) {
    const auto byte = static_cast<unsigned char>(word[i]);
    if (byte == '\\') {
      out += "\\\\";
    } else if (byte >= 0x20 && byte < 0x7f) {
      out += static_cast<char>(byte);
    } else {
      out += "\\x";
      out += HEX[byte >> 4];
      out += HEX[byte & 0xf];
    }
  }
  return out + (word.size() > SHOWN_BYTES ? "...'" : "'");
}

char lowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowerCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = lowerAscii(c);
  return out;
}

bool isAsciiAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The filters that compare a number, with the values that number takes.
struct NumberFilter {
  std::string_view key;
  ValueRange StarFilter::*range;
  int most;
};
constexpr std::array<NumberFilter, 3> NUMBER_FILTERS = {{
    {"bright", &StarFilter::bright, 255},
    {"planets", &StarFilter::planets, 10},
    {"stars", &StarFilter::stars, 5},
}};

// Decimal digits only, at most `most`; nullopt otherwise.
std::optional<int> readNumber(std::string_view digits, int most) {
  if (digits.empty() || digits.size() > 9) return std::nullopt;
  int value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value > most) return std::nullopt;
  return value;
}

// Narrows `range` by `op` ("=", ">=" or "<=") and `value`.
void narrow(ValueRange& range, std::string_view op, int value) {
  if (op != "<=") range.least = std::max(range.least, value);
  if (op != ">=") range.most = std::min(range.most, value);
}

// One word taken apart: its key in lower case, its operator ("=", ">=",
// "<=", or empty for anything else) and its value.
struct FilterWord {
  std::string_view text;
  std::string key;
  std::string_view op;
  std::string_view value;
};

// Each apply function narrows `terms` by one word; the reason the word is
// wrong, else "".
std::string applyNumber(const FilterWord& word, const NumberFilter& filter, SearchTerms& terms) {
  if (word.op.empty()) return shown(word.text) + ": compare with >=, <= or =";
  const auto number = readNumber(word.value, filter.most);
  if (!number) {
    return shown(word.text) + ": " + std::string(filter.key) + " takes a whole number from 0 to " +
           std::to_string(filter.most);
  }
  narrow(terms.filter.*filter.range, word.op, *number);
  return "";
}

std::string applyName(const FilterWord& word, SearchTerms& terms) {
  if (word.value.empty()) return shown(word.text) + ": give a part of a name after name=";
  for (const char c : word.value) {
    if (!isAsciiAlnum(c)) return shown(word.text) + ": names hold only letters and digits";
  }
  terms.filter.nameParts.push_back(lowerCase(word.value));
  return "";
}

std::string applyRadius(const FilterWord& word, SearchTerms& terms) {
  if (terms.radiusGiven) return shown(word.text) + ": the radius is given twice";
  const auto radius = readNumber(word.value, MAX_SEARCH_RADIUS);
  if (!radius) {
    return shown(word.text) + ": the radius is a whole number of cells from 0 to " +
           std::to_string(MAX_SEARCH_RADIUS);
  }
  terms.radius = *radius;
  terms.radiusGiven = true;
  return "";
}

std::string applyWord(std::string_view text, SearchTerms& terms) {
  const std::size_t at = text.find_first_of("<>=");
  if (at == std::string_view::npos || at == 0) {
    return shown(text) +
           " is not a filter: write a name, an operator and a value, such as "
           "planets>=5";
  }
  FilterWord word{text, lowerCase(text.substr(0, at)), "", text.substr(at)};
  for (const std::string_view op : {">=", "<=", "="}) {
    if (word.value.starts_with(op)) {
      word.op = op;
      word.value.remove_prefix(op.size());
      break;
    }
  }
  for (const NumberFilter& filter : NUMBER_FILTERS) {
    if (word.key == filter.key) return applyNumber(word, filter, terms);
  }
  if (word.key != "name" && word.key != "radius") {
    return shown(text) + ": unknown filter (expected bright, planets, stars, name or radius)";
  }
  if (word.op != "=") return shown(text) + ": write " + word.key + "=";
  return word.key == "name" ? applyName(word, terms) : applyRadius(word, terms);
}

}  // namespace

bool passesName(const StarFilter& filter, std::string_view name) {
  const std::string lower = lowerCase(name);
  for (const std::string& part : filter.nameParts) {
    if (lower.find(part) == std::string::npos) return false;
  }
  return true;
}

bool systemMatches(const StarFilter& filter, std::int64_t x, std::int64_t y,
                   std::uint8_t nebIntens) {
  if (!filter.bright.contains(nebIntens)) return false;
  const std::int32_t cellX = wrapCoordinate(x);
  const std::int32_t cellY = wrapCoordinate(y);
  if (filter.needsCounts() && !passesCounts(filter, systemCountsAt(cellX, cellY), nebIntens)) {
    return false;
  }
  return !filter.needsName() || passesName(filter, quickName(cellSeed(cellX, cellY)));
}

std::string filterText(const StarFilter& filter) {
  std::string text;
  auto word = [&text](const std::string& w) { text += (text.empty() ? "" : " ") + w; };
  const StarFilter every;
  for (const NumberFilter& number : NUMBER_FILTERS) {
    const ValueRange range = filter.*number.range;
    const ValueRange whole = every.*number.range;
    const std::string key(number.key);
    if (range.least == range.most) {
      word(key + "=" + std::to_string(range.least));
      continue;
    }
    if (range.least != whole.least) word(key + ">=" + std::to_string(range.least));
    if (range.most != whole.most) word(key + "<=" + std::to_string(range.most));
  }
  std::vector<std::string> names = filter.nameParts;
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) word("name=" + name);
  return text;
}

SearchTermsReading readSearchTerms(std::string_view text) {
  SearchTerms terms;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    const std::size_t start = i;
    while (i < text.size() && text[i] != ' ' && text[i] != '\t') ++i;
    if (i == start) break;
    if (std::string error = applyWord(text.substr(start, i - start), terms); !error.empty()) {
      return SearchTermsReading{std::nullopt, std::move(error)};
    }
  }
  return SearchTermsReading{std::move(terms), ""};
}

}  // namespace glyphverse
