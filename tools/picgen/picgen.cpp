// picgen: turns a text picture into a Windows bitmap, icon or cursor file.
//
//   picgen <picture.txt> <output file>
//
// A picture file holds, one statement a line ("#" starts a comment line):
//   format bmp4|bmp24|ico|cur   what to write: a 16-colour or 24-bit bitmap, an icon, a cursor
//   hotspot X Y                 the cursor's hot spot (cursors only)
//   colour C RRGGBB             the character C stands for that colour
//   colour C none               C is transparent (icons and cursors only)
//   image W H                   followed by H rows of W characters, top row first
// The hexadecimal digits 0-9, A-F stand for the colours of the standard 16-colour palette unless a
// "colour" line says otherwise. A bitmap has one image; an icon or a cursor one image per size.
// 16-colour bitmaps, icons and cursors use the standard palette, so every colour must be one of it;
// icons and cursors that are only black and white are written with one bit per pixel.
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr std::array<std::uint32_t, 16> standardPalette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

struct Image {
    int width = 0;
    int height = 0;
    // Colours as 0xRRGGBB, rows top down; empty for a transparent pixel.
    std::vector<std::optional<std::uint32_t>> pixels;
    std::optional<std::uint32_t> At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y * width + x)];
    }
};

struct Picture {
    std::string format;
    int hotspotX = 0;
    int hotspotY = 0;
    std::vector<Image> images;
};

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
    throw std::runtime_error(where + ": " + what);
}

// What a whole picture file must hold once every statement is read.
void Validate(const Picture& picture, const std::string& fileName) {
    if (picture.format.empty())
        Fail(fileName, "no format");
    if (picture.images.empty())
        Fail(fileName, "no image");
    if (picture.format.starts_with("bmp")) {
        if (picture.images.size() != 1)
            Fail(fileName, "a bitmap has exactly one image");
        for (const auto& pixel : picture.images[0].pixels)
            if (!pixel)
                Fail(fileName, "a bitmap has no transparent pixels; give the background a colour");
    }
    if (picture.format == "cur" &&
        (picture.hotspotX < 0 || picture.hotspotY < 0 || picture.hotspotX >= picture.images[0].width ||
         picture.hotspotY >= picture.images[0].height))
        Fail(fileName, "the hot spot lies outside the cursor");
}

Picture Parse(const std::string& fileName) {
    std::ifstream in(fileName);
    if (!in)
        Fail(fileName, "cannot be opened");
    std::map<char, std::optional<std::uint32_t>> colours;
    for (int i = 0; i < 16; ++i)
        colours["0123456789ABCDEF"[i]] = standardPalette[static_cast<std::size_t>(i)];

    Picture picture;
    std::string line;
    int lineNo = 0;
    const auto where = [&] { return fileName + ":" + std::to_string(lineNo); };
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        std::string keyword;
        words >> keyword;
        if (keyword == "format") {
            words >> picture.format;
            if (picture.format != "bmp4" && picture.format != "bmp24" && picture.format != "ico" &&
                picture.format != "cur")
                Fail(where(), "unknown format " + picture.format);
        } else if (keyword == "hotspot") {
            if (!(words >> picture.hotspotX >> picture.hotspotY))
                Fail(where(), "hotspot needs X and Y");
        } else if (keyword == "colour") {
            std::string ch;
            std::string value;
            if (!(words >> ch >> value) || ch.size() != 1)
                Fail(where(), "colour needs one character and a value");
            if (value == "none")
                colours[ch[0]] = std::nullopt;
            else if (value.size() == 6 &&
                     value.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos)
                colours[ch[0]] = static_cast<std::uint32_t>(std::stoul(value, nullptr, 16));
            else
                Fail(where(), "colour value must be RRGGBB or none");
        } else if (keyword == "image") {
            Image image;
            if (!(words >> image.width >> image.height) || image.width <= 0 || image.height <= 0 ||
                image.width > 256 || image.height > 256)
                Fail(where(), "image needs a width and a height from 1 to 256");
            for (int y = 0; y < image.height; ++y) {
                ++lineNo;
                if (!std::getline(in, line))
                    Fail(where(), "missing picture row");
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                if (static_cast<int>(line.size()) != image.width)
                    Fail(where(), "row must have " + std::to_string(image.width) + " characters");
                for (char c : line) {
                    const auto it = colours.find(c);
                    if (it == colours.end())
                        Fail(where(), std::string("no colour for '") + c + "'");
                    image.pixels.push_back(it->second);
                }
            }
            picture.images.push_back(std::move(image));
        } else {
            Fail(where(), "unknown statement " + keyword);
        }
    }
    Validate(picture, fileName);
    return picture;
}

class Bytes {
  public:
    void U8(unsigned v) { data_.push_back(static_cast<std::uint8_t>(v)); }
    void U16(unsigned v) {
        U8(v & 0xFF);
        U8((v >> 8) & 0xFF);
    }
    void U32(std::uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void Append(const Bytes& other) { data_.insert(data_.end(), other.data_.begin(), other.data_.end()); }
    std::size_t Size() const { return data_.size(); }
    const std::vector<std::uint8_t>& Data() const { return data_; }

  private:
    std::vector<std::uint8_t> data_;
};

int RowBytes(int width, int bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

int PaletteIndex(std::uint32_t colour, const std::string& fileName) {
    for (std::size_t i = 0; i < standardPalette.size(); ++i)
        if (standardPalette[i] == colour)
            return static_cast<int>(i);
    char hex[8];
    std::snprintf(hex, sizeof hex, "%06X", colour);
    Fail(fileName, std::string("colour ") + hex + " is not in the standard 16-colour palette");
}

// The header, palette and bottom-up pixel rows of one device-independent bitmap. Icons and cursors
// double the height and follow the colour rows with the transparency mask.
Bytes DibBits(const Image& image, int bitsPerPixel, bool withMask, const std::string& fileName) {
    const int colourRow = RowBytes(image.width, bitsPerPixel);
    const int maskRow = RowBytes(image.width, 1);
    const int paletteSize = bitsPerPixel == 24 ? 0 : 1 << bitsPerPixel;
    const std::uint32_t imageSize =
        static_cast<std::uint32_t>(colourRow * image.height + (withMask ? maskRow * image.height : 0));
    Bytes out;
    out.U32(40);
    out.U32(static_cast<std::uint32_t>(image.width));
    out.U32(static_cast<std::uint32_t>(withMask ? image.height * 2 : image.height));
    out.U16(1);
    out.U16(static_cast<unsigned>(bitsPerPixel));
    out.U32(0); // no compression
    out.U32(imageSize);
    out.U32(withMask ? 0 : 3780); // 96 pixels per inch
    out.U32(withMask ? 0 : 3780);
    out.U32(withMask ? 0 : static_cast<std::uint32_t>(paletteSize));
    out.U32(0);
    if (bitsPerPixel == 1) {
        out.U32(0x000000);
        out.U32(0xFFFFFF);
    } else if (bitsPerPixel == 4) {
        for (std::uint32_t c : standardPalette)
            out.U32(c); // stored as blue, green, red, 0: the same bytes as 0x00RRGGBB little-endian
    }
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(colourRow), 0);
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t colour = image.At(x, y).value_or(0);
            if (bitsPerPixel == 24) {
                row[static_cast<std::size_t>(x * 3)] = colour & 0xFF;
                row[static_cast<std::size_t>(x * 3 + 1)] = (colour >> 8) & 0xFF;
                row[static_cast<std::size_t>(x * 3 + 2)] = (colour >> 16) & 0xFF;
            } else if (bitsPerPixel == 4) {
                const int index = PaletteIndex(colour, fileName);
                row[static_cast<std::size_t>(x / 2)] |= static_cast<std::uint8_t>(x % 2 ? index : index << 4);
            } else if (colour == 0xFFFFFF) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        for (std::uint8_t b : row)
            out.U8(b);
    }
    if (withMask) {
        for (int y = image.height - 1; y >= 0; --y) {
            std::vector<std::uint8_t> row(static_cast<std::size_t>(maskRow), 0);
            for (int x = 0; x < image.width; ++x)
                if (!image.At(x, y))
                    row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            for (std::uint8_t b : row)
                out.U8(b);
        }
    }
    return out;
}

Bytes Bitmap(const Picture& picture, const std::string& fileName) {
    const Bytes dib = DibBits(picture.images[0], picture.format == "bmp4" ? 4 : 24, false, fileName);
    const std::uint32_t bitsOffset = 14 + 40 + (picture.format == "bmp4" ? 64 : 0);
    Bytes out;
    out.U8('B');
    out.U8('M');
    out.U32(static_cast<std::uint32_t>(14 + dib.Size()));
    out.U32(0);
    out.U32(bitsOffset);
    out.Append(dib);
    return out;
}

bool BlackAndWhite(const Image& image) {
    for (const auto& pixel : image.pixels)
        if (pixel && *pixel != 0x000000 && *pixel != 0xFFFFFF)
            return false;
    return true;
}

Bytes IconOrCursor(const Picture& picture, const std::string& fileName) {
    const bool cursor = picture.format == "cur";
    std::vector<Bytes> dibs;
    std::vector<int> depths;
    for (const Image& image : picture.images) {
        depths.push_back(BlackAndWhite(image) ? 1 : 4);
        dibs.push_back(DibBits(image, depths.back(), true, fileName));
    }
    Bytes out;
    out.U16(0);
    out.U16(cursor ? 2 : 1);
    out.U16(static_cast<unsigned>(picture.images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * picture.images.size());
    for (std::size_t i = 0; i < picture.images.size(); ++i) {
        const Image& image = picture.images[i];
        out.U8(image.width == 256 ? 0 : static_cast<unsigned>(image.width));
        out.U8(image.height == 256 ? 0 : static_cast<unsigned>(image.height));
        out.U8(depths[i] == 4 ? 16 : 2);
        out.U8(0);
        // A cursor keeps its hot spot where an icon keeps planes and bits per pixel.
        out.U16(cursor ? static_cast<unsigned>(picture.hotspotX) : 1);
        out.U16(cursor ? static_cast<unsigned>(picture.hotspotY) : static_cast<unsigned>(depths[i]));
        out.U32(static_cast<std::uint32_t>(dibs[i].Size()));
        out.U32(offset);
        offset += static_cast<std::uint32_t>(dibs[i].Size());
    }
    for (const Bytes& dib : dibs)
        out.Append(dib);
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: picgen <picture.txt> <output file>\n";
        return 2;
    }
    try {
        const Picture picture = Parse(argv[1]);
        const Bytes bytes =
            picture.format.starts_with("bmp") ? Bitmap(picture, argv[1]) : IconOrCursor(picture, argv[1]);
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.Data().data()),
                  static_cast<std::streamsize>(bytes.Size()));
        if (!out.flush())
            Fail(argv[2], "cannot be written");
    } catch (const std::exception& e) {
        std::cerr << "picgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
