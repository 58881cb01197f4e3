#include "common/StartMenu.h"

#include <utility>

namespace common {

namespace {
std::function<void()>& Hook() {
    static std::function<void()> hook;
    return hook;
}
} // namespace

void MostraAvvio() {
    if (Hook()) Hook()();
}

void ImpostaMostraAvvio(std::function<void()> mostra) {
    Hook() = std::move(mostra);
}

} // namespace common
