#include "base/Component.h"

#include "base/SysUtils.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_)
        owner_->InsertComponent(this);
}

TComponent::~TComponent() {
    // Everybody that asked is told first, then the owned components are freed, last one first.
    auto notifies = freeNotifies_;
    freeNotifies_.clear();
    for (TComponent* other : notifies) {
        other->RemoveFreeNotification(this);
        other->Notification(this, TOperation::opRemove);
    }
    DestroyComponents();
    if (owner_)
        owner_->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* last = components_.back();
        delete last; // its destructor removes it from components_
    }
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty())
        return nullptr;
    for (TComponent* c : components_)
        if (rtl::SameText(c->Name(), name))
            return c;
    return nullptr;
}

void TComponent::FreeNotification(TComponent* other) {
    if (!other || other == this)
        return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end())
        freeNotifies_.push_back(other);
    if (std::find(other->freeNotifies_.begin(), other->freeNotifies_.end(), this) ==
        other->freeNotifies_.end())
        other->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), other), freeNotifies_.end());
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == TOperation::opRemove)
        for (TComponent* c : components_)
            if (c != component)
                c->Notification(component, operation);
}

void TComponent::InsertComponent(TComponent* component) {
    components_.push_back(component);
}

void TComponent::RemoveComponent(TComponent* component) {
    components_.erase(std::remove(components_.begin(), components_.end(), component), components_.end());
    // Siblings hear of the removal, as a stored-property list must drop entries of a removed control.
    for (TComponent* c : components_)
        c->Notification(component, TOperation::opRemove);
}
