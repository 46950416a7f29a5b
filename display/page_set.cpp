#include "display/page_set.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "display/font.h"

namespace glyphverse {
namespace {

// Past this many text cells between two clears a page is simply filled whole.
constexpr std::size_t MAX_TRACKED_TEXT_CELLS = 4096;

bool isEmpty(const PixelRect& r) {
  return r.width <= 0 || r.height <= 0;
}

bool within(const PixelRect& inner, const PixelRect& outer) {
  return isEmpty(inner) || (inner.x >= outer.x && inner.y >= outer.y &&
                            inner.x + inner.width <= outer.x + outer.width &&
                            inner.y + inner.height <= outer.y + outer.height);
}

void fillRect(Image& page, const PixelRect& r, Color color) {
  for (int y = r.y; y < r.y + r.height; ++y) {
    Color* line = &page.at(r.x, y);
    std::fill(line, line + r.width, color);
  }
}

// Every pixel outside `keep` (which lies inside the page).
void fillOutside(Image& page, const PixelRect& keep, Color color) {
  if (isEmpty(keep)) {
    std::fill(page.pixels.begin(), page.pixels.end(), color);
    return;
  }
  fillRect(page, {0, 0, page.width, keep.y}, color);
  fillRect(page, {0, keep.y, keep.x, keep.height}, color);
  const int right = keep.x + keep.width;
  fillRect(page, {right, keep.y, page.width - right, keep.height}, color);
  const int bottom = keep.y + keep.height;
  fillRect(page, {0, bottom, page.width, page.height - bottom}, color);
}

}  // namespace

void PageSet::open(int count, int width, int height, Color background) {
  pages_.assign(static_cast<std::size_t>(count), Image(width, height, background));
  ink_.assign(static_cast<std::size_t>(count), Ink{true, background, {}, {}, {}});
  // The lists keep their room from clear to clear: a steady picture allocates nothing.
  for (Ink& ink : ink_) ink.textCells.reserve(MAX_TRACKED_TEXT_CELLS);
  pending_ = -1;
  clearColor_ = background;
}

void PageSet::close() {
  pages_.clear();
  ink_.clear();
  pending_ = -1;
}

const Image& PageSet::read(int index) const {
  settle();
  return pages_.at(static_cast<std::size_t>(index));
}

Image& PageSet::draw(int index) {
  settle();
  ink_.at(static_cast<std::size_t>(index)).known = false;
  return pages_.at(static_cast<std::size_t>(index));
}

Image& PageSet::drawTextCell(int index, int x, int y) {
  settle();
  Image& page = pages_.at(static_cast<std::size_t>(index));
  Ink& ink = ink_[static_cast<std::size_t>(index)];
  if (ink.textCells.size() >= MAX_TRACKED_TEXT_CELLS) ink.known = false;
  if (ink.known) ink.textCells.push_back(y * page.width + x);
  return page;
}

void PageSet::clear(int index, Color background) {
  if (pending_ != index) settle();
  pending_ = index;
  clearColor_ = background;
}

PageSet::Cover PageSet::coverCleared(int index, const PixelRect& area,
                                     std::initializer_list<std::span<const std::byte>> content) {
  Image& page = pages_[static_cast<std::size_t>(index)];
  if (pending_ != index || !page.contains(area)) return {};
  Ink& ink = ink_[static_cast<std::size_t>(index)];
  const bool alreadyDrawn = content.size() > 0 && holds(ink, page, area, content);
  fillInk(index, area);
  pending_ = -1;
  std::vector<std::byte> areaContent = std::move(ink.areaContent);
  if (!alreadyDrawn) {
    areaContent.clear();
    for (const auto part : content) areaContent.insert(areaContent.end(), part.begin(), part.end());
    ink.contentId = ++lastContentId_;
  }
  ink.known = true;
  ink.background = clearColor_;
  ink.area = area;
  ink.textCells.clear();
  ink.areaContent = std::move(areaContent);
  return {&page, alreadyDrawn, ink.contentId};
}

// The area holds `content` when it was last covered with it, on the same
// background, and since then only text cells outside it were drawn.
bool PageSet::holds(const Ink& ink, const Image& page, const PixelRect& area,
                    std::initializer_list<std::span<const std::byte>> content) const {
  if (!ink.known || ink.background != clearColor_ || !(ink.area == area)) return false;
  for (const int cell : ink.textCells) {
    const int x = cell % page.width;
    const int y = cell / page.width;
    if (x + GLYPH_SIZE > area.x && x < area.x + area.width && y + GLYPH_SIZE > area.y &&
        y < area.y + area.height) {
      return false;
    }
  }
  std::size_t at = 0;
  for (const auto part : content) {
    if (at + part.size() > ink.areaContent.size() ||
        std::memcmp(ink.areaContent.data() + at, part.data(), part.size()) != 0) {
      return false;
    }
    at += part.size();
  }
  return at == ink.areaContent.size();
}

void PageSet::settle() const {
  if (pending_ < 0) return;
  fillInk(pending_, PixelRect{});
  Ink& ink = ink_[static_cast<std::size_t>(pending_)];
  ink.known = true;
  ink.background = clearColor_;
  ink.area = PixelRect{};
  ink.textCells.clear();
  ink.areaContent.clear();
  pending_ = -1;
}

// Clears the page outside `keep`; pixels inside it may be cleared too, since
// they are about to be written whole.
void PageSet::fillInk(int index, const PixelRect& keep) const {
  Image& page = pages_[static_cast<std::size_t>(index)];
  Ink& ink = ink_[static_cast<std::size_t>(index)];
  if (!ink.known || ink.background != clearColor_) {
    fillOutside(page, keep, clearColor_);
    return;
  }
  if (!within(ink.area, keep)) fillRect(page, ink.area, clearColor_);
  for (const int cell : ink.textCells) {
    Color* line = page.pixels.data() + cell;
    for (int r = 0; r < GLYPH_SIZE; ++r, line += page.width) {
      std::fill(line, line + GLYPH_SIZE, clearColor_);
    }
  }
}

}  // namespace glyphverse
