#pragma once
// Platform-free rules of the process launcher: its enumerations and exceptions, the message table
// shared by every launcher, the working-folder rule, the command line and the process creation values.
#include "base/Classes.h"
#include "base/SysUtils.h"
#include "base/Types.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Every failure of the launcher; callers catch this class to catch all of them.
class EAppExec : public Exception {
    using Exception::Exception;
};
// Changing to the launcher's working folder failed; the process was not started.
class EAppExecChDir : public EAppExec {
    using EAppExec::EAppExec;
};
// The process could not be started, or its state could not be read.
class EAppExecWinExec : public EAppExec {
    using EAppExec::EAppExec;
};

namespace appexec {

enum class TLangType { ltFrench, ltEnglish, ltItalian };
enum class TPriorClass { pcHigh, pcIdle, pcNormal, pcRealtime };

// CreateProcessA takes at most 32767 characters including the terminating zero.
inline constexpr std::size_t kMaxCommandLineLength = 32766;
inline constexpr const char* SCommandLineTooLong = "The command line is longer than 32766 characters";

// Refills the message table shared by all launchers with the texts of that language; any other
// value leaves the table as it is. The table holds the French texts until the first call.
void LoadMessageTable(TLangType language);

// The table's text for a system error code: codes of 32 and above share one text ("No error");
// codes without a text and negative codes give "".
std::string ErrorText(std::int32_t code);

// The working folder as it is stored: one trailing backslash is removed, except from a lone
// backslash and from a drive root such as "C:\".
std::string NormaliseExePath(std::string_view path);

// The program name followed by each parameter after one blank, nothing quoted. A line longer than
// kMaxCommandLineLength raises EAppExecWinExec: cutting it would start a different command.
std::string BuildCommandLine(std::string_view exeName, const TStringList& params);

// The priority class flag (NORMAL_PRIORITY_CLASS for an unknown value) plus CREATE_NEW_CONSOLE.
std::uint32_t CreationFlags(TPriorClass priority);

// SW_SHOWNORMAL, SW_SHOWMINIMIZED or SW_SHOWMAXIMIZED; an unknown state shows normally.
int ShowCommand(TWindowState state);

} // namespace appexec
