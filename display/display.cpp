#include "display/display.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <utility>

#include "display/font.h"
#include "display/number_format.h"
#include "display/pixel_rows.h"
#include "display/steady_clock.h"

namespace glyphverse {
std::string titleFromProgramPath(std::string_view path) {
  const auto slash = path.find_last_of("/\\");
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const auto dot = name.rfind('.');
  if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
  return std::string(name);
}

Display::Display(std::vector<std::unique_ptr<DisplayBackend>> backends, std::string title)
    : candidates_(std::move(backends)), title_(std::move(title)) {}

Display::Display(std::unique_ptr<DisplayBackend> backend, std::string title)
    : title_(std::move(title)) {
  candidates_.push_back(std::move(backend));
}

Display::~Display() {
  close();
}

int Display::openScreen(int width, int height, int /*depth*/, int pageCount, int /*flags*/,
                        int /*refreshRate*/) {
  if (width <= 0 || height <= 0 || pageCount <= 0 || backend_ != nullptr) return 1;
  for (auto& candidate : candidates_) {
    const Surface opened = candidate->open(width, height, title_);
    if (opened == Surface::none) continue;
    backend_ = candidate.get();
    surface_ = opened;
    break;
  }
  if (backend_ == nullptr) return 1;

  textRows_ = height / GLYPH_SIZE;
  textColumns_ = width / GLYPH_SIZE;
  workPage_ = 0;
  visiblePage_ = 0;
  cursorRow_ = 1;
  cursorColumn_ = 1;
  foreColor_ = DEFAULT_FOREGROUND;
  backColor_ = DEFAULT_BACKGROUND;
  pageCount_ = pageCount;
  frames_.assign(static_cast<std::size_t>(pageCount), Frame{});
  for (Frame& frame : frames_) frame.reset(textRows_, textColumns_, backColor_);
  if (surface_ == Surface::pages) pages_.open(pageCount, width, height, DEFAULT_BACKGROUND);
  serviceBackend(true);  // shows the first page
  return 0;
}

void Display::setFrameLayout(const FrameLayout& layout) {
  for (auto& candidate : candidates_) candidate->setFrameLayout(layout);
}

void Display::setPages(int work, int visible) {
  if (work < 0 && visible < 0) work = visible = 0;
  const int count = pageCount();
  if (work >= 0 && work < count) workPage_ = work;
  const bool visibleChanged = visible >= 0 && visible < count && visible != visiblePage_;
  if (visibleChanged) visiblePage_ = visible;
  serviceBackend(visibleChanged);
  keyboard_.sampleForFrame();
}

void Display::serviceBackend(bool visibleChanged) {
  if (backend_ == nullptr) return;
  const Frame* frame = visibleChanged ? &frames_[static_cast<std::size_t>(visiblePage_)] : nullptr;
  backend_->service(Shown{visibleImage(), frame}, keyboard_);
}

Image* Display::workImage() {
  return pages_.empty() ? nullptr : &pages_.draw(workPage_);
}

const Image* Display::visibleImage() const {
  return pages_.empty() ? nullptr : &pages_.read(visiblePage_);
}

void Display::clearScreen() {
  cursorRow_ = 1;
  cursorColumn_ = 1;
  if (!pages_.empty()) pages_.clear(workPage_, backColor_);
  if (backend_ != nullptr) workFrameForDrawing().clear(backColor_);
}

Display::CoveredArea Display::coverArea(const PixelRect& area,
                                        std::initializer_list<std::span<const std::byte>> content) {
  if (pages_.empty()) return {};
  const PageSet::Cover cover = pages_.coverCleared(workPage_, area, content);
  return {cover.page, pages_.background(), cover.alreadyDrawn, cover.contentId};
}

MapPicture* Display::recordMap(const MapPlace& place, GlyphStyle marker, std::uint64_t contentId) {
  if (backend_ == nullptr) return nullptr;
  return workFrameForDrawing().setMap(place, marker, contentId);
}

void Display::recordPanel(const TextPanel& panel) {
  if (backend_ != nullptr) workFrameForDrawing().addPanel(panel);
}

void Display::recordPixels(const PixelRect& area) {
  if (backend_ == nullptr) return;
  // Only what lies on the page was drawn.
  const std::int64_t left = std::max(area.x, 0);
  const std::int64_t top = std::max(area.y, 0);
  const std::int64_t right = std::min<std::int64_t>(std::int64_t{area.x} + area.width,
                                                    std::int64_t{textColumns_} * GLYPH_SIZE);
  const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{area.y} + area.height,
                                                     std::int64_t{textRows_} * GLYPH_SIZE);
  if (right > left && bottom > top) {
    workFrameForDrawing().addPixels(PixelRect{static_cast<int>(left), static_cast<int>(top),
                                              static_cast<int>(right - left),
                                              static_cast<int>(bottom - top)});
  }
}

int Display::locateText(int row, int column) {
  const int rows = textRows_ > 0 ? textRows_ : 0;
  const int columns = textColumns_ > 0 ? textColumns_ : 0;
  if (row < 0 || row > rows || column < 0 || column > columns) return 1;
  if (row != 0) cursorRow_ = row;
  if (column != 0) cursorColumn_ = column;
  return 0;
}

void Display::setTextColor(Color color) {
  foreColor_ = color;
}

void Display::drawTextCell(int row, int column, std::uint8_t code) {
  const int x = (column - 1) * GLYPH_SIZE;
  const int y = (row - 1) * GLYPH_SIZE;
  Image& page = pages_.drawTextCell(workPage_, x, y);
  const GlyphRows& glyph = FONT_8X8[code];
  const PixelRow ink = splatRow(foreColor_);
  const PixelRow paper = splatRow(backColor_);
  Color* line = &page.at(x, y);
  for (int r = 0; r < GLYPH_SIZE; ++r, line += page.width) {
    storeRow(line, paintGlyphRow(paper, glyph[r], ink));
  }
}

void Display::printCharacter(std::uint8_t code) {
  if (code == '\r') {
    cursorColumn_ = 1;
  } else if (code == '\n') {
    cursorColumn_ = 1;
    // Past the last row nothing more is drawn; the row stops counting there.
    cursorRow_ = std::min(cursorRow_ + 1, textRows_ + 1);
  } else {
    if (backend_ != nullptr && cursorRow_ <= textRows_ && cursorColumn_ <= textColumns_) {
      if (!pages_.empty()) drawTextCell(cursorRow_, cursorColumn_, code);
      workFrameForDrawing().putText(cursorRow_, cursorColumn_,
                                    TextCell{code, foreColor_, backColor_});
    }
    if (++cursorColumn_ > textColumns_) {
      cursorColumn_ = 1;
      cursorRow_ = std::min(cursorRow_ + 1, textRows_ + 1);
    }
  }
}

void Display::printText(std::string_view text, bool lineEnd) {
  for (const char c : text) printCharacter(static_cast<std::uint8_t>(c));
  if (lineEnd) {
    printCharacter('\r');
    printCharacter('\n');
  }
}

void Display::printText(std::int32_t value, bool lineEnd) {
  printText(formatSignedInteger(value), lineEnd);
}

void Display::printText(double value, bool lineEnd) {
  printText(formatDouble(value), lineEnd);
}

void Display::printText(std::uint8_t value, bool lineEnd) {
  printText(formatUnsignedByte(value), lineEnd);
}

// The open backend keeps time; before one is open (or after it closed), the
// first candidate does.
DisplayBackend* Display::timeKeeper() const {
  if (backend_ != nullptr) return backend_;
  return candidates_.empty() ? nullptr : candidates_.front().get();
}

double Display::timerSeconds() {
  DisplayBackend* clock = timeKeeper();
  return clock != nullptr ? clock->seconds() : steadySeconds();
}

void Display::sleepFor(int milliseconds) {
  if (DisplayBackend* sleeper = timeKeeper()) {
    sleeper->sleepMillis(std::max(0, milliseconds));
  } else {
    std::this_thread::sleep_for(std::chrono::milliseconds(std::max(0, milliseconds)));
  }
  serviceBackend(false);
}

void Display::close() {
  if (backend_ != nullptr) backend_->close();
  backend_ = nullptr;
  surface_ = Surface::none;
  pages_.close();
}

bool Display::copyToClipboard(const std::string& text) {
  return backend_ != nullptr && backend_->setClipboardText(text);
}

void Display::endProgram(int status) {
  close();
  std::exit(status);
}

}  // namespace glyphverse
