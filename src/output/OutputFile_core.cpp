#include "output/OutputFile_core.h"

#include "base/SysUtils.h"

namespace outputfile {

std::string OutputFileName(std::string_view projectFileName) {
    return rtl::ExtractFilePath(projectFileName) + kOutputFileName;
}

std::string TooLargeMessage(std::uintmax_t size) {
    std::string digits = std::to_string(size);
    for (std::size_t i = digits.size(); i > 3; i -= 3)
        digits.insert(i - 3, ",");
    return "The compiler output is too large to show: " + digits + " bytes.";
}

std::string ReadWholeFile(const std::string& fileName, std::uintmax_t maxBytes) {
    return rtl::ReadWholeFile(fileName, maxBytes,
                              [](std::uintmax_t size) { throw EOutputTooLarge(TooLargeMessage(size)); });
}

std::string WithoutFinalLineBreak(std::string text) {
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
        text.resize(text.size() - 2);
    else if (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}

} // namespace outputfile
