#include "base/Types.h"

namespace {
// MulDiv with rounding half away from zero, as the platform's.
int MulDivRound(int a, int b, int c) {
    const long long p = static_cast<long long>(a) * b;
    const long long q = c;
    const long long r = (p >= 0) == (q >= 0) ? (p + q / 2) / q : (p - q / 2) / q;
    return static_cast<int>(r);
}
} // namespace

int TFontDesc::Size(int pixelsPerInch) const { return -MulDivRound(height, 72, pixelsPerInch); }

void TFontDesc::SetSize(int points, int pixelsPerInch) { height = -MulDivRound(points, pixelsPerInch, 72); }

std::string VariantToText(const TVariant& value) {
    if (const auto* s = std::get_if<std::string>(&value))
        return *s;
    if (const auto* i = std::get_if<std::int32_t>(&value))
        return std::to_string(*i);
    return {};
}
