#include "prefs/Placemnt.h"

#include "base/SysUtils.h"
#include "win/Forms.h"
#include "win/Registry.h"

#include <vector>

namespace {
// Opens a section for reading: with all access first, then for reading only.
RegKey OpenSection(HKEY base, const std::string& section) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(base, section.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS)
        return RegKey(key);
    if (RegOpenKeyExA(base, section.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS)
        return RegKey(key);
    return RegKey();
}

// The form as its storage sees it.
class TFormWindow final : public IPlacementWindow {
  public:
    explicit TFormWindow(TForm& form) : form_(form) {}

    placement::TWindowFacts WindowFacts() const override {
        placement::TWindowFacts facts;
        const TForm* mainForm = Application ? Application->MainForm() : nullptr;
        facts.isMainWindow = mainForm == &form_;
        facts.applicationMinimized = mainForm && IsIconic(mainForm->Handle());
        facts.visible = form_.Showing();
        facts.sizeableBorder = form_.BorderStyle() == TBorderStyle::bsSizeable;
        facts.screenCenter = form_.Position() == TPosition::poScreenCenter;
        facts.state = form_.WindowState();
        RECT rc{};
        GetWindowRect(form_.Handle(), &rc);
        facts.left = rc.left;
        facts.top = rc.top;
        facts.width = rc.right - rc.left;
        facts.height = rc.bottom - rc.top;
        if (TWinControl* active = form_.ActiveControl())
            facts.activeControl = active->Name();
        return facts;
    }

    placement::TScreenFacts ScreenFacts() const override {
        placement::TScreenFacts screen;
        screen.width = GetSystemMetrics(SM_CXSCREEN);
        screen.height = GetSystemMetrics(SM_CYSCREEN);
        screen.pixelsPerInch = ScreenPixelsPerInch();
        return screen;
    }

    bool HandleAllocated() const override { return form_.Handle() != nullptr; }

    placement::TPlacementRecord GetPlacement() const override {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        GetWindowPlacement(form_.Handle(), &wp);
        placement::TPlacementRecord record;
        record.flags = static_cast<int>(wp.flags);
        record.showCmd = static_cast<int>(wp.showCmd);
        record.ptMinPosition = {wp.ptMinPosition.x, wp.ptMinPosition.y};
        record.ptMaxPosition = {wp.ptMaxPosition.x, wp.ptMaxPosition.y};
        record.rcNormalPosition = {wp.rcNormalPosition.left, wp.rcNormalPosition.top,
                                   wp.rcNormalPosition.right, wp.rcNormalPosition.bottom};
        return record;
    }

    void SetPlacement(const placement::TPlacementRecord& record) override {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        wp.flags = static_cast<UINT>(record.flags);
        wp.showCmd = static_cast<UINT>(record.showCmd);
        wp.ptMinPosition = {record.ptMinPosition.x, record.ptMinPosition.y};
        wp.ptMaxPosition = {record.ptMaxPosition.x, record.ptMaxPosition.y};
        wp.rcNormalPosition = {record.rcNormalPosition.left, record.rcNormalPosition.top,
                               record.rcNormalPosition.right, record.rcNormalPosition.bottom};
        SetWindowPlacement(form_.Handle(), &wp);
        RECT rc{};
        GetWindowRect(form_.Handle(), &rc);
        form_.SetBounds(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    }

    void UseDesignedPosition() override { form_.SetPosition(TPosition::poDesigned); }
    void SetWindowState(TWindowState state) override { form_.SetWindowState(state); }

    void MinimizeApplication() override {
        if (Application && Application->MainForm())
            PostMessageA(Application->MainForm()->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    }

    void Repaint() override {
        form_.Invalidate();
        form_.Update();
    }

    void ActivateControl(const std::string& name) override {
        if (auto* control = dynamic_cast<TWinControl*>(form_.FindComponent(name)))
            if (control->CanFocus())
                control->SetFocus();
    }

    placement::TPoint FrameSize() const override {
        switch (form_.BorderStyle()) {
        case TBorderStyle::bsSizeable:
            return {GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME)};
        case TBorderStyle::bsDialog:
            return {GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYDLGFRAME)};
        case TBorderStyle::bsSingle:
        default:
            return {GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER)};
        }
    }

  private:
    TForm& form_;
};
} // namespace

bool TRegistrySettingsStore::OpenKey(const std::string& keyPath) {
    key_.reset();
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    key_.reset(key);
    return true;
}

void TRegistrySettingsStore::CloseKey() {
    key_.reset();
}

std::string TRegistrySettingsStore::ReadString(const std::string& section, const std::string& name,
                                               const std::string& def) {
    RegKey key = OpenSection(Base(), section);
    if (!key)
        return def;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return def;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw ERegistryException(rtl::Format(rtl::SInvalidRegType, name));
    if (size == 0)
        return {};
    std::vector<char> data(size + 1, '\0');
    DWORD got = size;
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                         &got) != ERROR_SUCCESS)
        throw ERegistryException(rtl::Format(rtl::SRegGetDataFailed, name));
    return std::string(data.data());
}

void TRegistrySettingsStore::WriteString(const std::string& section, const std::string& name,
                                         const std::string& text) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(Base(), section.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        throw ERegistryException(rtl::Format(rtl::SRegCreateFailed, section));
    RegKey owned(key);
    if (RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1)) != ERROR_SUCCESS)
        throw ERegistryException(rtl::Format(rtl::SRegSetDataFailed, name));
}

void TRegistrySettingsStore::EraseSection(const std::string& section) {
    DeleteKeyTree(Base(), section);
}

TFormStorage* CreateFormStorage(TForm* form, const std::string& section, TPlacementOptions options,
                                std::initializer_list<const char*> storedProps) {
    auto* storage = new TFormStorage(form, std::make_unique<TFormWindow>(*form));
    storage->SetName("FormStorage1");
    storage->SetIniSection(section);
    storage->SetOptions(options);
    storage->SetUseRegistry(true);
    storage->SetStore(std::make_unique<TRegistrySettingsStore>());
    storage->OnHookError = [](const std::exception& e) { ShowUnhandledException(e); };
    TStringList entries;
    for (const char* entry : storedProps)
        entries.Add(entry);
    storage->SetStoredProps(entries);
    storage->Loaded();

    auto ownShow = form->OnShow;
    form->OnShow = [storage, ownShow](TComponent* sender) {
        storage->WindowShow([&] {
            if (ownShow)
                ownShow(sender);
        });
    };
    auto ownCloseQuery = form->OnCloseQuery;
    form->OnCloseQuery = [storage, ownCloseQuery](TComponent* sender, bool& canClose) {
        storage->WindowCloseQuery(canClose, [&](bool& allowed) {
            if (ownCloseQuery)
                ownCloseQuery(sender, allowed);
        });
    };
    auto ownDestroy = form->OnDestroy;
    form->OnDestroy = [storage, ownDestroy](TComponent* sender) {
        storage->WindowDestroy([&] {
            if (ownDestroy)
                ownDestroy(sender);
        });
    };
    return storage;
}
