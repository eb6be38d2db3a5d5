// TSkinComponent: a form's skin component as the program holds it. It owns
// the form's TSkinData and, once activated, its registration with the skin
// manager; the registration ends with the component (the windows that used
// it get their own look back, and the last one gone ends the manager).
#pragma once

#include <windows.h>

#include "ui/skin/skin_data.h"

namespace kestrone::ui {

class TSkinComponent {
  public:
    TSkinComponent() = default;
    ~TSkinComponent();
    TSkinComponent(const TSkinComponent&) = delete;
    TSkinComponent& operator=(const TSkinComponent&) = delete;

    // The component's settings and skin.
    TSkinData Data;

    // Takes the packed skin from an RCDATA resource (the skin stored with the
    // form) and loads it. False when there is no such resource or it is not
    // a skin.
    bool LoadFromResource(HINSTANCE module, const char* name);

    // What happens once the owner form's description has been read: the
    // component registers with the skin manager; a main-form component
    // installs the manager's hook and has every form skinned 250 ms later, a
    // component of another kind skins its own form at once.
    void Activate(HWND ownerForm);
    bool Activated() const { return activated_; }

  private:
    bool activated_ = false;
};

}  // namespace kestrone::ui
