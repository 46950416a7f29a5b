#include "display/sdl/sdl_backend.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string_view>

#include "display/cp437.h"
#include "display/page_diff.h"
#include "display/sdl/sdl_keys.h"
#include "display/sdl/sdl_presenter.h"
#include "display/sdl/window_manager.h"
#include "display/window_scale.h"

namespace glyphverse {
namespace {

// The window is refreshed from the visible page once per refresh of the
// display, or at most this often where its refresh rate is not known; the
// frame loop flips pages far more often than any screen can show.
constexpr double PRESENT_INTERVAL = 0.010;
// Window events are fetched at most this often.
constexpr double EVENT_PUMP_INTERVAL = 0.0005;

// What SDL's clipboard or selection holds, as pasted text.
void pasteText(char* (*read)(), Keyboard& keys) {
  char* utf8 = read();
  if (utf8 == nullptr) return;
  keys.paste(pastedTextOf(utf8));
  SDL_free(utf8);
}

class SdlBackend final : public DisplayBackend {
 public:
  ~SdlBackend() override { close(); }

  Surface open(int width, int height, const std::string& title) override;
  void service(const Shown& shown, Keyboard& keys) override;
  bool setClipboardText(const std::string& text) override {
    return window_ != nullptr && SDL_SetClipboardText(text.c_str()) == 0;
  }
  double seconds() override;
  void sleepMillis(int milliseconds) override { SDL_Delay(static_cast<Uint32>(milliseconds)); }
  void close() override;
  std::optional<PointerEvent> nextPointerEvent() override;

 private:
  void handleEvent(const SDL_Event& event, Keyboard& keys);
  void handlePointer(const SDL_Event& event);
  void pushPointer(PointerEvent::Kind kind, int windowX, int windowY, int clicks, int wheel);
  void presentIfNew(const Image& page);
  double displayRefreshRate() const;
  void fitToDisplayDensity(int width, int height);
  void toggleFullScreen();

  SDL_Window* window_ = nullptr;
  FillingWindow filling_;
  std::unique_ptr<SdlPresenter> presenter_;
  int pageWidth_ = 0;
  int pageHeight_ = 0;
  // Pointer events since the program last asked, oldest first; a program
  // that never asks keeps only the latest few.
  std::deque<PointerEvent> pointer_;
  // The page as last presented: the next present sends only what differs.
  Image shown_;
  bool videoStarted_ = false;
  bool focused_ = false;
  bool repaintDue_ = true;  // the window lost its contents (exposed, resized)
  double presentInterval_ = PRESENT_INTERVAL;
  double lastLook_ = -1.0;
  double lastPump_ = -1.0;
  double secondsPerCount_ = 0.0;
};

// On systems with X11 or Wayland, a session names its display server in the
// environment. Without one there is no window to open: the terminal is used
// on purpose, and the window libraries are not even asked (they would print
// their own complaints first).
bool displayServerNamed() {
#if defined(__linux__) || defined(__FreeBSD__) || defined(__OpenBSD__) || defined(__NetBSD__)
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && value[0] != '\0') return true;
  }
  return false;
#else
  return true;
#endif
}

Surface SdlBackend::open(int width, int height, const std::string& title) {
  if (!displayServerNamed()) return Surface::none;
  // Ctrl-C and kill must end the process as usual, not become window events.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "%s: no window (%s)\n", title.c_str(), SDL_GetError());
    return Surface::none;
  }
  videoStarted_ = true;
  // Without a display server SDL falls back to drivers that draw nowhere.
  const char* driverName = SDL_GetCurrentVideoDriver();
  const std::string_view driver = driverName != nullptr ? driverName : "";
  if (driver == "offscreen" || driver == "dummy") {
    std::fprintf(stderr, "%s: no window (no display server)\n", title.c_str());
    close();
    return Surface::none;
  }
  // Hidden until it is ready: trying a renderer may make SDL replace the
  // window with a new one, and the window may be resized for the display.
  window_ =
      SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                       SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
  const double refreshRate = window_ != nullptr ? displayRefreshRate() : 0.0;
  if (window_ != nullptr) presenter_ = makeSdlPresenter(window_, width, height, refreshRate > 0.0);
  if (presenter_ == nullptr) {
    std::fprintf(stderr, "%s: no window (%s)\n", title.c_str(), SDL_GetError());
    close();
    return Surface::none;
  }
  if (refreshRate > 0.0) presentInterval_ = 1.0 / refreshRate;
  pageWidth_ = width;
  pageHeight_ = height;
  fitToDisplayDensity(width, height);
  SDL_ShowWindow(window_);
  SDL_StartTextInput();
  focused_ = (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0;
  return Surface::pages;
}

// Where the system scales windows itself (the drawable is larger than the
// window), the page already looks its intended size. Elsewhere a dense display
// gets a window a whole number of times larger, as far as the screen allows.
void SdlBackend::fitToDisplayDensity(int width, int height) {
  int drawableWidth = 0;
  int drawableHeight = 0;
  presenter_->outputSize(drawableWidth, drawableHeight);
  if (drawableWidth != width) return;
  const int display = SDL_GetWindowDisplayIndex(window_);
  float dpi = 0.0f;
  SDL_Rect usable{};
  if (display < 0 || SDL_GetDisplayDPI(display, &dpi, nullptr, nullptr) != 0 ||
      SDL_GetDisplayUsableBounds(display, &usable) != 0) {
    return;
  }
  const int scale = std::min(densityScale(dpi), wholeScale(width, height, usable.w, usable.h));
  if (scale <= 1) return;
  SDL_SetWindowSize(window_, width * scale, height * scale);
  SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

void SdlBackend::toggleFullScreen() {
  repaintDue_ = true;
  if (filling_.filling() || !hasWindowManager(window_)) {
    filling_.toggle(window_);
    return;
  }
  const bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
  SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

// Whole refreshes per second of the display the window is on; 0 when unknown.
double SdlBackend::displayRefreshRate() const {
  SDL_DisplayMode mode{};
  const int display = SDL_GetWindowDisplayIndex(window_);
  if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0) return 0.0;
  return mode.refresh_rate > 0 ? static_cast<double>(mode.refresh_rate) : 0.0;
}

void SdlBackend::close() {
  presenter_.reset();
  if (window_ != nullptr) SDL_DestroyWindow(window_);
  window_ = nullptr;
  shown_ = Image();
  if (videoStarted_) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_Quit();
    videoStarted_ = false;
  }
}

double SdlBackend::seconds() {
  if (secondsPerCount_ == 0.0) {
    secondsPerCount_ = 1.0 / static_cast<double>(SDL_GetPerformanceFrequency());
  }
  return static_cast<double>(SDL_GetPerformanceCounter()) * secondsPerCount_;
}

void SdlBackend::service(const Shown& shown, Keyboard& keys) {
  if (window_ == nullptr) return;
  // The frame loop hands over control twice within microseconds (the sleep's
  // end, then the next flip); asking the X server for events once for both
  // halves the system calls and loses nothing.
  if (const double now = seconds(); now - lastPump_ >= EVENT_PUMP_INTERVAL) {
    lastPump_ = now;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) handleEvent(event, keys);
  }
  if (focused_) sampleHeldKeys(SDL_GetKeyboardState(nullptr), keys);

  if (shown.page != nullptr) presentIfNew(*shown.page);
}

// Once per refresh the visible page is compared with the page last shown
// (drawing may also go to the visible page, so a flip alone does not tell);
// only a difference, or a window that lost its contents, is presented.
void SdlBackend::presentIfNew(const Image& page) {
  const double now = seconds();
  if (now - lastLook_ < presentInterval_) return;
  lastLook_ = now;
  const RowSpan changed = changedRows(page, shown_);
  if (changed.empty() && !repaintDue_) return;
  presenter_->show(page, changed, repaintDue_);
  updateCopy(page, changed, shown_);
  repaintDue_ = false;
}

void SdlBackend::handleEvent(const SDL_Event& event, Keyboard& keys) {
  switch (event.type) {
    case SDL_WINDOWEVENT:
      switch (event.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST:
          // No key may stay held across a switch of windows.
          keys.releaseAll();
          focused_ = event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED;
          break;
        case SDL_WINDOWEVENT_CLOSE:
          // The close button is a key like any other; only Esc ends the program.
          keys.push(KeyCode::specialKey(KEY_CLOSE));
          break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          repaintDue_ = true;
          break;
        case SDL_WINDOWEVENT_DISPLAY_CHANGED:
          if (const double rate = displayRefreshRate(); rate > 0.0) presentInterval_ = 1.0 / rate;
          break;
        default:
          break;
      }
      break;
    case SDL_KEYDOWN:
      // F11 belongs to the window (Alt+Enter cannot: Alt is one of the explorer's keys).
      if (event.key.keysym.scancode == SDL_SCANCODE_F11) {
        if (event.key.repeat == 0) toggleFullScreen();
        break;
      }
      // A tap shorter than one pump of events is still seen held by the next frame.
      if (const int code = scanCodeOf(event.key.keysym.scancode); code >= 0 && focused_) {
        keys.press(code);
      }
      // Once per press and once per auto-repeat, as the platform reports them.
      if (auto key = keyCodeOfPress(event.key.keysym.sym, event.key.keysym.mod)) {
        key->repeat = event.key.repeat != 0;
        keys.push(*key);
      }
      if (isPasteKey(event.key.keysym.sym, event.key.keysym.mod)) {
        pasteText(SDL_GetClipboardText, keys);
      }
      break;
    case SDL_MOUSEBUTTONDOWN:
      // The middle button pastes what is selected, as X11 programs do.
      if (event.button.button == SDL_BUTTON_MIDDLE) pasteText(SDL_GetPrimarySelectionText, keys);
      handlePointer(event);
      break;
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEMOTION:
    case SDL_MOUSEWHEEL:
      handlePointer(event);
      break;
    case SDL_TEXTINPUT:
      for (const char32_t c : decodeUtf8(event.text.text)) {
        if (const auto code = unicodeToCp437(c)) keys.push(KeyCode::character(*code));
      }
      break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
      // The texture's contents are gone: send the whole page again.
      shown_ = Image();
      repaintDue_ = true;
      break;
    default:
      // SDL_QUIT follows the close button of the last window: nothing more to do.
      break;
  }
}

// The left button's presses, releases and drags, every move, and the wheel.
void SdlBackend::handlePointer(const SDL_Event& event) {
  switch (event.type) {
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (event.button.button != SDL_BUTTON_LEFT) return;
      pushPointer(event.type == SDL_MOUSEBUTTONDOWN ? PointerEvent::Kind::press
                                                    : PointerEvent::Kind::release,
                  event.button.x, event.button.y, event.button.clicks, 0);
      return;
    case SDL_MOUSEMOTION:
      pushPointer(PointerEvent::Kind::move, event.motion.x, event.motion.y, 0, 0);
      return;
    default: {
      int x = 0;
      int y = 0;
      SDL_GetMouseState(&x, &y);
      const int steps =
          event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
      if (steps != 0) pushPointer(PointerEvent::Kind::wheel, x, y, 0, steps);
      return;
    }
  }
}

// Window points become page pixels: the drawable may be denser than the
// window, and the page is scaled by a whole factor and centred in it.
void SdlBackend::pushPointer(PointerEvent::Kind kind, int windowX, int windowY, int clicks,
                             int wheel) {
  constexpr std::size_t MOST_WAITING = 64;
  int windowWidth = 0;
  int windowHeight = 0;
  int outputWidth = 0;
  int outputHeight = 0;
  SDL_GetWindowSize(window_, &windowWidth, &windowHeight);
  presenter_->outputSize(outputWidth, outputHeight);
  if (windowWidth <= 0 || windowHeight <= 0 || pageWidth_ <= 0) return;
  const PixelRect place = scaledPageRect(pageWidth_, pageHeight_, outputWidth, outputHeight);
  const int scale = std::max(1, place.width / pageWidth_);
  const auto toPage = [scale](long long output, int offset) {
    const long long shifted = output - offset;
    return static_cast<int>(shifted >= 0 ? shifted / scale : (shifted - scale + 1) / scale);
  };
  PointerEvent pointer;
  pointer.kind = kind;
  pointer.x = toPage(static_cast<long long>(windowX) * outputWidth / windowWidth, place.x);
  pointer.y = toPage(static_cast<long long>(windowY) * outputHeight / windowHeight, place.y);
  pointer.clicks = clicks;
  pointer.wheel = wheel;
  if (pointer_.size() == MOST_WAITING) pointer_.pop_front();
  pointer_.push_back(pointer);
}

std::optional<PointerEvent> SdlBackend::nextPointerEvent() {
  if (pointer_.empty()) return std::nullopt;
  const PointerEvent next = pointer_.front();
  pointer_.pop_front();
  return next;
}

}  // namespace

std::unique_ptr<DisplayBackend> makeSdlBackend() {
  return std::make_unique<SdlBackend>();
}

}  // namespace glyphverse
