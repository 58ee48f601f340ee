#pragma once
// The compiler's output file as the output window reads it: found beside the project, read in one go.
#include <string>
#include <string_view>

namespace outputfile {

inline constexpr const char* kOutputFileName = "output.txt";

// "output.txt" in the folder of the project file: everything up to and including the last '\' or ':'
// of the name; just "output.txt" (the current folder) when the name has no folder.
std::string OutputFileName(std::string_view projectFileName);

// The bytes of the file; EFOpenError "Datei %s kann nicht geöffnet werden" when it cannot be opened.
std::string ReadWholeFile(const std::string& fileName);

// A text file's lines end with their line breaks, so the break after the last line (CR LF, CR or LF)
// starts no further, empty line: it is dropped.
std::string WithoutFinalLineBreak(std::string text);

} // namespace outputfile
