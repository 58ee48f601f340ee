#pragma once
// The compiler's output file as the output window reads it: found beside the project, read in one go.
#include "base/SysUtils.h"

#include <cstdint>
#include <string>
#include <string_view>

// An output file larger than the program can hold in memory.
class EOutputTooLarge : public Exception {
    using Exception::Exception;
};

namespace outputfile {

// The largest output the window loads: the program's 32-bit address space holds the file, the memo's
// copy and its line index, so 1 GB and more fails where 300 MB loads well.
inline constexpr std::uintmax_t kMaxShowableBytes = 512u * 1024u * 1024u;

// "The compiler output is too large to show: 1,288,490,188 bytes."
std::string TooLargeMessage(std::uintmax_t size);

inline constexpr const char* kOutputFileName = "output.txt";

// "output.txt" in the folder of the project file: everything up to and including the last '\' or ':'
// of the name; just "output.txt" (the current folder) when the name has no folder.
std::string OutputFileName(std::string_view projectFileName);

// The bytes of the file; EFOpenError "Datei %s kann nicht geöffnet werden" when it cannot be opened,
// EOutputTooLarge when it holds more than maxBytes or more than memory takes.
std::string ReadWholeFile(const std::string& fileName, std::uintmax_t maxBytes = kMaxShowableBytes);

// A text file's lines end with their line breaks, so the break after the last line (CR LF, CR or LF)
// starts no further, empty line: it is dropped.
std::string WithoutFinalLineBreak(std::string text);

} // namespace outputfile
