#pragma once
// Components: an owner that frees what it owns, a name, and notification of removal, so that
// anything holding a reference to a component can drop it before the component goes.
#include <memory>
#include <string>
#include <vector>

enum class TOperation { opInsert, opRemove };

class TComponent {
  public:
    explicit TComponent(TComponent* owner = nullptr);
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(static_cast<std::size_t>(index)); }
    // Case-insensitive lookup among the owned components.
    TComponent* FindComponent(const std::string& name) const;
    // The class name as the program's windows and stored settings know it ("TOpForm").
    virtual std::string ClassName() const { return "TComponent"; }

    // Registers `other` to be told (opRemove) before this component goes.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

  protected:
    // Frees the owned components now (a derived destructor calls it while its members still live).
    void DestroyComponents();
    virtual void Notification(TComponent* component, TOperation operation);

  private:
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    TComponent* owner_;
    std::string name_;
    int tag_ = 0;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
};
