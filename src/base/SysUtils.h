#pragma once
// Platform-free runtime: exceptions with message texts, the runtime library's message texts,
// string and file-name helpers. Texts are Windows-1252 bytes.
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

// The general exception class: every failure the program reports carries a message text.
class Exception : public std::exception {
  public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }

  private:
    std::string message_;
};

class EConvertError : public Exception {
    using Exception::Exception;
};
class EInOutError : public Exception {
    using Exception::Exception;
};
class EFOpenError : public Exception {
    using Exception::Exception;
};
class EFCreateError : public Exception {
    using Exception::Exception;
};
class ERegistryException : public Exception {
    using Exception::Exception;
};
class EInvalidOperation : public Exception {
    using Exception::Exception;
};

// The printer layer's failure: no printer, or the printer refused a job step or a query.
class EPrinter : public Exception {
    using Exception::Exception;
};

namespace rtl {

// The runtime library's own message texts (German, as the runtime reports them).
inline constexpr const char* SFOpenError = "Datei %s kann nicht geöffnet werden";
inline constexpr const char* SFCreateError = "Datei %s kann nicht erstellt werden";
inline constexpr const char* SInvalidFileName = "Ungültiger Dateiname - %s";
inline constexpr const char* SRegCreateFailed = "Erzeugung von Schlüssel %s misslungen";
inline constexpr const char* SRegSetDataFailed = "Konnte Daten für '%s' nicht setzen";
inline constexpr const char* SRegGetDataFailed = "Konnte Daten für '%s' nicht holen";
inline constexpr const char* SInvalidRegType = "Ungültiger Datentyp für '%s'";
inline constexpr const char* SMsgDlgInformation = "Information";
inline constexpr const char* SOutOfMemory = "Zu wenig Arbeitsspeicher";
inline constexpr const char* SInternalError = "Interner Fehler";

// Replaces each "%s" of the format by the argument, and "%%" by "%".
std::string Format(std::string_view format, std::string_view arg);

// The text the default exception handler shows: a period is appended when the last
// character sorts above "." (as unsigned bytes).
std::string MessageWithPeriod(std::string_view message);

// The message of an exception as the user may read it: the program's own exceptions carry their
// text; the C++ library's (in its own words) become the runtime's out-of-memory or internal error.
std::string ExceptionText(const std::exception& e);

// Removes leading and trailing characters with codes up to 32.
std::string Trim(std::string_view s);
std::string UpperCase(std::string_view s);             // ASCII letters only
std::string LowerCase(std::string_view s);             // ASCII letters only
bool SameText(std::string_view a, std::string_view b); // ASCII case-insensitive
int CompareText(std::string_view a, std::string_view b);

std::string IntToStr(std::int64_t value);
// Optionally signed decimal, or hexadecimal digits after a leading "$" (sign before "$" allowed);
// nothing else, no blanks; empty when the text is not a 32-bit number.
std::optional<std::int32_t> TryStrToInt(std::string_view s);
std::int32_t StrToIntDef(std::string_view s, std::int32_t fallback);

// File names: the folder part runs up to and including the last '\' or ':'.
std::string ExtractFilePath(std::string_view name);
std::string ExtractFileName(std::string_view name);
// From the last '.' of the name part, dot included; empty when there is none.
std::string ExtractFileExt(std::string_view name);
// Replaces the extension (or appends when there is none).
std::string ChangeFileExt(std::string_view name, std::string_view ext);

// Raises the caller's error for a file of `size` bytes that is too large to read.
using TTooLargeHandler = void (*)(std::uintmax_t size);
// The bytes of the file; EFOpenError "Datei %s kann nicht geöffnet werden" when it cannot be opened or
// read. A file of more than maxBytes, or more than memory takes, goes to `tooLarge` when one is given.
std::string ReadWholeFile(const std::string& fileName, std::uintmax_t maxBytes = UINTMAX_MAX,
                          TTooLargeHandler tooLarge = nullptr);

} // namespace rtl
