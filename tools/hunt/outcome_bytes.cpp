#include "tools/hunt/outcome_bytes.h"

#include <cstring>
#include <type_traits>

namespace glyphverse {
namespace {

template <typename T>
void put(std::string& out, T value) {
  static_assert(std::is_trivially_copyable_v<T>);
  out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

class Reader {
 public:
  explicit Reader(const std::string& bytes) : bytes_(bytes) {}
  template <typename T>
  T get() {
    T value{};
    if (at_ + sizeof value > bytes_.size()) {
      ok_ = false;
      return value;
    }
    std::memcpy(&value, bytes_.data() + at_, sizeof value);
    at_ += sizeof value;
    return value;
  }
  std::string text(std::size_t size) {
    if (at_ + size > bytes_.size()) {
      ok_ = false;
      return "";
    }
    at_ += size;
    return bytes_.substr(at_ - size, size);
  }
  bool ok() const { return ok_; }
  bool whole() const { return ok_ && at_ == bytes_.size(); }

 private:
  const std::string& bytes_;
  std::size_t at_ = 0;
  bool ok_ = true;
};

template <typename Each>
void eachCount(StarCensus& census, Each each) {
  each(census.cells);
  each(census.stars);
  for (auto& n : census.starCount) each(n);
  for (auto& n : census.planetCount) each(n);
  for (auto& n : census.nebIntens) each(n);
}

}  // namespace

std::string tileBytes(const FinishedTile& tile) {
  std::string out;
  put(out, tile.index);
  StarCensus census = tile.outcome.census;
  eachCount(census, [&](std::int64_t n) { put(out, n); });
  put(out, static_cast<std::uint64_t>(tile.outcome.systems.size()));
  for (const HuntedSystem& s : tile.outcome.systems) {
    put(out, s.cell.x);
    put(out, s.cell.y);
    put(out, s.counts.starCount);
    put(out, s.counts.planetCount);
    put(out, s.nebColor);
    put(out, s.nebIntens);
    put(out, static_cast<std::uint32_t>(s.name.size()));
    out += s.name;
  }
  return out;
}

std::optional<FinishedTile> tileFromBytes(const std::string& bytes) {
  Reader in(bytes);
  FinishedTile tile;
  tile.index = in.get<std::int64_t>();
  eachCount(tile.outcome.census, [&](std::int64_t& n) { n = in.get<std::int64_t>(); });
  const auto count = in.get<std::uint64_t>();
  for (std::uint64_t i = 0; i < count && in.ok(); ++i) {
    HuntedSystem s;
    s.cell.x = in.get<std::int32_t>();
    s.cell.y = in.get<std::int32_t>();
    s.counts.starCount = in.get<std::int8_t>();
    s.counts.planetCount = in.get<std::int8_t>();
    s.nebColor = in.get<std::uint32_t>();
    s.nebIntens = in.get<std::uint8_t>();
    s.name = in.text(in.get<std::uint32_t>());
    tile.outcome.systems.push_back(std::move(s));
  }
  if (!in.whole()) return std::nullopt;
  return tile;
}

}  // namespace glyphverse
