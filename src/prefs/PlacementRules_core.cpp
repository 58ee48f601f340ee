#include "prefs/PlacementRules_core.h"

#include "base/SysUtils.h"
#include "prefs/SettingsStore_core.h"

#include <climits>
#include <tuple>

namespace placement {

namespace {
std::string FourNumbers(int a, int b, int c, int d) {
    return std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c) + "," + std::to_string(d);
}

// Stored positions are arbitrary texts: sums saturate instead of overflowing.
int AddClamped(int a, int b) {
    const long long sum = static_cast<long long>(a) + b;
    return sum > INT_MAX ? INT_MAX : sum < INT_MIN ? INT_MIN : static_cast<int>(sum);
}

int WordNumber(const std::vector<std::string>& words, std::size_t index, int def) {
    return index < words.size() ? rtl::StrToIntDef(words[index], def) : def;
}
} // namespace

std::string ScreenSuffix(const TScreenFacts& screen) {
    return "(" + std::to_string(screen.width) + "x" + std::to_string(screen.height) + ")";
}

std::vector<TNamedText> PlacementValues(TPlacementRecord record, const TWindowFacts& window,
                                        const TScreenFacts& screen, TPlacementOptions options,
                                        bool destroying) {
    if (window.isMainWindow && window.applicationMinimized)
        record.showCmd = SW_SHOWMINIMIZED_VALUE;
    if (window.mdiChild && window.state == TWindowState::wsMinimized)
        record.flags |= WPF_SETMINPOSITION_VALUE;
    const std::string suffix = ScreenSuffix(screen);
    const std::string minMax = FourNumbers(record.ptMinPosition.x, record.ptMinPosition.y,
                                           record.ptMaxPosition.x, record.ptMaxPosition.y);
    const TRect& r = record.rcNormalPosition;
    const std::string normal = FourNumbers(r.left, r.top, r.right, r.bottom);

    std::vector<TNamedText> values{
        {"Flags", std::to_string(record.flags)},
        {"ShowCmd", std::to_string(record.showCmd)},
        {"PixelsPerInch", std::to_string(screen.pixelsPerInch)},
        {"MinMaxPos" + suffix, minMax},
        {"MinMaxPos", minMax},
        {"NormPos" + suffix, normal},
        {"NormPos", normal},
    };
    if (HasOption(options, TPlacementOption::fpActiveControl) && !window.activeControl.empty())
        values.emplace_back("ActiveControl", window.activeControl);
    values.emplace_back("Visible", destroying ? "1" : "0");
    return values;
}

std::vector<std::string> PositionWords(std::string_view text) {
    constexpr std::string_view separators = " ,";
    std::vector<std::string> words;
    std::size_t pos = 0;
    while ((pos = text.find_first_not_of(separators, pos)) != std::string_view::npos) {
        std::size_t end = text.find_first_of(separators, pos);
        if (end == std::string_view::npos)
            end = text.size();
        words.emplace_back(text.substr(pos, end - pos));
        pos = end;
    }
    return words;
}

std::pair<TPoint, TPoint> MinMaxFromText(std::string_view text) {
    const std::vector<std::string> words = PositionWords(text);
    return {{WordNumber(words, 0, 0), WordNumber(words, 1, 0)},
            {WordNumber(words, 2, 0), WordNumber(words, 3, 0)}};
}

TRect NormalRectFromText(std::string_view text, const TWindowFacts& window) {
    const std::vector<std::string> words = PositionWords(text);
    return {WordNumber(words, 0, window.left), WordNumber(words, 1, window.top),
            WordNumber(words, 2, AddClamped(window.left, window.width)),
            WordNumber(words, 3, AddClamped(window.top, window.height))};
}

std::optional<TWindowState> StateFromShowCmd(int showCmd) {
    switch (showCmd) {
    case 1:
    case 5:
    case 9:
        return TWindowState::wsNormal;
    case 2:
    case 6:
    case 7:
        return TWindowState::wsMinimized;
    case 3:
        return TWindowState::wsMaximized;
    default:
        return std::nullopt;
    }
}

TPlacementReading ReadPlacement(const TValueReader& read, TPlacementRecord current,
                                const TWindowFacts& window, const TScreenFacts& screen,
                                TPlacementOptions options) {
    const bool position = HasOption(options, TPlacementOption::fpPosition);
    const bool state = HasOption(options, TPlacementOption::fpState);
    TPlacementReading reading;
    if (!position && !state)
        return reading;
    auto readInteger = [&read](const std::string& name, int def) {
        return SettingsIntegerFromText(read(name, rtl::IntToStr(def)), def);
    };
    auto readPosition = [&read, suffix = ScreenSuffix(screen)](const std::string& name) {
        std::string text = read(name + suffix, "");
        return text.empty() ? read(name, "") : text;
    };

    if (!window.visible)
        current.showCmd = SW_HIDE_VALUE;
    reading.placement = current;
    if (position) {
        TPlacementRecord& record = reading.placement;
        record.flags = readInteger("Flags", current.flags);
        const std::string minMax = readPosition("MinMaxPos");
        if (!minMax.empty())
            std::tie(record.ptMinPosition, record.ptMaxPosition) = MinMaxFromText(minMax);
        const std::string normal = readPosition("NormPos");
        if (!normal.empty())
            record.rcNormalPosition = NormalRectFromText(normal, window);
        const int pixelsPerInch = readInteger("PixelsPerInch", screen.pixelsPerInch);
        if ((!minMax.empty() || !normal.empty()) && pixelsPerInch == screen.pixelsPerInch) {
            TRect& r = record.rcNormalPosition;
            if (!window.sizeableBorder) {
                r.right = AddClamped(r.left, window.width);
                r.bottom = AddClamped(r.top, window.height);
            }
            if (r.left < r.right) {
                reading.useDesignedPosition = window.screenCenter;
                reading.applyPlacement = true;
            }
        }
    }
    if (state) {
        const bool maximisedByDefault =
            window.isMainWindow && (window.mdiFrame || (!window.mdiChild && window.defaultPosition));
        const TWindowState stored =
            StateFromShowCmd(readInteger("ShowCmd", 0))
                .value_or(maximisedByDefault ? TWindowState::wsMaximized : TWindowState::wsNormal);
        if (stored == TWindowState::wsMinimized && window.isMainWindow)
            reading.minimizeApplication = true;
        else
            reading.state = stored;
    }
    return reading;
}

TPlacementRecord WithMaximisedAtFrame(TPlacementRecord record, TPoint frameSize, bool visible) {
    record.ptMaxPosition = {-frameSize.x, -frameSize.y};
    if (!visible)
        record.showCmd = SW_HIDE_VALUE;
    return record;
}

} // namespace placement
