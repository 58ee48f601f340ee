#pragma once
// Form storage: a window's placement and listed control properties, kept in the settings store under
// the key "Software\<program>" in one section per window. Loaded when the window is shown, saved when it
// closes, and once more when it is destroyed unsaved. The window code supplies the store and routes its
// show, close-query and destroy events through the hooks below.
#include "base/Classes.h"
#include "base/Component.h"
#include "prefs/PlacementRules_core.h"
#include "prefs/PropsStorage_core.h"
#include "prefs/SettingsStore_core.h"

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The window a form storage serves: an adapter over the platform's window that the storage keeps, or
// the storage's owner itself when that implements it.
class IPlacementWindow {
  public:
    virtual ~IPlacementWindow() = default;
    virtual placement::TWindowFacts WindowFacts() const = 0;
    virtual placement::TScreenFacts ScreenFacts() const = 0;
    virtual bool HandleAllocated() const = 0;
    virtual placement::TPlacementRecord GetPlacement() const = 0;
    virtual void SetPlacement(const placement::TPlacementRecord& record) = 0;
    // Stops centring the window on the screen without recreating it.
    virtual void UseDesignedPosition() = 0;
    // Multi-document windows only record the state.
    virtual void SetWindowState(TWindowState state) = 0;
    virtual void MinimizeApplication() = 0;
    virtual void Repaint() = 0;
    // Makes the named component the active control when it is a windowed control that can take the focus.
    virtual void ActivateControl(const std::string& name) = 0;
    // The frame width and height for the window's border style; (0, 0) for a window without border.
    virtual placement::TPoint FrameSize() const = 0;
};

// A control tells a storage it owns which window it sits on (for the storage's default section name).
class IControlOnWindow {
  public:
    virtual ~IControlOnWindow() = default;
    virtual const TComponent* ParentWindow() const = 0;
};

// Told after every load and save of the storage it is linked to, and when the storage goes.
class IPlacementLink {
  public:
    virtual ~IPlacementLink() = default;
    virtual void PlacementLoaded() = 0;
    virtual void PlacementSaved() = 0;
    virtual void PlacementDetached() = 0;
};

// Window size limits; not used by this program's windows.
struct TWinMinMaxInfo {
    int maxPosLeft = 0;
    int maxPosTop = 0;
    int maxSizeHeight = 0;
    int maxSizeWidth = 0;
    int maxTrackHeight = 0;
    int maxTrackWidth = 0;
    int minTrackHeight = 0;
    int minTrackWidth = 0;
    bool IsZero() const { return *this == TWinMinMaxInfo{}; }
    friend bool operator==(const TWinMinMaxInfo&, const TWinMinMaxInfo&) = default;
};

namespace placement {
// The running program's file name (Application.ExeName), set once at start-up.
void SetApplicationExeName(std::string exeName);
const std::string& ApplicationExeName();
// "Software\" + the executable's file name without folder and extension; an empty name raises.
std::string DefaultKeyName(std::string_view exeName);
// The owner window's class name; for a control its window's class name followed by the control's name;
// for another owner owned by a window, "<window class>.<owner name>"; else empty.
std::string DefaultSectionName(const TComponent* owner);
} // namespace placement

class TFormPlacement : public TComponent {
  public:
    using TNotifyEvent = std::function<void(TComponent* sender)>;
    using TErrorHandler = std::function<void(const std::exception&)>;

    explicit TFormPlacement(TComponent* owner, std::unique_ptr<IPlacementWindow> window = nullptr);
    ~TFormPlacement() override;
    std::string ClassName() const override { return "TFormPlacement"; }

    bool Active() const { return active_; }
    void SetActive(bool active) { active_ = active; }
    const std::string& IniFileName() const { return iniFileName_; }
    void SetIniFileName(std::string name) { iniFileName_ = std::move(name); }
    const std::string& IniSection() const { return iniSection_; }
    void SetIniSection(std::string section) { iniSection_ = std::move(section); }
    const TWinMinMaxInfo& MinMaxInfo() const { return minMaxInfo_; }
    void SetMinMaxInfo(const TWinMinMaxInfo& info) { minMaxInfo_ = info; }
    TPlacementOptions Options() const { return options_; }
    void SetOptions(TPlacementOptions options) { options_ = options; }
    bool PreventResize() const { return preventResize_; }
    void SetPreventResize(bool prevent) { preventResize_ = prevent; }
    bool UseRegistry() const { return useRegistry_; }
    void SetUseRegistry(bool use) { useRegistry_ = use; }
    TNotifyEvent OnSavePlacement;
    TNotifyEvent OnRestorePlacement;
    // The application's default exception handler: failures inside the hooks are handed to it.
    TErrorHandler OnHookError;

    // Where the values are kept; without a store, loads and saves fail.
    void SetStore(std::unique_ptr<ISettingsStore> store) { store_ = std::move(store); }
    // IniFileName, or the default key of the running program.
    std::string KeyPath() const;
    // IniSection, or the default section of the owner.
    std::string Section() const;
    bool Restored() const { return restored_; }
    bool Saved() const { return saved_; }
    bool Destroying() const { return destroying_; }

    // Reads the placement (as Options say) and, for a form storage, the stored properties. A value the
    // store cannot read as text is taken as missing so that the rest still loads; the first such failure
    // is raised once the load is complete.
    void LoadPlacement();
    // Writes everything; does nothing while Active and never loaded, so an unloaded window never
    // overwrites its stored values.
    void SavePlacement();
    // Both use the key of a running load or save, else open and close it around the one value.
    std::int32_t LoadInteger(const std::string& name, std::int32_t def);
    void StoreInteger(const std::string& name, std::int32_t value);

    // The window's events. Failures of the storage go to OnHookError and the event goes on.
    // Show: load when Active, then the window's own handler.
    void WindowShow(const std::function<void()>& ownHandler = {});
    // Close query: the window's own handler first; save when the close is allowed, Active, and the window
    // has a handle.
    void WindowCloseQuery(bool& canClose, const std::function<void(bool&)>& ownHandler = {});
    // Destroy: save with "Visible" = "1" when Active and not saved since the last load; then the own handler.
    void WindowDestroy(const std::function<void()>& ownHandler = {});

    void AddLink(IPlacementLink* link);
    void RemoveLink(IPlacementLink* link);

  protected:
    virtual void WriteSettings();
    virtual void ReadSettings();
    IPlacementWindow* Window() const;
    ISettingsStore& Store() const;
    void SetRestored() { restored_ = true; }

  private:
    class KeySession;
    std::string ReadTextReportingOnce(const std::string& name, const std::string& def);
    void AdjustMaximisedPosition();
    template <class Step> void Guarded(Step step);

    std::unique_ptr<IPlacementWindow> window_;
    bool active_ = true;
    std::string iniFileName_;
    std::string iniSection_;
    TWinMinMaxInfo minMaxInfo_;
    TPlacementOptions options_ = 0;
    bool preventResize_ = false;
    bool useRegistry_ = false;
    std::unique_ptr<ISettingsStore> store_;
    bool keyInUse_ = false;
    bool restored_ = false;
    bool saved_ = false;
    bool destroying_ = false;
    std::optional<std::string> loadFailure_;
    std::vector<IPlacementLink*> links_;
};

class TFormStorage : public TFormPlacement {
  public:
    explicit TFormStorage(TComponent* owner, std::unique_ptr<IPlacementWindow> window = nullptr)
        : TFormPlacement(owner, std::move(window)) {}
    std::string ClassName() const override { return "TFormStorage"; }

    // The entries' texts ("Component.Property").
    TStringList StoredProps() const;
    // Copies the entries; after Loaded they are resolved at once.
    void SetStoredProps(const TStringList& entries);
    const TStoredEntries& StoredEntries() const { return entries_; }
    // Once the window has made its controls: every entry's component is looked up among the window's
    // components; entries that do not split or name no component are dropped.
    void Loaded();
    void SetWindowFinder(proptext::TWindowFinder finder) { findWindow_ = std::move(finder); }

  protected:
    void WriteSettings() override;
    void ReadSettings() override;
    void Notification(TComponent* component, TOperation operation) override;

  private:
    void ResolveEntries();
    void Configure(TPropsStorage& props) const;

    TStoredEntries entries_;
    bool loaded_ = false;
    proptext::TWindowFinder findWindow_;
};
