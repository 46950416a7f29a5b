#pragma once
// Searching the stars around a galaxy cell for systems that pass a filter:
// every galaxy cell within the radius (Euclidean distance in cells, across
// the world's wrap) whose star glyph is not 0, nearest matches first.
//
// A StarScan is prepared once and then only read, so any number of threads
// may scan its rows at once, each into a SearchPart of its own; merged, the
// parts finish into one SearchResult, whatever the split. searchStars runs
// the whole search on the calling thread; the parallel driver lives where a
// thread pool may be linked (find/).

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "gen/cell_batch.h"
#include "gen/star_filter.h"
#include "gen/star_system.h"
#include "world/place.h"

namespace glyphverse {

inline constexpr int MAX_SEARCH_RESULTS = 20;

struct SearchRequest {
  Position centre;                              // a galaxy cell; any coordinates wrap
  std::int32_t radius = DEFAULT_SEARCH_RADIUS;  // 0 to MAX_SEARCH_RADIUS
  StarFilter filter;
};

struct StarMatch {
  Position cell;                     // the star's galaxy cell, in the world
  std::int64_t distanceSquared = 0;  // dx * dx + dy * dy, across the wrap
  double distance = 0.0;             // its square root
  std::string name;
  SystemCounts counts;
  std::uint8_t nebIntens = 0;
  friend bool operator==(const StarMatch&, const StarMatch&) = default;
};

struct SearchResult {
  // Up to MAX_SEARCH_RESULTS matches, nearest first; at equal distances the
  // smaller y, then the smaller x, comes first.
  std::vector<StarMatch> nearest;
  std::int64_t matchCount = 0;  // every match within the radius
  std::int64_t starCount = 0;   // every star looked at
  // Stopped before the end (cancelled, or out of memory): the matches and
  // counts cover part of the area at most.
  bool cancelled = false;
};

// What a caller on another thread sees of a running search, and how it
// stops it. One control serves one search.
class SearchControl {
 public:
  // Asks the search to stop; it returns soon after, marked cancelled.
  void cancel() { cancelled_.store(true, std::memory_order_relaxed); }
  bool cancelled() const { return cancelled_.load(std::memory_order_relaxed); }
  // The share of the area's cells searched, 0 to 1.
  double fractionDone() const;

  // For the search itself: the cells to search, then those searched.
  void begin(std::int64_t cells);
  void addDone(std::int64_t cells) { done_.fetch_add(cells, std::memory_order_relaxed); }

 private:
  std::atomic<bool> cancelled_{false};
  std::atomic<std::int64_t> total_{0};
  std::atomic<std::int64_t> done_{0};
};

// A match before it is named: where it is, and what the filter read.
struct SearchCandidate {
  std::int64_t distanceSquared = 0;
  Position cell;
  SystemCounts counts;
  std::uint8_t nebIntens = 0;
};

// The matches of some rows: how many, and the nearest of them.
class SearchPart {
 public:
  void add(const SearchCandidate& candidate);
  void merge(const SearchPart& other);
  void countStar() { ++starCount_; }
  void countRow() { ++rowCount_; }

  std::int64_t matchCount() const { return matchCount_; }
  std::int64_t starCount() const { return starCount_; }
  std::int64_t rowCount() const { return rowCount_; }
  // The nearest candidates, in no particular order.
  const std::vector<SearchCandidate>& nearest() const { return nearest_; }

 private:
  void keep(const SearchCandidate& candidate);

  std::vector<SearchCandidate> nearest_;  // a heap with the farthest on top
  std::int64_t matchCount_ = 0;
  std::int64_t starCount_ = 0;
  std::int64_t rowCount_ = 0;
};

class StarScan {
 public:
  explicit StarScan(const SearchRequest& request);

  // Rows run from 0 (the centre's y - radius) to rowCount() - 1.
  int rowCount() const { return static_cast<int>(halfWidths_.size()); }
  std::int64_t cellCount() const { return cellCount_; }
  // Searches rows first to last - 1, each row's cells counted done in
  // `control`; stops before the next row once the control is cancelled.
  SearchPart scanRows(int first, int last, SearchControl& control) const;
  // The result of the parts of all rows, merged.
  SearchResult finish(const SearchPart& all) const;

 private:
  void scanRow(int row, SearchPart& part) const;

  SearchRequest request_;
  CellBatch batch_;
  std::vector<std::int32_t> halfWidths_;  // of each row: its cells run from -w to w
  std::vector<ColumnOctaves> columns_;    // of x = centre - radius on
  std::int64_t cellCount_ = 0;
};

// The whole search on the calling thread.
SearchResult searchStars(const SearchRequest& request, SearchControl& control);

}  // namespace glyphverse
