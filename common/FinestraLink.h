#pragma once
// A small window with one link and a "Chiudi" button: the about window, the
// splash window and the help window. The link text `lnkWeb` and its picture
// share the link handlers: the text is orange while the mouse button is held
// on either, and a click opens the link through the shell.
#include <functional>
#include <string>
#include <string_view>

#include "common/FinestraLink.controls.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

namespace common {

class TfrmLink : public ui::Form, public controls::FinestraLink {
protected:
    // `figuraLink` names the picture beside the link text; `destinazione`
    // gives what the link opens, at the moment of the click.
    TfrmLink(ui::Application& app, ui::Form* owner, std::string_view layout, std::string_view figuraLink,
             std::function<std::string()> destinazione);

private:
    void btnChiudiClick();
    void lnkWebMouseDown(ui::MouseEvent& e);
    void lnkWebMouseUp(ui::MouseEvent& e);
    void lnkWebClick();

    std::function<std::string()> destinazione_;
};

} // namespace common
