#pragma once
// The form storage: keeps a window's settings in the registry under the current user, hooked into
// the window's show, close and destroy events.
#include "base/Component.h"
#include "win/Controls.h"

#include <string>

class TForm;

class TFormStorage : public TComponent {
public:
    TFormStorage(TForm* owner, std::string section);
    ~TFormStorage() override;
    std::string ClassName() const override { return "TFormStorage"; }

    // Hooks the window's show, close-query and destroy events (once the window's own are set).
    void Loaded();
    void LoadPlacement();
    void SavePlacement();
    int LoadInteger(const std::string& name, int fallback);
    void StoreInteger(const std::string& name, int value);

    TNotifyEvent OnSavePlacement;
    TNotifyEvent OnRestorePlacement;

private:
    std::string KeyPath() const;
    TForm* form_;
    std::string section_;
    bool restored_ = false;
    bool saved_ = false;
};
