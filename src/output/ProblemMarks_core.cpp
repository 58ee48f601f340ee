#include "output/ProblemMarks_core.h"

#include <algorithm>
#include <cmath>

namespace problems {
namespace {

constexpr std::uint32_t Rgb(unsigned r, unsigned g, unsigned b) {
    return r | (g << 8) | (b << 16);
}
constexpr std::uint32_t kBlack = Rgb(0, 0, 0);
constexpr std::uint32_t kWhite = Rgb(255, 255, 255);

struct TBands {
    std::uint32_t light;
    std::uint32_t dark;
};
TBands BandsOf(TSeverity severity) {
    switch (severity) {
    case TSeverity::Warning:
        return {Rgb(255, 214, 102), Rgb(112, 60, 0)};
    case TSeverity::Hint:
        return {Rgb(176, 208, 255), Rgb(0, 56, 160)};
    case TSeverity::Error:
    case TSeverity::Fatal:
        break;
    }
    return {Rgb(255, 168, 168), Rgb(150, 0, 0)};
}

double Channel(std::uint32_t colour, int shift) {
    const double c = ((colour >> shift) & 0xFF) / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(std::uint32_t colour) {
    return 0.2126 * Channel(colour, 0) + 0.7152 * Channel(colour, 8) + 0.0722 * Channel(colour, 16);
}

} // namespace

double Distance(std::uint32_t a, std::uint32_t b) {
    double sum = 0;
    for (const int shift : {0, 8, 16}) {
        const double d = static_cast<double>((a >> shift) & 0xFF) - static_cast<double>((b >> shift) & 0xFF);
        sum += d * d;
    }
    return std::sqrt(sum);
}

double Contrast(std::uint32_t a, std::uint32_t b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TMarkColors MarkColors(TSeverity severity, std::uint32_t background) {
    const TBands bands = BandsOf(severity);
    const std::uint32_t band =
        Distance(bands.light, background) >= Distance(bands.dark, background) ? bands.light : bands.dark;
    return {band, Contrast(band, kBlack) >= Contrast(band, kWhite) ? kBlack : kWhite};
}

} // namespace problems
