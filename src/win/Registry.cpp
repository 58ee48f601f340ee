#include "win/Registry.h"

#include "win/Handles.h"

#include <vector>

void DeleteKeyTree(HKEY parent, const std::string& name) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_ALL_ACCESS, &raw) != ERROR_SUCCESS)
        return;
    {
        RegKey key(raw);
        std::vector<std::string> children;
        char buffer[256]; // a key name holds at most 255 characters
        for (DWORD index = 0;; ++index) {
            DWORD size = sizeof buffer;
            if (RegEnumKeyExA(key.get(), index, buffer, &size, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            children.emplace_back(buffer, size);
        }
        for (const std::string& child : children)
            DeleteKeyTree(key.get(), child);
    }
    RegDeleteKeyA(parent, name.c_str());
}
