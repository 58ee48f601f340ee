#include "controls/BusyCtrl_core.h"

#include "base/SysUtils.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace busyctrl {

namespace {
int Channel(TColor c, int shift) {
    return (static_cast<int>(c) >> shift) & 0xFF;
}

int ShadeChannel(int back, int fore, int i) {
    const double step = std::nearbyint(static_cast<double>(std::abs(fore - back)) * i / 32.0);
    return fore > back ? back + static_cast<int>(step) : back - static_cast<int>(step);
}
} // namespace

TShades BuildShades(TColor back, TColor fore) {
    TShades shades{};
    for (int i = 0; i <= 32; ++i)
        shades[static_cast<std::size_t>(i)] = RGBColor(ShadeChannel(Channel(back, 0), Channel(fore, 0), i),
                                                       ShadeChannel(Channel(back, 8), Channel(fore, 8), i),
                                                       ShadeChannel(Channel(back, 16), Channel(fore, 16), i));
    return shades;
}

TRepaint TGaugeRange::SetMinValue(std::int32_t value) {
    if (value == min_)
        return TRepaint::none;
    min_ = value > max_ ? max_ : value;
    if (progress_ < min_)
        progress_ = min_;
    return TRepaint::now;
}

TRepaint TGaugeRange::SetMaxValue(std::int32_t value) {
    if (value == max_)
        return TRepaint::none;
    if (value < min_) {
        // In 64 bits: above a minimum at the top of 32 bits the lowest allowed value lies beyond them.
        throw EInvalidOperation("Value must be between " +
                                std::to_string(static_cast<std::int64_t>(min_) + 1) + " and " +
                                std::to_string(std::numeric_limits<std::int32_t>::max()));
    }
    max_ = value;
    if (progress_ > max_)
        progress_ = max_;
    return TRepaint::now;
}

TRepaint TGaugeRange::SetProgress(std::int32_t value) {
    const std::int32_t clamped = value < min_ ? min_ : value > max_ ? max_ : value;
    if (clamped == progress_)
        return TRepaint::none;
    const bool changed = Percent(min_, max_, clamped) != Percent(min_, max_, progress_);
    progress_ = clamped;
    return changed ? TRepaint::now : TRepaint::none;
}

int TGaugeRange::Percent(std::int32_t min, std::int32_t max, std::int32_t progress) {
    if (max == min)
        return 0;
    // 64 bits: the 32-bit product overflows for ranges beyond about 21 million.
    const std::int64_t done = static_cast<std::int64_t>(progress) - min;
    const std::int64_t span = static_cast<std::int64_t>(max) - min;
    return static_cast<int>(done * 100 / span);
}

int BarWidth(int percentDone, int width) {
    return static_cast<int>(percentDone * (width * 0.01));
}

void TAnimation::Step(int width) {
    if (forward) {
        ++offset;
        if (offset + 1 > width / 2.0)
            forward = false;
    } else {
        --offset;
        if (offset == 0)
            forward = true;
    }
}

int BandColumns(int width) {
    return width / 2 + 1;
}

int BandShadeIndex(int column, int width) {
    if (width <= 0)
        return 0;
    const int k = static_cast<int>(column / (width / 2.0) * 32);
    return k < 0 ? 0 : k > 32 ? 32 : k;
}

std::vector<TBandRun> BandRuns(const TAnimation& anim, int width) {
    std::vector<TBandRun> runs;
    const int columns = BandColumns(width);
    for (int i = 0; i < columns && anim.offset + i < width; ++i) {
        const int k = BandShadeIndex(i, width);
        const int shade = anim.forward ? k : 32 - k;
        const int x = anim.offset + i;
        if (!runs.empty() && runs.back().shade == shade)
            runs.back().right = x + 1;
        else
            runs.push_back({x, x + 1, shade});
    }
    return runs;
}

namespace {
// A plain red-green-blue colour (red in the low byte) as a bitmap pixel (blue in the low byte).
std::uint32_t Pixel(TColor color) {
    const auto c = static_cast<std::uint32_t>(color);
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

class TPicture {
  public:
    TPicture(int width, int height, std::uint32_t fill)
        : width_(width), height_(height),
          pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}
    // Fills [left, right) x [top, bottom), cut to the picture.
    void Fill(int left, int top, int right, int bottom, std::uint32_t pixel) {
        left = std::max(left, 0);
        top = std::max(top, 0);
        right = std::min(right, width_);
        bottom = std::min(bottom, height_);
        for (int y = top; y < bottom; ++y)
            std::fill_n(pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_ + left,
                        std::max(right - left, 0), pixel);
    }
    std::vector<std::uint32_t> Take() { return std::move(pixels_); }

  private:
    int width_, height_;
    std::vector<std::uint32_t> pixels_;
};
} // namespace

std::vector<std::uint32_t> WaitingPicture(int width, int height, TColor back, const TShades& shades,
                                          const TAnimation& anim, const std::vector<TBevel>& bevels,
                                          int bevelWidth) {
    if (width <= 0 || height <= 0)
        return {};
    TPicture picture(width, height, Pixel(back));
    for (const TBandRun& run : BandRuns(anim, width))
        picture.Fill(run.left, 0, run.right, height, Pixel(shades[static_cast<std::size_t>(run.shade)]));
    int inset = 0;
    for (const TBevel& bevel : bevels)
        for (int ring = 0; ring < bevelWidth; ++ring, ++inset) {
            const int left = inset, top = inset, right = width - inset, bottom = height - inset;
            picture.Fill(left, top, right - 1, top + 1, Pixel(bevel.topLeft));
            picture.Fill(left, top, left + 1, bottom - 1, Pixel(bevel.topLeft));
            picture.Fill(left, bottom - 1, right, bottom, Pixel(bevel.bottomRight));
            picture.Fill(right - 1, top, right, bottom, Pixel(bevel.bottomRight));
        }
    return picture.Take();
}

} // namespace busyctrl
