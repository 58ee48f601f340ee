#pragma once
// The text products: a compiled unit (.dcu) and the detailed map file (.map). Neither is what
// Delphi writes; they only have to exist and tell a reader what was compiled.
#include <optional>
#include <string>
#include <vector>

namespace standin {

struct Module {
    std::string name;         // as the header or the uses clause names it
    std::string sourceName;   // the source file's name part
    std::optional<int> lines; // empty when taken from an up-to-date .dcu
};

std::string compiledUnitText(const Module& unit);
std::string detailedMapText(const std::string& productName, const std::vector<Module>& modules);

} // namespace standin
