#include "controls/DogsEar_core.h"

namespace dogsear {

namespace {
struct TQuarter {
    int mx, my;
};
using TQuarters = std::array<TQuarter, 4>;

constexpr TQuarters kLeftPage{{{0, 0}, {4, 0}, {4, 4}, {0, 0}}};
constexpr TQuarters kLeftSecond{{{0, 0}, {3, 1}, {4, 4}, {0, 0}}};
constexpr TQuarters kRightPage{{{0, 0}, {4, 0}, {0, 4}, {0, 0}}};
constexpr TQuarters kRightSecond{{{1, 1}, {4, 0}, {0, 4}, {1, 1}}};

TShape Scale(const TQuarters& quarters, int width, int height) {
    TShape shape;
    for (std::size_t i = 0; i < shape.size(); ++i)
        shape[i] = {quarters[i].mx * (width - 1) / 4, quarters[i].my * (height - 1) / 4};
    return shape;
}
} // namespace

TShape PageShape(TDogsEarAlign align, int width, int height) {
    return Scale(align == TDogsEarAlign::adRight ? kRightPage : kLeftPage, width, height);
}

TShape SecondPageShape(TDogsEarAlign align, int width, int height) {
    return Scale(align == TDogsEarAlign::adRight ? kRightSecond : kLeftSecond, width, height);
}

std::optional<int> ClickedPages(bool multiPage, int numPages, bool inSecondPage, bool inPage) {
    if (multiPage && inSecondPage)
        return numPages;
    if (inPage)
        return 1;
    return std::nullopt;
}

} // namespace dogsear
