#include "base/SysUtils.h"

#include <charconv>
#include <cstdio>
#include <memory>
#include <optional>
#include <new>
#include <stdexcept>

namespace rtl {

std::string Format(std::string_view format, std::string_view arg) {
    std::string out;
    out.reserve(format.size() + arg.size());
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            if (format[i + 1] == 's') {
                out.append(arg);
                ++i;
                continue;
            }
            if (format[i + 1] == '%') {
                out.push_back('%');
                ++i;
                continue;
            }
        }
        out.push_back(format[i]);
    }
    return out;
}

std::string ExceptionText(const std::exception& e) {
    if (const auto* own = dynamic_cast<const Exception*>(&e))
        return own->Message();
    if (dynamic_cast<const std::bad_alloc*>(&e) || dynamic_cast<const std::length_error*>(&e))
        return std::string(SOutOfMemory);
    return std::string(SInternalError);
}

std::string MessageWithPeriod(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.'))
        text.push_back('.');
    return text;
}

std::string Trim(std::string_view s) {
    std::size_t first = 0;
    std::size_t last = s.size();
    while (first < last && static_cast<unsigned char>(s[first]) <= ' ')
        ++first;
    while (last > first && static_cast<unsigned char>(s[last - 1]) <= ' ')
        --last;
    return std::string(s.substr(first, last - first));
}

std::string UpperCase(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string LowerCase(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

int CompareText(std::string_view a, std::string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        if (ca >= 'a' && ca <= 'z')
            ca = static_cast<unsigned char>(ca - 32);
        if (cb >= 'a' && cb <= 'z')
            cb = static_cast<unsigned char>(cb - 32);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool SameText(std::string_view a, std::string_view b) {
    return CompareText(a, b) == 0;
}

std::string IntToStr(std::int64_t value) {
    return std::to_string(value);
}

std::optional<std::int32_t> TryStrToInt(std::string_view s) {
    bool negative = false;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        negative = s[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    }
    if (i >= s.size())
        return std::nullopt;
    std::uint64_t magnitude = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        if (magnitude > 0xFFFFFFFFull)
            return std::nullopt;
    }
    if (base == 16) {
        // Hexadecimal texts name the 32-bit pattern: $FFFFFFFF is -1.
        auto bits = static_cast<std::uint32_t>(magnitude);
        if (negative)
            bits = 0u - bits;
        return static_cast<std::int32_t>(bits);
    }
    if (negative) {
        if (magnitude > 0x80000000ull)
            return std::nullopt;
        return static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
    }
    if (magnitude > 0x7FFFFFFFull)
        return std::nullopt;
    return static_cast<std::int32_t>(magnitude);
}

std::int32_t StrToIntDef(std::string_view s, std::int32_t fallback) {
    auto value = TryStrToInt(s);
    return value ? *value : fallback;
}

namespace {
std::size_t FolderEnd(std::string_view name) {
    const std::size_t pos = name.find_last_of("\\:");
    return pos == std::string_view::npos ? 0 : pos + 1;
}
} // namespace

std::string ExtractFilePath(std::string_view name) {
    return std::string(name.substr(0, FolderEnd(name)));
}

std::string ExtractFileName(std::string_view name) {
    return std::string(name.substr(FolderEnd(name)));
}

std::string ExtractFileExt(std::string_view name) {
    const std::size_t folderEnd = FolderEnd(name);
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos || dot < folderEnd)
        return {};
    return std::string(name.substr(dot));
}

std::string ChangeFileExt(std::string_view name, std::string_view ext) {
    const std::size_t folderEnd = FolderEnd(name);
    std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos || dot < folderEnd)
        dot = name.size();
    std::string out(name.substr(0, dot));
    out.append(ext);
    return out;
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
                         std::uintmax_t maxBytes, TTooLargeHandler tooLarge) {
    // A file that opens but cannot be read (a folder, on some systems) fails as one that does not open.
    char chunk[65536];
    std::size_t got = std::fread(chunk, 1, sizeof chunk, file);
    if (std::ferror(file))
        throw EFOpenError(Format(SFOpenError, fileName));
    if (size && *size > maxBytes && tooLarge)
        tooLarge(*size);
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

std::string ReadWholeFile(const std::string& fileName, std::uintmax_t maxBytes, TTooLargeHandler tooLarge) {
    File file(std::fopen(fileName.c_str(), "rb"));
    if (!file)
        throw EFOpenError(Format(SFOpenError, fileName));
    const std::optional<std::uintmax_t> size = SizeOf(file.get());
    try {
        return ReadOpenFile(file.get(), fileName, size, maxBytes, tooLarge);
    } catch (const std::bad_alloc&) {
        if (tooLarge)
            tooLarge(size.value_or(0));
        throw;
    } catch (const std::length_error&) {
        if (tooLarge)
            tooLarge(size.value_or(0));
        throw;
    }
}

} // namespace rtl
