#include "support/Painting.h"

#include <cstring>

namespace support {

Canvas::Canvas(int width, int height) : width_(width) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    dc_.reset(CreateCompatibleDC(nullptr));
    previous_ = SelectObject(dc_.get(), bitmap_.get());
}

Canvas::~Canvas() {
    SelectObject(dc_.get(), previous_);
}

const std::uint32_t* Canvas::Bits() const {
    GdiFlush();
    return static_cast<const std::uint32_t*>(bits_);
}

std::uint32_t Canvas::At(int x, int y) const {
    return Bits()[static_cast<std::size_t>(y) * width_ + x] & 0xFFFFFF;
}

COLORREF Canvas::Pixel(int x, int y) const {
    const std::uint32_t p = At(x, y);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

PaintedPixels::PaintedPixels(int width, int height, const std::function<void(HDC)>& paint)
    : width_(width), pixels_(static_cast<std::size_t>(width) * height) {
    const Canvas canvas(width, height);
    paint(canvas.Dc());
    if (const std::uint32_t* bits = canvas.Bits())
        std::memcpy(pixels_.data(), bits, pixels_.size() * sizeof(std::uint32_t));
}

std::uint32_t PaintedPixels::At(int x, int y) const {
    return pixels_[static_cast<std::size_t>(y) * width_ + x] & 0xFFFFFF;
}

} // namespace support
