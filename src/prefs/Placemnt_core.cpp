#include "prefs/Placemnt_core.h"

#include "base/SysUtils.h"

#include <algorithm>

namespace placement {
namespace {
std::string& ExeName() {
    static std::string exeName;
    return exeName;
}
} // namespace

void SetApplicationExeName(std::string exeName) {
    ExeName() = std::move(exeName);
}

const std::string& ApplicationExeName() {
    return ExeName();
}

std::string DefaultKeyName(std::string_view exeName) {
    const std::string program = rtl::ChangeFileExt(rtl::ExtractFileName(exeName), "");
    // Without a program name the key would be "Software" itself, shared with every other program.
    if (program.empty())
        throw Exception("The form storage has no program name for its registry key");
    return "Software\\" + program;
}

std::string DefaultSectionName(const TComponent* owner) {
    if (!owner)
        return {};
    if (dynamic_cast<const IPlacementWindow*>(owner))
        return owner->ClassName();
    if (const auto* control = dynamic_cast<const IControlOnWindow*>(owner))
        if (const TComponent* window = control->ParentWindow())
            return window->ClassName() + owner->Name();
    if (const TComponent* window = owner->Owner(); window && dynamic_cast<const IPlacementWindow*>(window))
        return window->ClassName() + "." + owner->Name();
    return {};
}
} // namespace placement

// The storage key is open for one load, save or integer access; inner accesses use the outer one's.
class TFormPlacement::KeySession {
  public:
    explicit KeySession(TFormPlacement& storage) : storage_(storage), outermost_(!storage.keyInUse_) {
        if (!outermost_)
            return;
        // A key that can be neither created nor opened is no failure: sections are then found from the root.
        storage_.Store().OpenKey(storage_.KeyPath());
        storage_.keyInUse_ = true;
    }
    ~KeySession() {
        if (!outermost_)
            return;
        storage_.Store().CloseKey();
        storage_.keyInUse_ = false;
    }
    KeySession(const KeySession&) = delete;
    KeySession& operator=(const KeySession&) = delete;

  private:
    TFormPlacement& storage_;
    bool outermost_;
};

TFormPlacement::TFormPlacement(TComponent* owner, std::unique_ptr<IPlacementWindow> window)
    : TComponent(owner), window_(std::move(window)) {
    if (Window())
        options_ = DefaultWindowOptions;
}

TFormPlacement::~TFormPlacement() {
    if (store_ && store_->KeyOpen())
        store_->CloseKey();
    for (IPlacementLink* link : std::vector<IPlacementLink*>(links_))
        link->PlacementDetached();
}

IPlacementWindow* TFormPlacement::Window() const {
    return window_ ? window_.get() : dynamic_cast<IPlacementWindow*>(Owner());
}

ISettingsStore& TFormPlacement::Store() const {
    if (!store_)
        throw Exception("The form storage has no settings store");
    return *store_;
}

std::string TFormPlacement::KeyPath() const {
    return iniFileName_.empty() ? placement::DefaultKeyName(placement::ApplicationExeName()) : iniFileName_;
}

std::string TFormPlacement::Section() const {
    if (!iniSection_.empty())
        return iniSection_;
    // A window's storage is named after the window's class.
    return window_ && Owner() ? Owner()->ClassName() : placement::DefaultSectionName(Owner());
}

void TFormPlacement::AddLink(IPlacementLink* link) {
    if (link && std::find(links_.begin(), links_.end(), link) == links_.end())
        links_.push_back(link);
}

void TFormPlacement::RemoveLink(IPlacementLink* link) {
    links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
}

std::string TFormPlacement::ReadTextReportingOnce(const std::string& name, const std::string& def) {
    // A value of the wrong type would otherwise fail every load at every start, and since an unloaded
    // window is never saved, the value would never be rewritten. It reads as missing; the first such
    // failure is reported when the load is done.
    try {
        return Store().ReadString(Section(), name, def);
    } catch (const ERegistryException& e) {
        if (!loadFailure_)
            loadFailure_ = e.Message();
        return def;
    }
}

void TFormPlacement::WriteSettings() {
    IPlacementWindow* window = Window();
    if (!window)
        return;
    const std::string section = Section();
    for (const auto& [name, text] : placement::PlacementValues(window->GetPlacement(), window->WindowFacts(),
                                                               window->ScreenFacts(), options_, destroying_))
        Store().WriteString(section, name, text);
    for (IPlacementLink* link : std::vector<IPlacementLink*>(links_))
        link->PlacementSaved();
}

void TFormPlacement::ReadSettings() {
    IPlacementWindow* window = Window();
    if (!window)
        return;
    if (!HasOption(options_, TPlacementOption::fpPosition) && !HasOption(options_, TPlacementOption::fpState))
        return;
    const placement::TPlacementReading reading = placement::ReadPlacement(
        [this](const std::string& name, const std::string& def) { return ReadTextReportingOnce(name, def); },
        window->GetPlacement(), window->WindowFacts(), window->ScreenFacts(), options_);
    if (reading.applyPlacement) {
        if (reading.useDesignedPosition)
            window->UseDesignedPosition();
        window->SetPlacement(reading.placement);
    }
    if (reading.minimizeApplication)
        window->MinimizeApplication();
    else if (reading.state)
        window->SetWindowState(*reading.state);
    window->Repaint();
    for (IPlacementLink* link : std::vector<IPlacementLink*>(links_))
        link->PlacementLoaded();
}

void TFormPlacement::AdjustMaximisedPosition() {
    IPlacementWindow* window = Window();
    if (!window || !window->HandleAllocated() || preventResize_ || !minMaxInfo_.IsZero())
        return;
    window->SetPlacement(placement::WithMaximisedAtFrame(window->GetPlacement(), window->FrameSize(),
                                                         window->WindowFacts().visible));
}

void TFormPlacement::LoadPlacement() {
    saved_ = false;
    loadFailure_.reset();
    {
        KeySession session(*this);
        ReadSettings();
        restored_ = true;
        if (OnRestorePlacement)
            OnRestorePlacement(this);
        if (IPlacementWindow* window = Window();
            window && HasOption(options_, TPlacementOption::fpActiveControl)) {
            const std::string name = ReadTextReportingOnce("ActiveControl", "");
            if (!name.empty())
                window->ActivateControl(name);
        }
    }
    AdjustMaximisedPosition();
    if (loadFailure_) {
        const std::string message = *loadFailure_;
        loadFailure_.reset();
        throw ERegistryException(message);
    }
}

void TFormPlacement::SavePlacement() {
    if (!restored_ && active_)
        return;
    KeySession session(*this);
    WriteSettings();
    if (OnSavePlacement)
        OnSavePlacement(this);
    saved_ = true;
}

std::int32_t TFormPlacement::LoadInteger(const std::string& name, std::int32_t def) {
    KeySession session(*this);
    return SettingsIntegerFromText(Store().ReadString(Section(), name, rtl::IntToStr(def)), def);
}

void TFormPlacement::StoreInteger(const std::string& name, std::int32_t value) {
    KeySession session(*this);
    Store().WriteString(Section(), name, rtl::IntToStr(value));
}

template <class Step> void TFormPlacement::Guarded(Step step) {
    try {
        step();
    } catch (const std::exception& e) {
        if (OnHookError)
            OnHookError(e);
    }
}

void TFormPlacement::WindowShow(const std::function<void()>& ownHandler) {
    if (active_)
        Guarded([this] { LoadPlacement(); });
    if (ownHandler)
        ownHandler();
}

void TFormPlacement::WindowCloseQuery(bool& canClose, const std::function<void(bool&)>& ownHandler) {
    if (ownHandler)
        ownHandler(canClose);
    const IPlacementWindow* window = Window();
    if (canClose && active_ && window && window->HandleAllocated())
        Guarded([this] { SavePlacement(); });
}

void TFormPlacement::WindowDestroy(const std::function<void()>& ownHandler) {
    if (active_ && !saved_) {
        destroying_ = true;
        Guarded([this] { SavePlacement(); });
        destroying_ = false;
    }
    if (ownHandler)
        ownHandler();
}

TStringList TFormStorage::StoredProps() const {
    TStringList texts;
    for (const TStoredEntry& entry : entries_)
        texts.Add(entry.text);
    return texts;
}

void TFormStorage::SetStoredProps(const TStringList& entries) {
    entries_.clear();
    for (const std::string& text : entries.Lines())
        entries_.push_back({text, nullptr});
    if (loaded_)
        ResolveEntries();
}

void TFormStorage::Loaded() {
    loaded_ = true;
    ResolveEntries();
}

void TFormStorage::ResolveEntries() {
    const TComponent* window = Owner();
    for (std::size_t i = entries_.size(); i-- > 0;) {
        const auto parts = SplitStoredEntry(entries_[i].text);
        TComponent* component = parts && window ? window->FindComponent(parts->component) : nullptr;
        if (!component) {
            entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        entries_[i].component = component;
        FreeNotification(component);
    }
}

void TFormStorage::Notification(TComponent* component, TOperation operation) {
    TFormPlacement::Notification(component, operation);
    if (operation == TOperation::opRemove)
        entries_.erase(
            std::remove_if(entries_.begin(), entries_.end(),
                           [component](const TStoredEntry& e) { return e.component == component; }),
            entries_.end());
}

void TFormStorage::Configure(TPropsStorage& props) const {
    props.SetSection(Section());
    props.SetOnReadText([this](const std::string& section, const std::string& name, const std::string& def) {
        return Store().ReadString(section, name, def);
    });
    props.SetOnWriteText([this](const std::string& section, const std::string& name,
                                const std::string& text) { Store().WriteString(section, name, text); });
    props.SetOnEraseSection([this](const std::string& section) { Store().EraseSection(section); });
    props.SetWindowFinder(findWindow_);
}

void TFormStorage::WriteSettings() {
    TFormPlacement::WriteSettings();
    if (!Owner())
        return;
    TPropsStorage props;
    Configure(props);
    props.StoreEntries(*Owner(), entries_);
}

void TFormStorage::ReadSettings() {
    TFormPlacement::ReadSettings();
    SetRestored();
    if (!Owner())
        return;
    try {
        TPropsStorage props;
        Configure(props);
        props.LoadEntries(*Owner(), entries_);
    } catch (const std::exception&) {
        // Stored properties that cannot be loaded keep the values they have.
    }
}
