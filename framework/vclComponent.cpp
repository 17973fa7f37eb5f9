#include "framework/vclComponent.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_) {
    owner_->Insert(this);
    // Made while its owner is being read: part of the same description.
    if (owner_->Loading()) state_ |= csLoading;
  }
}

TComponent::~TComponent() {
  state_ |= csDestroying;
  DestroyComponents();
  if (owner_) owner_->Remove(this);
}

void TComponent::DestroyComponents() {
  state_ |= csDestroying;
  // Last created first, like a stack of dependent parts.
  while (!components_.empty()) {
    TComponent* c = components_.back();
    components_.pop_back();
    c->owner_ = nullptr;
    delete c;
  }
}

void TComponent::Remove(TComponent* c) {
  auto it = std::find(components_.begin(), components_.end(), c);
  if (it != components_.end()) components_.erase(it);
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  for (TComponent* c : components_)
    if (c->name_ == name) return c;
  return nullptr;
}

void TComponent::Loaded() {}

void TComponent::SetLoading(bool loading) {
  if (loading)
    state_ |= csLoading;
  else
    state_ &= ~static_cast<unsigned>(csLoading);
  for (TComponent* c : components_) c->SetLoading(loading);
}

void TComponent::LoadedAll() {
  // The whole tree leaves the loading state before any Loaded runs, so a component's
  // Loaded sees its form as completely read (the skin manager announces its skin to it).
  SetLoading(false);
  CallLoaded();
}

void TComponent::CallLoaded() {
  for (size_t i = 0; i < components_.size(); ++i) components_[i]->CallLoaded();
  Loaded();
}

void TComponent::ChangeOwner(TComponent* owner) {
  if (owner_) owner_->Remove(this);
  owner_ = owner;
  if (owner_) owner_->Insert(this);
}
