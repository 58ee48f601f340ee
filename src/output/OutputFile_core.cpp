#include "output/OutputFile_core.h"

#include "base/SysUtils.h"

#include <cstdio>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>

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

namespace {

struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, Closer>;

// The file's size, also beyond 2 GB where a long holds less; the position is left at the start.
std::optional<std::uintmax_t> SizeOf(std::FILE* file) {
#ifdef _WIN32
    const bool atEnd = _fseeki64(file, 0, SEEK_END) == 0;
    const long long size = atEnd ? _ftelli64(file) : -1;
    _fseeki64(file, 0, SEEK_SET);
#else
    const bool atEnd = fseeko(file, 0, SEEK_END) == 0;
    const off_t size = atEnd ? ftello(file) : -1;
    fseeko(file, 0, SEEK_SET);
#endif
    if (size < 0)
        return std::nullopt;
    return static_cast<std::uintmax_t>(size);
}

std::string ReadOpenFile(std::FILE* file, const std::string& fileName, std::optional<std::uintmax_t> size,
                         std::uintmax_t maxBytes) {
    // A file that opens but cannot be read (a folder, on some systems) fails as one that does not open.
    char chunk[65536];
    std::size_t got = std::fread(chunk, 1, sizeof chunk, file);
    if (std::ferror(file))
        throw EFOpenError(rtl::Format(rtl::SFOpenError, fileName));
    if (size && *size > maxBytes)
        throw EOutputTooLarge(TooLargeMessage(*size));
    std::string content(chunk, got);
    if (got == sizeof chunk) {
        // One allocation of the file's size; a file still growing is read on to its end.
        if (size && *size > content.size())
            content.reserve(static_cast<std::size_t>(*size));
        while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
            content.append(chunk, got);
    }
    return content;
}

} // namespace

std::string ReadWholeFile(const std::string& fileName, std::uintmax_t maxBytes) {
    File file(std::fopen(fileName.c_str(), "rb"));
    if (!file)
        throw EFOpenError(rtl::Format(rtl::SFOpenError, fileName));
    const std::optional<std::uintmax_t> size = SizeOf(file.get());
    try {
        return ReadOpenFile(file.get(), fileName, size, maxBytes);
    } catch (const std::bad_alloc&) {
        throw EOutputTooLarge(TooLargeMessage(size.value_or(0)));
    } catch (const std::length_error&) {
        throw EOutputTooLarge(TooLargeMessage(size.value_or(0)));
    }
}

std::string WithoutFinalLineBreak(std::string text) {
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
        text.resize(text.size() - 2);
    else if (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}

} // namespace outputfile
