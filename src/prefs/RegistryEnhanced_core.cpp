#include "prefs/RegistryEnhanced_core.h"

#include "base/SysUtils.h"

#include <algorithm>
#include <vector>

namespace registryenhanced {

std::uint32_t RootKeyValue(TRootKey root) {
    switch (root) {
    case TRootKey::hkClassesRoot:
        return 0x80000000u;
    case TRootKey::hkCurrentConfig:
        return 0x80000005u;
    case TRootKey::hkCurrentUser:
        return 0x80000001u;
    case TRootKey::hkDynData:
        return 0x80000006u;
    case TRootKey::hkLocalMachine:
        return 0x80000002u;
    case TRootKey::hkUsers:
        return 0x80000003u;
    }
    return 0x80000001u;
}

std::uint32_t AccessMask(TAccess access) {
    constexpr std::uint32_t keyRead = 0x20019u; // also KEY_EXECUTE: the same bits
    switch (access) {
    case TAccess::kRead:
    case TAccess::kExecute:
        return keyRead;
    case TAccess::kWrite:
        return 0x20006u;
    case TAccess::kAllAccess:
        return 0xF003Fu;
    }
    return keyRead;
}

TMessageTexts MessageTexts(TLangType lang) {
    if (lang == TLangType::ltEnglish)
        return {"Too much entries.", "Unknown data type."};
    return {"Trop d'entrées.", "Type de donnée inconnu."};
}

void TBrkApart::SetBaseString(std::string value) {
    baseString_ = std::move(value);
    BreakApart();
}

void TBrkApart::SetBreakString(std::string value) {
    breakString_ = std::move(value);
    BreakApart();
}

void TBrkApart::SetAllowEmptyString(bool value) {
    allowEmptyString_ = value;
    BreakApart();
}

void TBrkApart::BreakApart() {
    stringList_.Clear();
    const auto addPiece = [this](std::string piece) {
        if (!piece.empty() || allowEmptyString_)
            stringList_.Add(std::move(piece));
    };
    if (breakString_.empty()) {
        addPiece(baseString_);
        return;
    }
    std::size_t start = 0;
    for (std::size_t at = baseString_.find(breakString_); at != std::string::npos;
         at = baseString_.find(breakString_, start)) {
        addPiece(baseString_.substr(start, at - start));
        start = at + breakString_.size();
    }
    addPiece(baseString_.substr(start));
}

std::string NormaliseKey(const std::string& key) {
    std::string result = key;
    if (!result.empty() && result.back() == '\\')
        result.pop_back();
    if (result.size() > 1 && result.front() == '\\')
        result.erase(0, 1);
    return result;
}

TValuePath SplitValueName(const std::string& name) {
    TBrkApart splitter;
    splitter.SetBreakString("\\");
    splitter.SetBaseString(name);
    const TStringList& pieces = splitter.StringList();
    if (pieces.Count() < 2)
        return {"", name};
    TValuePath result;
    for (int i = 0; i + 1 < pieces.Count(); ++i)
        result.pathPart += "\\" + pieces[i];
    result.valueName = pieces[pieces.Count() - 1];
    return result;
}

std::string FullKeyPath(const std::string& key, const std::string& name) {
    return "\\" + NormaliseKey(key) + SplitValueName(name).pathPart;
}

namespace {

[[noreturn]] void RaiseGetDataFailed(const std::string& valueName) {
    throw ERegistryException(rtl::Format(rtl::SRegGetDataFailed, valueName));
}

[[noreturn]] void RaiseInvalidType(const std::string& valueName) {
    throw ERegistryException(rtl::Format(rtl::SInvalidRegType, valueName));
}

std::string ReadString(TRegistryAccess& registry, const std::string& valueName, std::uint32_t size) {
    if (size == 0)
        return {};
    std::vector<std::uint8_t> data(size);
    const auto read = registry.ReadData(valueName, data);
    if (!read)
        RaiseGetDataFailed(valueName);
    if (read->type != regSz && read->type != regExpandSz)
        RaiseInvalidType(valueName);
    const auto end = data.begin() + std::min<std::size_t>(read->size, data.size());
    return std::string(data.begin(), std::find(data.begin(), end, std::uint8_t{0}));
}

std::int32_t LittleEndianInt(std::span<const std::uint8_t> bytes) {
    std::uint32_t value = 0;
    const std::size_t count = std::min<std::size_t>(bytes.size(), 4);
    for (std::size_t i = 0; i < count; ++i)
        value |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    return static_cast<std::int32_t>(value);
}

std::int32_t ReadDword(TRegistryAccess& registry, const std::string& valueName) {
    std::uint8_t data[4] = {};
    const auto read = registry.ReadData(valueName, data);
    if (!read)
        RaiseGetDataFailed(valueName);
    if (read->type != regDword)
        RaiseInvalidType(valueName);
    return LittleEndianInt(std::span<const std::uint8_t>(data, std::min<std::size_t>(read->size, 4)));
}

std::int32_t ReadBinary(TRegistryAccess& registry, const std::string& valueName, std::uint32_t size,
                        std::span<std::uint8_t> buffer) {
    if (size > buffer.size())
        RaiseInvalidType(valueName);
    const auto read = registry.ReadData(valueName, buffer.first(size));
    if (!read)
        RaiseGetDataFailed(valueName);
    if (read->type != regBinary)
        RaiseInvalidType(valueName);
    // Only the bytes this read delivered count: the buffer may still hold an earlier value's data.
    return LittleEndianInt(buffer.first(std::min<std::size_t>(read->size, size)));
}

} // namespace

void ReadValue(TRegistryAccess& registry, const TReadRequest& request, std::span<std::uint8_t> binaryBuffer,
               TVariant& result) {
    if (request.key.empty())
        return;
    const std::string path = FullKeyPath(request.key, request.name).substr(1);
    const std::uint32_t mask = AccessMask(request.access) | (request.view32 ? kWow64_32Key : 0u);
    if (!registry.OpenKey(RootKeyValue(request.rootKey), path, mask))
        return;
    const std::string valueName = SplitValueName(request.name).valueName;
    const auto info = registry.QueryValueInfo(valueName);
    if (!info) {
        result = std::monostate{};
        return;
    }
    switch (info->type) {
    case regSz:
    case regExpandSz:
        result = ReadString(registry, valueName, info->size);
        break;
    case regDword:
        result = ReadDword(registry, valueName);
        break;
    case regBinary:
        result = ReadBinary(registry, valueName, info->size, binaryBuffer);
        break;
    default:
        result = std::monostate{};
        break;
    }
}

} // namespace registryenhanced
