#include "ProductText_core.h"

#include "PathText_core.h"

#include <cstdio>

namespace standin {

std::string compiledUnitText(const Module& unit) {
    return "Tarnwick stand-in compiled unit " + upperCase(unit.name) + " from " + unit.sourceName + ", " +
           std::to_string(unit.lines.value_or(0)) + " lines\r\n";
}

std::string detailedMapText(const std::string& productName, const std::vector<Module>& modules) {
    std::string text = "Tarnwick stand-in detailed map of " + productName + "\r\n\r\n";
    text += " Start         Length     Name                   Class\r\n";
    text += " 0001:00000000 00000000H .text                   CODE\r\n";
    text += " 0002:00000000 00000000H .data                   DATA\r\n\r\n";
    text += "Detailed map of modules\r\n\r\n";
    char row[512];
    for (const Module& module : modules) {
        const std::string lines = module.lines ? std::to_string(*module.lines) : std::string("(from .dcu)");
        std::snprintf(row, sizeof row, " M=%-24s %-32s %s\r\n", upperCase(module.name).c_str(),
                      module.sourceName.c_str(), lines.c_str());
        text += row;
    }
    return text;
}

} // namespace standin
