#pragma once
// How finished pages reach an SDL window, in the way that costs least where
// the program runs: through a renderer when it has a graphics processor
// behind it, otherwise straight into the window's own framebuffer (a
// renderer there would only be OpenGL emulated on the processor, or SDL's
// software renderer, which copies the whole window for every change).

#include <SDL2/SDL.h>

#include <memory>
#include <string_view>

#include "display/image.h"
#include "display/page_diff.h"

namespace glyphverse {

class SdlPresenter {
 public:
  virtual ~SdlPresenter() = default;
  // Shows `page`, whose rows `changed` differ from the page shown before.
  // With `whole` the window is painted anew: the page, scaled by the largest
  // whole factor that fits and centred, on black.
  virtual void show(const Image& page, RowSpan changed, bool whole) = 0;
  // The window's drawing area in pixels.
  virtual void outputSize(int& width, int& height) = 0;
};

// The presenter for pages of width x height in `window`, or null when none
// works (SDL_GetError says why). A renderer named in SDL_RENDER_DRIVER is
// used as asked. Presents wait for the display's refresh where the renderer
// can, when `vsync` is set.
std::unique_ptr<SdlPresenter> makeSdlPresenter(SDL_Window* window, int width, int height,
                                               bool vsync);

// Whether an OpenGL renderer name (GL_RENDERER) is a rasterizer that runs on
// the processor, such as Mesa's llvmpipe.
bool isSoftwareRasterizer(std::string_view glRenderer);

}  // namespace glyphverse
