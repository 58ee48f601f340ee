#include "output/SourceView_core.h"

#include "base/SysUtils.h"

#include <algorithm>

namespace sourceview {
namespace {

bool IsDelimiter(char c) {
    return c == '\\' || c == '/' || c == ':';
}

bool IsRooted(std::string_view path) {
    return (!path.empty() && (path[0] == '\\' || path[0] == '/')) || (path.size() >= 2 && path[1] == ':');
}

std::string WithDelimiter(std::string folder) {
    if (!folder.empty() && !IsDelimiter(folder.back()))
        folder += '\\';
    return folder;
}

std::string Grouped(std::uintmax_t value) {
    std::string digits = std::to_string(value);
    for (std::size_t i = digits.size(); i > 3; i -= 3)
        digits.insert(i - 3, ",");
    return digits;
}

// Whether the bytes from `at` start a well-formed UTF-8 sequence of more than one byte; its length.
std::size_t Utf8SequenceAt(std::string_view s, std::size_t at) {
    const auto byte = [&s](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(at);
    const std::size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || at + length > s.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
    return length;
}

// Carries the size of a file too large to read out of the runtime's reader to ReadSource.
struct TTooLarge {
    std::uintmax_t size;
};

} // namespace

std::string ReadSource(const std::string& path) {
    try {
        return rtl::ReadWholeFile(path, kMaxSourceBytes, [](std::uintmax_t size) { throw TTooLarge{size}; });
    } catch (const TTooLarge& tooLarge) {
        throw Exception(TooLargeMessage(path, tooLarge.size));
    } catch (const EFOpenError&) {
        throw Exception(UnreadableMessage(path));
    }
}

std::vector<std::string> SearchFolders(std::string_view searchPath, const std::string& projectFolder) {
    std::vector<std::string> folders;
    std::size_t start = 0;
    while (start <= searchPath.size()) {
        const std::size_t end = std::min(searchPath.find(';', start), searchPath.size());
        std::string entry = rtl::Trim(searchPath.substr(start, end - start));
        entry.erase(std::remove(entry.begin(), entry.end(), '"'), entry.end());
        entry = rtl::Trim(entry);
        if (!entry.empty())
            folders.push_back(WithDelimiter(IsRooted(entry) ? entry : projectFolder + entry));
        start = end + 1;
    }
    return folders;
}

TLocation Locate(std::string_view fileName, const std::string& projectFolder,
                 const std::vector<std::string>& searchFolders, const TListFolder& list) {
    TLocation location;
    const std::string folderPart = rtl::ExtractFilePath(fileName);
    const std::string namePart = rtl::ExtractFileName(fileName);
    if (!folderPart.empty())
        location.searched.push_back(IsRooted(folderPart) ? folderPart : projectFolder + folderPart);
    else {
        location.searched.push_back(projectFolder);
        location.searched.insert(location.searched.end(), searchFolders.begin(), searchFolders.end());
    }
    if (namePart.empty())
        return location;
    for (const std::string& folder : location.searched) {
        const std::vector<std::string> names = list(folder);
        const auto found = std::find_if(names.begin(), names.end(), [&namePart](const std::string& name) {
            return rtl::SameText(name, namePart);
        });
        if (found != names.end()) {
            location.path = folder + *found;
            return location;
        }
    }
    return location;
}

std::string NotFoundMessage(std::string_view fileName, const std::vector<std::string>& searched) {
    std::string text = "The source file " + std::string(fileName) + " was not found. Looked in: ";
    for (std::size_t i = 0; i < searched.size(); ++i)
        text += (i ? ", " : "") + (searched[i].empty() ? std::string("the current folder") : searched[i]);
    return text;
}

std::string UnreadableMessage(const std::string& path) {
    return "The source file " + path +
           " cannot be read: it was moved or deleted, or another program holds it.";
}

std::string TooLargeMessage(const std::string& path, std::uintmax_t size) {
    return "The source file " + path + " is too large to show: " + Grouped(size) + " bytes.";
}

std::string NoFileMessage() {
    return "This line names no source file.";
}

std::string Caption(std::string_view fileName, std::int64_t line) {
    return rtl::ExtractFileName(fileName) + " (" + std::to_string(line) + ")";
}

int TargetLine(std::int64_t line, int lineCount) {
    if (lineCount <= 0 || line <= 1)
        return 0;
    return static_cast<int>(std::min<std::int64_t>(line, lineCount) - 1);
}

std::size_t TargetColumn(std::int64_t column, std::size_t lineLength) {
    if (column <= 1)
        return 0;
    return static_cast<std::size_t>(
        std::min<std::uint64_t>(static_cast<std::uint64_t>(column) - 1, lineLength));
}

TDetected DetectEncoding(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        return {TEncoding::Utf8, 3};
    if (bytes.substr(0, 2) == "\xFF\xFE")
        return {TEncoding::Utf16Le, 2};
    if (bytes.substr(0, 2) == "\xFE\xFF")
        return {TEncoding::Utf16Be, 2};
    bool multiByte = false;
    for (std::size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = Utf8SequenceAt(bytes, i);
        if (length == 0)
            return {};
        multiByte = true;
        i += length;
    }
    return {multiByte ? TEncoding::Utf8 : TEncoding::CodePage, 0};
}

} // namespace sourceview
