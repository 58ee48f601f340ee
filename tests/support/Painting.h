#pragma once
// What a control paints, caught in a 32-bit bitmap of the test's own.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace support {

class PaintedPixels {
  public:
    // Calls `paint` with a memory device context holding a width x height bitmap (cleared to black).
    PaintedPixels(int width, int height, const std::function<void(HDC)>& paint);
    // One pixel as 0xRRGGBB.
    std::uint32_t At(int x, int y) const;

  private:
    int width_;
    std::vector<std::uint32_t> pixels_;
};

} // namespace support
