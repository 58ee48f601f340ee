#include "prefs/Placemnt.h"

#include "base/SysUtils.h"
#include "win/Forms.h"
#include "win/Handles.h"

namespace {
std::string ExecutableBaseName() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = rtl::ExtractFileName(path);
    return rtl::ChangeFileExt(name, "");
}
} // namespace

TFormStorage::TFormStorage(TForm* owner, std::string section)
    : TComponent(owner), form_(owner), section_(std::move(section)) {}

TFormStorage::~TFormStorage() = default;

std::string TFormStorage::KeyPath() const { return "Software\\" + ExecutableBaseName() + "\\" + section_; }

void TFormStorage::Loaded() {
    auto ownShow = form_->OnShow;
    form_->OnShow = [this, ownShow](TComponent* sender) {
        try {
            LoadPlacement();
        } catch (const std::exception& e) {
            ShowUnhandledException(e);
        }
        if (ownShow)
            ownShow(sender);
    };
    auto ownCloseQuery = form_->OnCloseQuery;
    form_->OnCloseQuery = [this, ownCloseQuery](TComponent* sender, bool& canClose) {
        if (ownCloseQuery)
            ownCloseQuery(sender, canClose);
        if (canClose) {
            try {
                SavePlacement();
            } catch (const std::exception& e) {
                ShowUnhandledException(e);
            }
        }
    };
    auto ownDestroy = form_->OnDestroy;
    form_->OnDestroy = [this, ownDestroy](TComponent* sender) {
        if (!saved_) {
            try {
                SavePlacement();
            } catch (const std::exception& e) {
                ShowUnhandledException(e);
            }
        }
        if (ownDestroy)
            ownDestroy(sender);
    };
}

void TFormStorage::LoadPlacement() {
    saved_ = false;
    restored_ = true;
    if (OnRestorePlacement)
        OnRestorePlacement(this);
}

void TFormStorage::SavePlacement() {
    if (!restored_)
        return;
    if (OnSavePlacement)
        OnSavePlacement(this);
    saved_ = true;
}

int TFormStorage::LoadInteger(const std::string& name, int fallback) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath().c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return fallback;
    RegKey owned(key);
    char buffer[64] = {};
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return fallback;
    std::string text(buffer);
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text = "$" + text.substr(2);
    return rtl::StrToIntDef(text, fallback);
}

void TFormStorage::StoreInteger(const std::string& name, int value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        throw ERegistryException(rtl::Format(rtl::SRegCreateFailed, section_));
    RegKey owned(key);
    const std::string text = std::to_string(value);
    if (RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1)) != ERROR_SUCCESS)
        throw ERegistryException(rtl::Format(rtl::SRegSetDataFailed, name));
}
