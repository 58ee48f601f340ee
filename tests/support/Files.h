#pragma once
// File helpers every test program shares; platform-free.
#include <string>

namespace support {

// The file's bytes as they are; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);

} // namespace support
