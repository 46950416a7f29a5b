#include "display/sdl/sdl_presenter.h"

#include <gtest/gtest.h>

namespace glyphverse {
namespace {

TEST(SdlPresenter, TellsProcessorRasterizersFromGraphicsProcessors) {
  EXPECT_TRUE(isSoftwareRasterizer("llvmpipe (LLVM 15.0.6, 256 bits)"));
  EXPECT_TRUE(isSoftwareRasterizer("softpipe"));
  EXPECT_TRUE(isSoftwareRasterizer("Software Rasterizer"));
  EXPECT_TRUE(isSoftwareRasterizer("Google SwiftShader"));
  EXPECT_TRUE(isSoftwareRasterizer("GDI Generic"));
  EXPECT_FALSE(isSoftwareRasterizer("Mesa Intel(R) UHD Graphics 620 (KBL GT2)"));
  EXPECT_FALSE(isSoftwareRasterizer("NVIDIA GeForce RTX 3060/PCIe/SSE2"));
  EXPECT_FALSE(isSoftwareRasterizer("AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6)"));
  EXPECT_FALSE(isSoftwareRasterizer(""));
}

}  // namespace
}  // namespace glyphverse
