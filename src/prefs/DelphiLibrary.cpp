#include "prefs/DelphiLibrary.h"

#include "base/SysUtils.h"
#include "base/Types.h"

#include "prefs/RegistryEnhanced.h"
#include "prefs/options_core.h"

std::string DelphiLibraryValue(const std::string& name) {
    TRegistryEnhanced reader;
    reader.SetLangType(registryenhanced::TLangType::ltEnglish);
    reader.SetRootKey(registryenhanced::TRootKey::hkCurrentUser);
    reader.SetKey(options::kDelphiLibraryKey);
    TVariant value;
    try {
        reader.ReadValue(name, value);
    } catch (const ERegistryException&) {
        return std::string();
    }
    return VariantToText(value);
}
