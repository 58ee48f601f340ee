#pragma once
// What a control paints, caught in a 32-bit bitmap of the test's own.
#include "win/Handles.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace support {

// A 32-bit top-down bitmap selected into a memory device context, to paint into and read back.
class Canvas {
  public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC Dc() const { return dc_.get(); }
    // One pixel as 0xRRGGBB.
    std::uint32_t At(int x, int y) const;
    // One pixel as a COLORREF.
    COLORREF Pixel(int x, int y) const;
    // The rows top to bottom, once what was drawn has reached them; null when no bitmap was made.
    const std::uint32_t* Bits() const;

  private:
    int width_;
    void* bits_ = nullptr;
    BitmapHandle bitmap_;
    MemoryDc dc_;
    HGDIOBJ previous_ = nullptr;
};

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
