#include "base/Types.h"

namespace {
long long MulDiv64(long long a, long long b, long long c) {
    if (c == 0)
        return 0;
    const long long p = a * b;
    return (p >= 0) == (c >= 0) ? (p + c / 2) / c : (p - c / 2) / c;
}

int Clamped(long long value) {
    if (value > 2147483647LL)
        return 2147483647;
    if (value < -2147483647LL - 1)
        return -2147483647 - 1;
    return static_cast<int>(value);
}
} // namespace

int TFontDesc::Size(int pixelsPerInch) const {
    return Clamped(-MulDiv64(height, 72, pixelsPerInch));
}

void TFontDesc::SetSize(int points, int pixelsPerInch) {
    height = Clamped(-MulDiv64(points, pixelsPerInch, 72));
}

int MulDivRound(int a, int b, int c) {
    return Clamped(MulDiv64(a, b, c));
}

std::string VariantToText(const TVariant& value) {
    if (const auto* s = std::get_if<std::string>(&value))
        return *s;
    if (const auto* i = std::get_if<std::int32_t>(&value))
        return std::to_string(*i);
    return {};
}
