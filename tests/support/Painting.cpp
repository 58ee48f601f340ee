#include "support/Painting.h"

#include "win/Handles.h"

#include <cstring>

namespace support {

PaintedPixels::PaintedPixels(int width, int height, const std::function<void(HDC)>& paint)
    : width_(width), pixels_(static_cast<std::size_t>(width) * height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    BitmapHandle bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap)
        return;
    MemoryDc dc(CreateCompatibleDC(nullptr));
    {
        SelectionScope select(dc.get(), bitmap.get());
        paint(dc.get());
        GdiFlush();
    }
    std::memcpy(pixels_.data(), bits, pixels_.size() * sizeof(std::uint32_t));
}

std::uint32_t PaintedPixels::At(int x, int y) const {
    return pixels_[static_cast<std::size_t>(y) * width_ + x] & 0xFFFFFF;
}

} // namespace support
