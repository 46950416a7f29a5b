#pragma once
// The display: pages, the 8 x 8 text grid, the keyboard, the clock and the
// sleep, over a replaceable backend (SDL window, headless, or terminal). Pages
// are cleared and text is drawn here, once, for every backend; and each page's frame records what
// was drawn on it, so that a backend without pixels (a terminal) can show it whole.
//
// There is one thread. The window layer does not refresh from a thread of its
// own; the backend shows the visible page only when the main thread hands it
// control (a page flip or a sleep), so no lock is needed and the window can
// only ever show a finished page. SDL also wants its video and event calls on
// the thread that started it, on some systems the process's main thread.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "display/backend.h"
#include "display/color.h"
#include "display/frame.h"
#include "display/image.h"
#include "display/keyboard.h"
#include "display/page_set.h"

namespace glyphverse {

// The window title for a program path: its file name without directory and extension.
std::string titleFromProgramPath(std::string_view path);

class Display {
 public:
  // Backends are tried in order by openScreen until one opens a surface.
  Display(std::vector<std::unique_ptr<DisplayBackend>> backends, std::string title);
  explicit Display(std::unique_ptr<DisplayBackend> backend, std::string title = "glyphverse");
  ~Display();
  Display(const Display&) = delete;
  Display& operator=(const Display&) = delete;

  // Opens the first surface a backend can open: `pageCount` pages, all
  // DEFAULT_BACKGROUND, page 0 both work and visible page; or else a
  // terminal's text grid. Where the text grid goes is settled here. Returns 0
  // when a surface opened (surface() says which); 1 when the size is not
  // positive, the display is open already or no backend could open one (the
  // display then runs without one).
  int openScreen(int width, int height, int depth, int pageCount, int flags, int refreshRate);
  // Tells the backend what to keep in view where there is room for only part
  // of a frame (a small terminal).
  void setFrameLayout(const FrameLayout& layout);
  // Chooses the work page and the visible page. A negative argument keeps that
  // role (two negatives mean page 0 for both); one not below the page count
  // is ignored. This is the flip that starts a frame: the frame's held keys
  // are sampled here.
  void setPages(int work, int visible);
  // Fills the work page with the background colour and homes the text cursor.
  // The fill itself waits until the page is next read or drawn on, so that
  // drawing which covers an area whole (coverArea) writes its pixels once.
  void clearScreen();

  // Text grid of 8 x 8 cells. Returns 0, or non-zero for a refused position
  // (outside 1..rows or 1..columns); a 0 keeps that coordinate.
  int locateText(int row, int column);
  void setTextColor(Color color);
  void printText(std::string_view text, bool lineEnd);
  void printText(std::int32_t value, bool lineEnd);
  void printText(double value, bool lineEnd);
  void printText(std::uint8_t value, bool lineEnd);

  bool isKeyDown(int scanCode) const { return keyboard_.isDown(scanCode); }
  double timerSeconds();
  void sleepFor(int milliseconds);
  // Puts `text` (UTF-8) on the desktop's clipboard; false where there is
  // none (headless, no surface), and on a terminal, which is asked to take it
  // but never says whether it did.
  bool copyToClipboard(const std::string& text);
  // Closes the display and ends the process with `status`.
  [[noreturn]] void endProgram(int status);
  // Closes the display (window, pages); later calls draw nothing.
  void close();

  // What drawing done outside the display drew on the work page: the map's
  // cells, or an area drawn pixel by pixel. Printed text is recorded by the
  // display itself. The map's cells are for the caller to fill, as
  // Frame::setMap gives them: null without a backend (which shows no frame)
  // and when the work frame holds them still.
  MapPicture* recordMap(const MapPlace& place, GlyphStyle marker, std::uint64_t contentId);
  void recordPixels(const PixelRect& area);
  // Text printed on the work page that is an open panel.
  void recordPanel(const TextPanel& panel);
  // What the work page's frame holds so far.
  const Frame& workFrame() const { return frames_[static_cast<std::size_t>(workPage_)]; }
  // The oldest queued key, or none.
  std::optional<KeyCode> nextKey() { return keyboard_.pop(); }
  // The oldest pointer event, or none (always none without a pointer).
  std::optional<PointerEvent> nextPointerEvent() {
    return backend_ != nullptr ? backend_->nextPointerEvent() : std::nullopt;
  }

  Surface surface() const { return surface_; }
  bool hasPages() const { return !pages_.empty(); }
  Keyboard& keyboard() { return keyboard_; }
  int pageCount() const { return pageCount_; }
  const Image& page(int index) const { return pages_.read(index); }
  // The page that drawing goes to, for drawing done outside the display;
  // null without pages.
  Image* workPageImage() { return workImage(); }
  // For drawing that writes every pixel of `area` itself. When the work page
  // was cleared and nothing has been drawn on it since, the clear is done for
  // the rest of the page only, and `page` is the work page: the caller must
  // write each pixel of `area` as drawn onto `background`, and nothing
  // outside it. Otherwise (or for an area not inside the page) `page` is
  // null, and drawing goes through workPageImage as usual.
  // `content` describes what the caller draws (see PageSet::coverCleared):
  // with `alreadyDrawn` the work page's area holds it still, and the caller
  // need not draw it again; `contentId` names it (see PageSet::Cover).
  struct CoveredArea {
    Image* page = nullptr;
    Color background = DEFAULT_BACKGROUND;
    bool alreadyDrawn = false;
    std::uint64_t contentId = 0;
  };
  CoveredArea coverArea(const PixelRect& area,
                        std::initializer_list<std::span<const std::byte>> content = {});
  int workPage() const { return workPage_; }
  int visiblePage() const { return visiblePage_; }
  int cursorRow() const { return cursorRow_; }
  int cursorColumn() const { return cursorColumn_; }
  Color foreColor() const { return foreColor_; }
  Color backColor() const { return backColor_; }

 private:
  Image* workImage();
  const Image* visibleImage() const;
  DisplayBackend* timeKeeper() const;
  void printCharacter(std::uint8_t code);
  // The text cell's glyph onto the work page, 8 x 8 pixels a cell.
  void drawTextCell(int row, int column, std::uint8_t code);
  Frame& workFrameForDrawing() { return frames_[static_cast<std::size_t>(workPage_)]; }
  void serviceBackend(bool visibleChanged);

  std::vector<std::unique_ptr<DisplayBackend>> candidates_;
  DisplayBackend* backend_ = nullptr;
  std::string title_;
  Surface surface_ = Surface::none;
  PageSet pages_;
  // One frame a page, or as many as pages were asked for where there are
  // none (a terminal), so that frames flip as pages would.
  std::vector<Frame> frames_ = std::vector<Frame>(1);
  int pageCount_ = 0;
  int workPage_ = 0;
  int visiblePage_ = 0;
  int textRows_ = 0;
  int textColumns_ = 0;
  int cursorRow_ = 1;
  int cursorColumn_ = 1;
  Color foreColor_ = DEFAULT_FOREGROUND;
  Color backColor_ = DEFAULT_BACKGROUND;
  Keyboard keyboard_;
};

}  // namespace glyphverse
