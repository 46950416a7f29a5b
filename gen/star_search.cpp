#include "gen/star_search.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "gen/names.h"
#include "gen/places.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

// Nearer first; at equal distances the smaller y, then the smaller x.
bool nearer(const SearchCandidate& a, const SearchCandidate& b) {
  return std::tie(a.distanceSquared, a.cell.y, a.cell.x) <
         std::tie(b.distanceSquared, b.cell.y, b.cell.x);
}

// The largest w with w * w <= n, for n >= 0.
std::int32_t wholeSquareRoot(std::int64_t n) {
  auto w = static_cast<std::int64_t>(std::sqrt(static_cast<double>(n)));
  while (w * w > n) --w;
  while ((w + 1) * (w + 1) <= n) ++w;
  return static_cast<std::int32_t>(w);
}

}  // namespace

double SearchControl::fractionDone() const {
  const std::int64_t total = total_.load(std::memory_order_relaxed);
  if (total <= 0) return 0.0;
  return std::min(
      1.0, static_cast<double>(done_.load(std::memory_order_relaxed)) / static_cast<double>(total));
}

void SearchControl::begin(std::int64_t cells) {
  done_.store(0, std::memory_order_relaxed);
  total_.store(cells, std::memory_order_relaxed);
}

void SearchPart::add(const SearchCandidate& candidate) {
  ++matchCount_;
  keep(candidate);
}

void SearchPart::keep(const SearchCandidate& candidate) {
  if (nearest_.size() < MAX_SEARCH_RESULTS) {
    nearest_.push_back(candidate);
    std::push_heap(nearest_.begin(), nearest_.end(), nearer);
  } else if (nearer(candidate, nearest_.front())) {
    std::pop_heap(nearest_.begin(), nearest_.end(), nearer);
    nearest_.back() = candidate;
    std::push_heap(nearest_.begin(), nearest_.end(), nearer);
  }
}

void SearchPart::merge(const SearchPart& other) {
  for (const SearchCandidate& candidate : other.nearest_) keep(candidate);
  matchCount_ += other.matchCount_;
  starCount_ += other.starCount_;
  rowCount_ += other.rowCount_;
}

StarScan::StarScan(const SearchRequest& request) : request_(request), batch_(galaxyWorld()) {
  const std::int32_t radius = std::clamp(request.radius, 0, MAX_SEARCH_RADIUS);
  request_.radius = radius;
  const std::int64_t squared = static_cast<std::int64_t>(radius) * radius;
  for (std::int64_t dy = -radius; dy <= radius; ++dy) {
    halfWidths_.push_back(wholeSquareRoot(squared - dy * dy));
    cellCount_ += 2 * halfWidths_.back() + 1;
  }
  for (std::int64_t dx = -radius; dx <= radius; ++dx) {
    columns_.push_back(batch_.columnAt(request.centre.x + dx));
  }
}

SearchPart StarScan::scanRows(int first, int last, SearchControl& control) const {
  SearchPart part;
  for (int row = first; row < last && !control.cancelled(); ++row) {
    scanRow(row, part);
    part.countRow();
    control.addDone(2 * halfWidths_[row] + 1);
  }
  return part;
}

void StarScan::scanRow(int row, SearchPart& part) const {
  const std::int64_t dy = row - request_.radius;
  const std::int64_t worldY = request_.centre.y + dy;
  const RowOctaves rowHalf = batch_.rowAt(worldY);
  const std::int32_t halfWidth = halfWidths_[row];
  for (std::int64_t dx = -halfWidth; dx <= halfWidth; ++dx) {
    OctaveNoise noise = batch_.noiseAt(columns_[dx + request_.radius], rowHalf);
    if (isEmpty(starFrom(noise))) continue;
    part.countStar();
    const std::uint8_t nebIntens = nebulaIntensity(nebulaFrom(noise));
    const Position cell{wrapCoordinate(request_.centre.x + dx), wrapCoordinate(worldY)};
    const SystemCounts counts = systemCountsAt(cell.x, cell.y);
    const StarFilter& filter = request_.filter;
    if (!passesCounts(filter, counts, nebIntens)) continue;
    if (filter.needsName() && !passesName(filter, quickName(cellSeed(cell.x, cell.y)))) continue;
    part.add(SearchCandidate{dx * dx + dy * dy, cell, counts, nebIntens});
  }
}

SearchResult StarScan::finish(const SearchPart& all) const {
  std::vector<SearchCandidate> nearest = all.nearest();
  std::sort(nearest.begin(), nearest.end(), nearer);
  SearchResult result;
  for (const SearchCandidate& candidate : nearest) {
    result.nearest.push_back(StarMatch{candidate.cell, candidate.distanceSquared,
                                       std::sqrt(static_cast<double>(candidate.distanceSquared)),
                                       quickName(cellSeed(candidate.cell.x, candidate.cell.y)),
                                       candidate.counts, candidate.nebIntens});
  }
  result.matchCount = all.matchCount();
  result.starCount = all.starCount();
  result.cancelled = all.rowCount() < rowCount();
  return result;
}

SearchResult searchStars(const SearchRequest& request, SearchControl& control) {
  const StarScan scan(request);
  control.begin(scan.cellCount());
  return scan.finish(scan.scanRows(0, scan.rowCount(), control));
}

}  // namespace glyphverse
