#pragma once
// The display's pages, cleared lazily. A clear waits until the page is next
// read or drawn on, so that drawing which covers an area whole (the map)
// writes those pixels once instead of twice; and each page remembers where it
// may hold anything but its background, so that the next clear fills only
// there. Whoever reads a page sees exactly what an immediate clear would give.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

#include "display/color.h"
#include "display/image.h"

namespace glyphverse {

class PageSet {
 public:
  // `count` pages of width x height, all `background`.
  void open(int count, int width, int height, Color background);
  void close();
  int count() const { return static_cast<int>(pages_.size()); }
  bool empty() const { return pages_.empty(); }

  // The page as drawn so far.
  const Image& read(int index) const;
  // For drawing anywhere on the page.
  Image& draw(int index);
  // For writing the whole 8 x 8 text cell whose top-left pixel is (x, y),
  // which lies inside the page.
  Image& drawTextCell(int index, int x, int y);
  // The page becomes `background` everywhere.
  void clear(int index, Color background);
  // For drawing that writes every pixel of `area` itself: when the page was
  // cleared and nothing has been drawn on it since, and `area` lies inside
  // it, the rest of the page is cleared now and the page is returned; the
  // caller then writes each pixel of `area` as drawn onto `background()`,
  // and nothing outside it. Otherwise null.
  //
  // `content` describes what the caller draws there (its bytes, in parts):
  // when the page's area still holds exactly that from the last cover, with
  // nothing drawn over it since, `alreadyDrawn` is set and the caller need
  // not draw it again. A still picture then costs no drawing at all.
  // `contentId` names what the area holds: a cover that finds it already
  // drawn gives the number it was drawn under, any other a new one (0 when
  // there is no cover), so whoever keeps what was drawn under that number
  // knows it still holds the same.
  struct Cover {
    Image* page = nullptr;
    bool alreadyDrawn = false;
    std::uint64_t contentId = 0;
  };
  Cover coverCleared(int index, const PixelRect& area,
                     std::initializer_list<std::span<const std::byte>> content = {});
  // The colour of the last clear.
  Color background() const { return clearColor_; }

 private:
  // Where a page may differ from `background`: inside `area` and in the
  // text cells listed. Unknown after drawing of any other kind.
  struct Ink {
    bool known = false;
    Color background = 0;
    PixelRect area;
    std::vector<int> textCells;          // y * width + x of each cell's top-left pixel
    std::vector<std::byte> areaContent;  // what the area holds, as its drawer said
    std::uint64_t contentId = 0;
  };

  bool holds(const Ink& ink, const Image& page, const PixelRect& area,
             std::initializer_list<std::span<const std::byte>> content) const;

  void settle() const;
  void fillInk(int index, const PixelRect& area) const;

  mutable std::vector<Image> pages_;
  mutable std::vector<Ink> ink_;
  mutable int pending_ = -1;         // the page whose clear waits, or -1
  std::uint64_t lastContentId_ = 0;  // never reused, whatever the pages
  Color clearColor_ = 0;
};

}  // namespace glyphverse
