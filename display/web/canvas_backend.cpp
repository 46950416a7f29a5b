#include "display/web/canvas_backend.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

#include "display/cp437.h"
#include "display/page_diff.h"
#include "display/web/web_keys.h"
#include "display/window_scale.h"

namespace glyphverse {
namespace {

// The canvas gets the page's size; its 2D context is kept for the frames.
// Returns 0 when the page has no such canvas.
EM_JS(int, openCanvas, (const char* selector, int width, int height), {
  const canvas = document.querySelector(UTF8ToString(selector));
  if (!canvas || !canvas.getContext) return 0;
  canvas.width = width;
  canvas.height = height;
  Module.glyphverseCanvas = canvas;
  Module.glyphverseContext = canvas.getContext('2d', {alpha : false});
  return Module.glyphverseContext ? 1 : 0;
});

// Rows of opaque RGBA pixels from the program's memory into the canvas.
EM_JS(void, putCanvasRows, (const std::uint32_t* rgba, int width, int firstRow, int rowCount), {
  const bytes =
      new Uint8ClampedArray(HEAPU8.buffer, rgba + firstRow * width * 4, width * rowCount * 4);
  Module.glyphverseContext.putImageData(new ImageData(bytes, width, rowCount), 0, firstRow);
  if (Module.onPictureShown) Module.onPictureShown();
});

// The page's clipboard, where the browser lets the page write it.
EM_JS(int, writeClipboard, (const char* text), {
  if (!navigator.clipboard || !navigator.clipboard.writeText) return 0;
  navigator.clipboard.writeText(UTF8ToString(text)).catch(function(){});
  return 1;
});

// Pastes into the page (Ctrl+V, the browser's menu) wait here for the next
// service; the page's own fields keep theirs.
EM_JS(void, listenForPastes, (int on), {
  if (!Module.glyphversePastes) {
    Module.glyphversePastes = [];
    Module.glyphverseOnPaste = function(event) {
      const target = event.target;
      if (target && (target.tagName == "INPUT" || target.tagName == "TEXTAREA")) return;
      const text = event.clipboardData ? event.clipboardData.getData("text") : "";
      if (text) Module.glyphversePastes.push(text);
      event.preventDefault();
    };
  }
  if (on) {
    window.addEventListener("paste", Module.glyphverseOnPaste);
  } else {
    window.removeEventListener("paste", Module.glyphverseOnPaste);
    Module.glyphversePastes.length = 0;
  }
});

// The oldest paste waiting, as UTF-8 the caller frees; null when none waits.
EM_JS(char*, takePastedText, (), {
  if (!Module.glyphversePastes || Module.glyphversePastes.length == 0) return 0;
  return allocateUTF8(Module.glyphversePastes.shift());
});

// The room the page leaves the canvas, in device pixels: the page says how
// much (Module.canvasRoom, in CSS pixels), or else the whole window.
EM_JS(void, canvasRoom, (int* width, int* height), {
  const room = Module.canvasRoom ? Module.canvasRoom()
                                 : {width : window.innerWidth, height : window.innerHeight};
  const ratio = window.devicePixelRatio || 1;
  HEAP32[width >> 2] = Math.floor(room.width * ratio);
  HEAP32[height >> 2] = Math.floor(room.height * ratio);
});

// Each page pixel becomes scale x scale device pixels.
EM_JS(void, scaleCanvas, (int width, int height, double scale), {
  const ratio = window.devicePixelRatio || 1;
  const style = Module.glyphverseCanvas.style;
  style.width = (width * scale / ratio) + 'px';
  style.height = (height * scale / ratio) + 'px';
});

// The mouse, a pen or fingers on the canvas, in page pixels, as events of
// PointerEvent's kinds (0 press, 1 release, 2 move, 3 wheel, 4 cancel) that
// wait for the program. Moves count only while pressed. A second press
// soon and near the first is a double click (or tap); two fingers cancel
// the first one's press and their pinch turns the wheel a step for each
// half as far again (or a third less) they spread.
// clang-format off
EM_JS(void, listenForPointer, (int on), {
  const canvas = Module.glyphverseCanvas;
  if (!Module.glyphversePointer) {
    const events = [];
    const down = new Map();
    let lastPress = null;
    let pinch = 0;
    const push = function(kind, event, clicks, wheel) {
      const rect = canvas.getBoundingClientRect();
      const x = Math.floor((event.clientX - rect.left) * canvas.width / rect.width);
      const y = Math.floor((event.clientY - rect.top) * canvas.height / rect.height);
      events.push([kind, x, y, clicks, wheel]);
      if (events.length > 256) events.shift();
    };
    const spread = function() {
      const points = Array.from(down.values());
      return Math.hypot(points[0].x - points[1].x, points[0].y - points[1].y);
    };
    const pointer = {events: events};
    pointer.down = function(event) {
      if (event.pointerType == "mouse" && event.button != 0) return;
      event.preventDefault();
      if (canvas.setPointerCapture) canvas.setPointerCapture(event.pointerId);
      down.set(event.pointerId, {x: event.clientX, y: event.clientY});
      if (down.size == 2) {
        pinch = spread();
        push(4, event, 0, 0);
      }
      if (down.size != 1) return;
      const now = performance.now();
      const again = lastPress != null && now - lastPress.time < 400 &&
          Math.abs(event.clientX - lastPress.x) < 20 && Math.abs(event.clientY - lastPress.y) < 20;
      lastPress = again ? null : {time: now, x: event.clientX, y: event.clientY};
      push(0, event, again ? 2 : 1, 0);
    };
    pointer.move = function(event) {
      if (!down.has(event.pointerId)) return;
      down.set(event.pointerId, {x: event.clientX, y: event.clientY});
      if (down.size == 1) return push(2, event, 0, 0);
      if (down.size != 2 || pinch <= 0) return;
      const now = spread();
      if (now > pinch * 1.5 || now < pinch / 1.5) {
        push(3, event, 0, now > pinch ? 1 : -1);
        pinch = now;
      }
    };
    pointer.up = function(event) {
      if (!down.has(event.pointerId)) return;
      const alone = down.size == 1;
      down.delete(event.pointerId);
      if (down.size < 2) pinch = 0;
      if (event.type == "pointercancel") return push(4, event, 0, 0);
      if (alone) push(1, event, 0, 0);
    };
    pointer.wheel = function(event) {
      event.preventDefault();
      if (event.deltaY != 0) push(3, event, 0, event.deltaY < 0 ? 1 : -1);
    };
    Module.glyphversePointer = pointer;
  }
  const pointer = Module.glyphversePointer;
  if (on) {
    canvas.addEventListener("pointerdown", pointer.down);
    canvas.addEventListener("pointermove", pointer.move);
    canvas.addEventListener("pointerup", pointer.up);
    canvas.addEventListener("pointercancel", pointer.up);
    canvas.addEventListener("wheel", pointer.wheel, {passive: false});
  } else {
    canvas.removeEventListener("pointerdown", pointer.down);
    canvas.removeEventListener("pointermove", pointer.move);
    canvas.removeEventListener("pointerup", pointer.up);
    canvas.removeEventListener("pointercancel", pointer.up);
    canvas.removeEventListener("wheel", pointer.wheel);
    pointer.events.length = 0;
  }
});
// clang-format on

// The oldest pointer event waiting, as its five numbers; 0 when none waits.
EM_JS(int, takePointerEvent, (int* fields), {
  const pointer = Module.glyphversePointer;
  if (!pointer || pointer.events.length == 0) return 0;
  const event = pointer.events.shift();
  for (let i = 0; i < 5; ++i) HEAP32[(fields >> 2) + i] = event[i];
  return 1;
});

// 0xAARRGGBB to the bytes red, green, blue, 255 as a little-endian word.
constexpr std::uint32_t opaqueRgba(Color color) {
  return 0xFF000000u | ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}

WebKeyEvent webKeyEvent(const EmscriptenKeyboardEvent& event) {
  return WebKeyEvent{event.code,        event.key,           event.ctrlKey != 0,
                     event.altKey != 0, event.shiftKey != 0, event.metaKey != 0};
}

class CanvasBackend final : public DisplayBackend {
 public:
  explicit CanvasBackend(std::string selector) : selector_(std::move(selector)) {}
  ~CanvasBackend() override { close(); }

  Surface open(int width, int height, const std::string& title) override;
  void service(const Shown& shown, Keyboard& keys) override;
  double seconds() override { return emscripten_get_now() / 1000.0; }
  void sleepMillis(int /*milliseconds*/) override {}
  void close() override;
  bool setClipboardText(const std::string& text) override {
    return writeClipboard(text.c_str()) != 0;
  }
  std::optional<PointerEvent> nextPointerEvent() override;

 private:
  static EM_BOOL onKeyDown(int type, const EmscriptenKeyboardEvent* event, void* self);
  static EM_BOOL onKeyUp(int type, const EmscriptenKeyboardEvent* event, void* self);
  static EM_BOOL onBlur(int type, const EmscriptenFocusEvent* event, void* self);
  static EM_BOOL onVisibility(int type, const EmscriptenVisibilityChangeEvent* event, void* self);
  static EM_BOOL onResize(int type, const EmscriptenUiEvent* event, void* self);
  void listen(bool on);
  void fitToRoom();
  void present(const Image& page);
  RowSpan convertChanges(const Image& page);

  std::string selector_;
  bool open_ = false;
  int width_ = 0;
  int height_ = 0;
  HeldKeyTracker held_;
  std::vector<KeyCode> typed_;  // since the last service
  // What the canvas shows, as its RGBA bytes; all zero (transparent, which
  // no page pixel becomes) until the first picture.
  std::vector<std::uint32_t> rgba_;
  bool shownAny_ = false;
};

Surface CanvasBackend::open(int width, int height, const std::string& /*title*/) {
  if (openCanvas(selector_.c_str(), width, height) == 0) return Surface::none;
  open_ = true;
  width_ = width;
  height_ = height;
  rgba_.assign(static_cast<std::size_t>(width) * height, 0);
  shownAny_ = false;
  fitToRoom();
  listen(true);
  return Surface::pages;
}

void CanvasBackend::close() {
  if (!open_) return;
  listen(false);
  open_ = false;
}

// Key events on the whole window, so no element needs the focus; the same
// calls with no callback take them away again.
void CanvasBackend::listen(bool on) {
  void* self = on ? this : nullptr;
  const auto* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
  emscripten_set_keydown_callback(window, self, false, on ? onKeyDown : nullptr);
  emscripten_set_keyup_callback(window, self, false, on ? onKeyUp : nullptr);
  emscripten_set_blur_callback(window, self, false, on ? onBlur : nullptr);
  emscripten_set_visibilitychange_callback(self, false, on ? onVisibility : nullptr);
  emscripten_set_resize_callback(window, self, false, on ? onResize : nullptr);
  listenForPastes(on ? 1 : 0);
  listenForPointer(on ? 1 : 0);
}

// The largest whole scale that fits, as the desktop window's; in a room
// smaller than the page, or on a phone's dense screen, the largest that fits.
void CanvasBackend::fitToRoom() {
  int roomWidth = 0;
  int roomHeight = 0;
  canvasRoom(&roomWidth, &roomHeight);
  scaleCanvas(
      width_, height_,
      fittingScale(width_, height_, roomWidth, roomHeight, emscripten_get_device_pixel_ratio()));
}

std::optional<PointerEvent> CanvasBackend::nextPointerEvent() {
  std::array<int, 5> fields{};
  if (!open_ || takePointerEvent(fields.data()) == 0) return std::nullopt;
  constexpr PointerEvent::Kind KINDS[] = {PointerEvent::Kind::press, PointerEvent::Kind::release,
                                          PointerEvent::Kind::move, PointerEvent::Kind::wheel,
                                          PointerEvent::Kind::cancel};
  PointerEvent event;
  event.kind = KINDS[std::clamp(fields[0], 0, 4)];
  event.x = fields[1];
  event.y = fields[2];
  event.clicks = fields[3];
  event.wheel = fields[4];
  return event;
}

EM_BOOL CanvasBackend::onKeyDown(int, const EmscriptenKeyboardEvent* event, void* self) {
  auto& backend = *static_cast<CanvasBackend*>(self);
  const WebKeyEvent key = webKeyEvent(*event);
  backend.held_.press(key.code);
  // Once per press and once per repeat, as the browser reports them.
  if (auto queued = queuedKeyOf(key)) {
    queued->repeat = event->repeat != 0;
    backend.typed_.push_back(*queued);
  }
  return explorerKeepsKey(key) ? EM_TRUE : EM_FALSE;
}

EM_BOOL CanvasBackend::onKeyUp(int, const EmscriptenKeyboardEvent* event, void* self) {
  auto& backend = *static_cast<CanvasBackend*>(self);
  const WebKeyEvent key = webKeyEvent(*event);
  backend.held_.release(key.code);
  return explorerKeepsKey(key) ? EM_TRUE : EM_FALSE;
}

// Keys released while another window or tab has the keyboard would never
// be reported: none stays held.
EM_BOOL CanvasBackend::onBlur(int, const EmscriptenFocusEvent*, void* self) {
  static_cast<CanvasBackend*>(self)->held_.releaseAll();
  return EM_FALSE;
}

EM_BOOL CanvasBackend::onVisibility(int, const EmscriptenVisibilityChangeEvent* event, void* self) {
  if (event->hidden != 0) static_cast<CanvasBackend*>(self)->held_.releaseAll();
  return EM_FALSE;
}

EM_BOOL CanvasBackend::onResize(int, const EmscriptenUiEvent*, void* self) {
  static_cast<CanvasBackend*>(self)->fitToRoom();
  return EM_FALSE;
}

void CanvasBackend::service(const Shown& shown, Keyboard& keys) {
  if (!open_) return;
  for (const KeyCode key : typed_) keys.push(key);
  typed_.clear();
  while (char* pasted = takePastedText()) {
    keys.paste(pastedTextOf(pasted));
    std::free(pasted);
  }
  held_.apply(keys);
  // Nothing draws on the visible page: only a flip can bring something new.
  if (shown.page != nullptr && (shown.frame != nullptr || !shownAny_)) present(*shown.page);
}

// Only the rows that differ from what the canvas shows are sent: at rest
// that is the frame rate's digits.
void CanvasBackend::present(const Image& page) {
  const RowSpan changed = convertChanges(page);
  shownAny_ = true;
  if (!changed.empty()) putCanvasRows(rgba_.data(), page.width, changed.first, changed.count);
}

// Converts the whole page into the canvas's bytes in one pass, finding the
// rows that changed on the way; cheaper than comparing and copying apart.
RowSpan CanvasBackend::convertChanges(const Image& page) {
  int first = -1;
  int last = -1;
  const auto width = static_cast<std::size_t>(page.width);
  for (int y = 0; y < page.height; ++y) {
    const Color* in = page.pixels.data() + static_cast<std::size_t>(y) * width;
    std::uint32_t* out = rgba_.data() + static_cast<std::size_t>(y) * width;
    std::uint32_t differs = 0;
    for (std::size_t x = 0; x < width; ++x) {
      const std::uint32_t rgba = opaqueRgba(in[x]);
      differs |= rgba ^ out[x];
      out[x] = rgba;
    }
    if (differs == 0) continue;
    if (first < 0) first = y;
    last = y;
  }
  return first < 0 ? RowSpan{} : RowSpan{first, last - first + 1};
}

}  // namespace

std::unique_ptr<DisplayBackend> makeCanvasBackend(std::string canvasSelector) {
  return std::make_unique<CanvasBackend>(std::move(canvasSelector));
}

}  // namespace glyphverse
