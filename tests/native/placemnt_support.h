#pragma once
// What the form storage's tests share: the storage key, value makers and an error catcher.
#include "base/SysUtils.h"
#include "prefs/Placemnt_core.h"

#include <functional>
#include <string>

namespace placemnt_test {

inline const std::string SectionKey = "Software\\tnwk\\Defaults";

inline TRegValue Text(std::string text) {
    return {TRegValueType::rvString, std::move(text)};
}
inline TRegValue DWord(std::uint8_t low) {
    return {TRegValueType::rvDWord, std::string("\0\0\0\0", 4).replace(0, 1, 1, static_cast<char>(low))};
}

inline std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const ERegistryException& e) {
        return e.Message();
    }
    return "<none>";
}

inline placement::TWindowFacts MainWindowFacts() {
    placement::TWindowFacts facts;
    facts.isMainWindow = true;
    facts.visible = true;
    facts.left = 100;
    facts.top = 50;
    facts.width = 400;
    facts.height = 300;
    return facts;
}

} // namespace placemnt_test
