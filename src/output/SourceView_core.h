#pragma once
// The source view's rules: where the file a problem line names is found, what the view shows of it
// (caption, text, the line and column to go to), and the messages when it cannot be shown.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sourceview {

// The folders of a unit search path as the Delphi 3 library keeps it ("c:\lib;..\common"): split at
// ';', blanks and double quotes around an entry removed, empty entries dropped, each ended by '\'; a
// relative folder is taken from the project's folder.
std::vector<std::string> SearchFolders(std::string_view searchPath, const std::string& projectFolder);

// The names of the files in a folder (no folders, no paths); none when the folder cannot be read.
using TListFolder = std::function<std::vector<std::string>(const std::string& folder)>;

struct TLocation {
    std::optional<std::string> path;   // the file found, its name as the folder spells it
    std::vector<std::string> searched; // the folders looked in, in order
};

// A name with a folder is looked for there (a relative folder below the project's); a bare name in the
// project's folder, then in each search folder. Names are compared without regard to case.
TLocation Locate(std::string_view fileName, const std::string& projectFolder,
                 const std::vector<std::string>& searchFolders, const TListFolder& list);

// "The source file greet.pas was not found. Looked in: c:\projects\hello\, c:\lib\"
std::string NotFoundMessage(std::string_view fileName, const std::vector<std::string>& searched);
// "The source file c:\projects\hello\greet.pas cannot be read: it was moved or deleted, or another
// program holds it."
std::string UnreadableMessage(const std::string& path);
// "The source file c:\big.pas is too large to show: 1,288,490,188 bytes."
std::string TooLargeMessage(const std::string& path, std::uintmax_t size);
// "This line names no source file."
std::string NoFileMessage();

// The largest file the view loads (sources are small; this keeps a mistaken name from filling memory).
inline constexpr std::uintmax_t kMaxSourceBytes = 256u * 1024u * 1024u;

// The file's bytes; Exception with UnreadableMessage or TooLargeMessage when they cannot be had.
std::string ReadSource(const std::string& path);

// "greet.pas (7)": the file's name without its folder and the line as the compiler gave it.
std::string Caption(std::string_view fileName, std::int64_t line);

// The line to select (0-based) for a line number as the compiler gave it (from 1): 0 and less the
// first line, past the end the last.
int TargetLine(std::int64_t line, int lineCount);
// The caret's offset in the line for a column as given (from 1), kept within the line.
std::size_t TargetColumn(std::int64_t column, std::size_t lineLength);

// How a source file's bytes are written. Windows code-page text (the usual for Delphi 3 sources) is
// shown as it is; the others are turned into it first.
enum class TEncoding { CodePage, Utf8, Utf16Le, Utf16Be };
struct TDetected {
    TEncoding encoding = TEncoding::CodePage;
    std::size_t bomLength = 0; // bytes of a byte-order mark at the start, to be skipped
};
// A byte-order mark decides; without one, text with multi-byte UTF-8 sequences and no invalid one is
// UTF-8; everything else (binary files too) is code-page text.
TDetected DetectEncoding(std::string_view bytes);

} // namespace sourceview
