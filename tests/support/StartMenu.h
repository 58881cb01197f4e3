#pragma once
// The start menu of a test: while a MenuAvvio lives, the windows that show
// the start menu again when they close show its window.
#include "common/StartMenu.h"
#include "platform/ui/Form.h"

namespace ts {

class MenuAvvio {
public:
    explicit MenuAvvio(ui::Form& avvio) {
        common::ImpostaMostraAvvio([&avvio] { avvio.Show(); });
    }
    ~MenuAvvio() { common::ImpostaMostraAvvio({}); }
    MenuAvvio(const MenuAvvio&) = delete;
    MenuAvvio& operator=(const MenuAvvio&) = delete;
};

} // namespace ts
