// Components: objects with an owner that frees them, a name, and a loading state.
#pragma once

#include <functional>
#include <string>
#include <vector>

class TComponent;
using TNotifyEvent = std::function<void(TComponent* sender)>;

enum TComponentStateFlag : unsigned { csLoading = 1, csDestroying = 2, csDesigning = 4 };

class TComponent {
 public:
  explicit TComponent(TComponent* owner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  // The class's own name, as windows and skin rules know it ("TForm", "TButton").
  virtual const char* ClassName() const { return "TComponent"; }
  // A number of the program's own; the skin engine marks its helper windows with -98.
  int Tag = 0;
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_[static_cast<size_t>(index)]; }
  TComponent* FindComponent(const std::string& name) const;

  unsigned ComponentState() const { return state_; }
  bool Loading() const { return (state_ & csLoading) != 0; }
  bool Destroying() const { return (state_ & csDestroying) != 0; }

  // Called on every owned component (and the owner) once its description has been read.
  virtual void Loaded();
  void SetLoading(bool loading);
  // Ends loading of this component and every component it owns, then runs Loaded on
  // each, owned first.
  void LoadedAll();

  // Moves this component to another owner (the new owner frees it).
  void ChangeOwner(TComponent* owner);

 protected:
  // Starts destruction of the owned components; called first by subclass destructors
  // that must not see their components half-destroyed.
  void DestroyComponents();
  void MarkDestroying() { state_ |= csDestroying; }

 private:
  void CallLoaded();
  void Insert(TComponent* c) { components_.push_back(c); }
  void Remove(TComponent* c);

  TComponent* owner_;
  std::string name_;
  std::vector<TComponent*> components_;
  unsigned state_ = 0;
};
