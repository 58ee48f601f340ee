#pragma once
// Runs the stand-in compiler in throw-away folders, directly or through a batch file as the front
// end does, and looks at what it left.
#include "support/Files.h"
#include "win/Files.h"

#include <windows.h>

#include <string>

namespace standin_harness {

std::string dcc32Path();                              // the build's bin\standin\dcc32.exe
std::string examplePath(const std::string& relative); // a file below the repository's examples

// A fresh folder below the temporary folder, removed with everything in it at the end.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; } // ends with a backslash
    std::string operator/(const std::string& name) const { return path_ + name; }

  private:
    std::string path_;
};

struct ProcessRun {
    DWORD exitCode = 0;
    std::string output; // standard output and standard error
    DWORD elapsedMilliseconds = 0;
};

// Starts the command line in the folder with its output going into a file, and waits for its end.
ProcessRun runProcess(const std::string& commandLine, const std::string& folder);
ProcessRun runDcc32(const std::string& arguments, const std::string& folder,
                    const std::string& dcc32 = dcc32Path());
// Writes "compile.bat" with the one line into the folder, runs it through the command interpreter
// and returns what it redirected into "output.txt".
std::string runBatch(const std::string& line, const std::string& folder);

void writeFile(const std::string& path, const std::string& text);
void copyFile(const std::string& from, const std::string& to);
void makeFolder(const std::string& path);
void removeTree(const std::string& path);
std::string shortPathOf(const std::string& path);
// Sets the file's last write time that many seconds into the past.
void ageFile(const std::string& path, int seconds);

} // namespace standin_harness
