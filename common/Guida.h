#pragma once
// The help window, opened by every help command of the system with a title
// and a text of its own, with a link to the full manual "Guida.pdf".
#include <string>
#include <string_view>

#include "common/FinestraLink.h"
#include "common/Guida.controls.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmGuida : public common::TfrmLink, public controls::Guida {
public:
    explicit TfrmGuida(ui::Application& app, ui::Form* owner = nullptr);

    // The topic shown: its title and its text.
    void ImpostaArgomento(const std::string& titolo, const std::string& testo);

private:
    void FormShow();
};

extern TfrmGuida* frmGuida;

// How every help command opens the help: a help window owned by the calling
// window, with the topic's title and its paragraphs joined by CR LF CR LF,
// shown modally and destroyed when it returns.
void ShowHelp(ui::Form& owner, const std::string& title, const std::string& text);
// The same with the paragraphs of an embedded help topic file ("*.help");
// a topic not written yet shows the title alone.
void ShowHelpTopic(ui::Form& owner, const std::string& title, std::string_view resource);
