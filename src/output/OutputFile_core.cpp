#include "output/OutputFile_core.h"

#include "base/SysUtils.h"

#include <cstdio>
#include <memory>

namespace outputfile {

std::string OutputFileName(std::string_view projectFileName) {
    return rtl::ExtractFilePath(projectFileName) + kOutputFileName;
}

std::string ReadWholeFile(const std::string& fileName) {
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file(std::fopen(fileName.c_str(), "rb"));
    if (!file)
        throw EFOpenError(rtl::Format(rtl::SFOpenError, fileName));
    // A file that opens but cannot be read (a folder, on some systems) fails the same way.
    char chunk[65536];
    std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
    if (std::ferror(file.get()))
        throw EFOpenError(rtl::Format(rtl::SFOpenError, fileName));
    std::string content(chunk, got);
    if (got == sizeof chunk) {
        // One allocation of the file's size; a file still growing is read on to its end.
        const long position = std::ftell(file.get());
        if (position > 0 && std::fseek(file.get(), 0, SEEK_END) == 0) {
            const long size = std::ftell(file.get());
            std::fseek(file.get(), position, SEEK_SET);
            if (size > position)
                content.reserve(static_cast<std::size_t>(size));
        }
        while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
            content.append(chunk, got);
    }
    return content;
}

std::string WithoutFinalLineBreak(std::string text) {
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
        text.resize(text.size() - 2);
    else if (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}

} // namespace outputfile
