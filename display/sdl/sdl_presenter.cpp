#include "display/sdl/sdl_presenter.h"

#include <SDL2/SDL_opengl.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "display/color.h"
#include "display/window_scale.h"

namespace glyphverse {
namespace {

// Through a renderer: the changed rows go into a texture, and every present
// draws the whole window from it (a renderer's back buffer holds nothing
// worth keeping after a present).
class RendererPresenter final : public SdlPresenter {
 public:
  RendererPresenter(SDL_Renderer* renderer, SDL_Texture* texture)
      : renderer_(renderer), texture_(texture) {}
  ~RendererPresenter() override {
    SDL_DestroyTexture(texture_);
    SDL_DestroyRenderer(renderer_);
  }
  RendererPresenter(const RendererPresenter&) = delete;
  RendererPresenter& operator=(const RendererPresenter&) = delete;

  void show(const Image& page, RowSpan changed, bool /*whole*/) override {
    if (!changed.empty()) {
      const SDL_Rect rows{0, changed.first, page.width, changed.count};
      SDL_UpdateTexture(texture_, &rows,
                        &page.pixels[static_cast<std::size_t>(rows.y) * page.width],
                        page.width * static_cast<int>(sizeof(Color)));
    }
    int outputWidth = 0;
    int outputHeight = 0;
    outputSize(outputWidth, outputHeight);
    const PixelRect place = scaledPageRect(page.width, page.height, outputWidth, outputHeight);
    const SDL_Rect target{place.x, place.y, place.width, place.height};
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, &target);
    SDL_RenderPresent(renderer_);
  }

  void outputSize(int& width, int& height) override {
    SDL_GetRendererOutputSize(renderer_, &width, &height);
  }

 private:
  SDL_Renderer* renderer_;
  SDL_Texture* texture_;
};

// Straight into the window's framebuffer (shared memory with the X server
// on X11): only the changed rows are copied and sent.
class SurfacePresenter final : public SdlPresenter {
 public:
  explicit SurfacePresenter(SDL_Window* window) : window_(window) {}

  void show(const Image& page, RowSpan changed, bool whole) override;

  void outputSize(int& width, int& height) override {
    const SDL_Surface* target = SDL_GetWindowSurface(window_);
    width = target != nullptr ? target->w : 0;
    height = target != nullptr ? target->h : 0;
  }

 private:
  SDL_Window* window_;
};

void SurfacePresenter::show(const Image& page, RowSpan changed, bool whole) {
  SDL_Surface* target = SDL_GetWindowSurface(window_);  // anew after a resize
  if (target == nullptr) return;
  SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<Color*>(page.pixels.data()), page.width, page.height, 32,
      page.width * static_cast<int>(sizeof(Color)), SDL_PIXELFORMAT_ARGB8888);
  if (source == nullptr) return;
  // Pages keep an alpha byte (tiles write alpha 0); the window shows colour only.
  SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
  const PixelRect place = scaledPageRect(page.width, page.height, target->w, target->h);
  const int scale = place.width / page.width;
  if (whole) {
    SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 0, 0, 0));
    changed = {0, page.height};
  }
  SDL_Rect from{0, changed.first, page.width, changed.count};
  SDL_Rect to{place.x, place.y + changed.first * scale, place.width, changed.count * scale};
  // Both leave in `to` the part of the window that was written.
  if (scale == 1) {
    SDL_BlitSurface(source, &from, target, &to);
  } else {
    SDL_BlitScaled(source, &from, target, &to);
  }
  SDL_FreeSurface(source);
  if (whole) {
    SDL_UpdateWindowSurface(window_);
  } else if (to.w > 0 && to.h > 0) {
    SDL_UpdateWindowSurfaceRects(window_, &to, 1);
  }
}

// The renderer's name, and for OpenGL the name of what runs it.
bool rendersOnProcessor(SDL_Renderer* renderer) {
  SDL_RendererInfo info{};
  if (SDL_GetRendererInfo(renderer, &info) != 0) return false;
  if ((info.flags & SDL_RENDERER_SOFTWARE) != 0) return true;
  const std::string_view name = info.name != nullptr ? info.name : "";
  if (name.substr(0, 6) != "opengl" || SDL_GL_GetCurrentContext() == nullptr) return false;
  using GetString = const GLubyte*(APIENTRY*)(GLenum);
  const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const GLubyte* renderedBy = getString != nullptr ? getString(GL_RENDERER) : nullptr;
  return renderedBy != nullptr && isSoftwareRasterizer(reinterpret_cast<const char*>(renderedBy));
}

std::unique_ptr<SdlPresenter> rendererPresenter(SDL_Renderer* renderer, int width, int height,
                                                bool vsync) {
  if (renderer == nullptr) return nullptr;
  if (vsync) SDL_RenderSetVSync(renderer, 1);
  SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                           SDL_TEXTUREACCESS_STREAMING, width, height);
  if (texture == nullptr) {
    SDL_DestroyRenderer(renderer);
    return nullptr;
  }
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
  return std::make_unique<RendererPresenter>(renderer, texture);
}

}  // namespace

bool isSoftwareRasterizer(std::string_view glRenderer) {
  std::string name(glRenderer);
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  constexpr std::array<std::string_view, 7> SOFTWARE = {"llvmpipe",
                                                        "softpipe",
                                                        "swrast",
                                                        "software rasterizer",
                                                        "swiftshader",
                                                        "gdi generic",
                                                        "apple software renderer"};
  return std::any_of(SOFTWARE.begin(), SOFTWARE.end(),
                     [&](std::string_view s) { return name.find(s) != std::string::npos; });
}

std::unique_ptr<SdlPresenter> makeSdlPresenter(SDL_Window* window, int width, int height,
                                               bool vsync) {
  const char* asked = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
  if (asked != nullptr && *asked != '\0') {
    return rendererPresenter(SDL_CreateRenderer(window, -1, 0), width, height, vsync);
  }
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
  if (renderer != nullptr && !rendersOnProcessor(renderer)) {
    return rendererPresenter(renderer, width, height, vsync);
  }
  if (renderer != nullptr) SDL_DestroyRenderer(renderer);
  // SDL would otherwise put the window's framebuffer itself on a renderer.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_GetWindowSurface(window) != nullptr) return std::make_unique<SurfacePresenter>(window);
  // No framebuffer of its own (as under Wayland): a renderer after all, whatever runs it.
  return rendererPresenter(SDL_CreateRenderer(window, -1, 0), width, height, vsync);
}

}  // namespace glyphverse
