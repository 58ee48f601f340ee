#pragma once
// A value of the Delphi 3 library settings (HKCU\Software\Borland\Delphi\3.0\Library), such as the unit
// search path "SearchPath" that the compiler configuration file also gets; empty when it cannot be read.
#include <string>

std::string DelphiLibraryValue(const std::string& name);
