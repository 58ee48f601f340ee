#pragma once
// The busy gauge's rules apart from any window: the range and its percentage, the colour ramp of the
// sliding band, and the band's back-and-forth movement.
#include "base/Types.h"

#include <array>
#include <cstdint>
#include <vector>

namespace busyctrl {

// Colours are plain red-green-blue values here (system colours already resolved).
using TShades = std::array<TColor, 33>;

// Shades[0] is `back`, Shades[32] is `fore`; each channel moves by the nearest integer to
// (fore − back) × i / 32, halves to even.
TShades BuildShades(TColor back, TColor fore);

// What a property change asks of the control.
enum class TRepaint { none, now };

// Range and position of the progress bar. Setters keep Progress within MinValue..MaxValue.
class TGaugeRange {
  public:
    std::int32_t MinValue() const { return min_; }
    std::int32_t MaxValue() const { return max_; }
    std::int32_t Progress() const { return progress_; }
    TRepaint SetMinValue(std::int32_t value);
    // A maximum below the minimum is refused with EInvalidOperation; nothing changes.
    TRepaint SetMaxValue(std::int32_t value);
    TRepaint SetProgress(std::int32_t value);
    // Whole percent done, truncated; 0 for an empty range.
    int PercentDone() const { return Percent(min_, max_, progress_); }

  private:
    static int Percent(std::int32_t min, std::int32_t max, std::int32_t progress);

    std::int32_t min_ = 0;
    std::int32_t max_ = 100;
    std::int32_t progress_ = 0;
};

// Width of the progress bar for a percentage, truncated.
int BarWidth(int percentDone, int width);

// The band of the waiting animation: its left column and direction.
struct TAnimation {
    int offset = 0;
    bool forward = true;
    // One tick: a pixel right until offset + 1 passes half the width, then left back to 0.
    void Step(int width);
};

// Number of columns of the band: width div 2, plus one.
int BandColumns(int width);
// The shade index of band column i (0 … width div 2) moving forward; backward it is 32 minus it.
int BandShadeIndex(int column, int width);

// Adjacent band columns of one shade, [left, right) in the gauge's coordinates: one fill each.
struct TBandRun {
    int left, right, shade;
    bool operator==(const TBandRun&) const = default;
};
// The band where `anim` has it, cut at the width, as runs of equal shade (index into TShades).
std::vector<TBandRun> BandRuns(const TAnimation& anim, int width);

// One bevel of the gauge: rings whose top and left edges have `topLeft` and whose bottom and right
// edges have `bottomRight` (which takes the two corners where they meet), each ring one pixel inside
// the last.
struct TBevel {
    TColor topLeft, bottomRight;
};

// The waiting gauge's picture, width x height pixels in rows from the top, each 0x00RRGGBB as a 32-bit
// device-independent bitmap holds it: the background, the band where `anim` has it, then the bevels
// from the outside in, `bevelWidth` rings each. Composed in memory so that a frame of the animation
// reaches the screen in one step.
std::vector<std::uint32_t> WaitingPicture(int width, int height, TColor back, const TShades& shades,
                                          const TAnimation& anim, const std::vector<TBevel>& bevels,
                                          int bevelWidth);

} // namespace busyctrl
