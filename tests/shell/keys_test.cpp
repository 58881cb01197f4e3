#include "shell/WindowSet.h"

#include "gate/ListaVisite.h"
#include "shell/Avvio.h"
#include "tests/support/Harness.h"
#include "tripsheets/RiepAperti.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

// Escape closes every window that has a close or cancel command, through
// that command; only the start menu (whose exit ends the program) and the
// work windows, whose typed work Escape would drop without a word, keep
// their exit for the mouse and Alt+F4.
TEST(Keys, EscapeClosesEveryWindowThatHasACloseOrCancelCommand) {
    ts::Harness h;
    WindowSet windows(h.app);
    frmAvvio->Show(); // a window stays open behind each one
    std::set<std::string> without;
    for (const auto& form : windows.Forms()) {
        if (form.get() == frmAvvio || form.get() == h.app.MainForm()) continue;
        SCOPED_TRACE(form->ClassName());
        if (!form->CancelCommand()) {
            without.insert(form->ClassName());
            continue;
        }
        // The year archives that the list windows of a year read.
        if (auto* l = dynamic_cast<TfrmRiepAperti*>(form.get()))
            l->ImpostaArchivio(h.DataFolder() + "2026.fdm");
        if (auto* l = dynamic_cast<gate::TfrmListaVisite*>(form.get()))
            l->ImpostaArchivio(h.DataFolder() + "2026.vis");
        form->Show();
        ASSERT_TRUE(form->Visible());
        h.Press(*form, ui::vk::Escape);
        EXPECT_FALSE(form->Visible());
        for (const ui::Form* f : h.app.Forms()) // the window its close leads to
            if (f != frmAvvio && f != form.get() && f->Visible()) const_cast<ui::Form*>(f)->Hide();
        frmAvvio->Show();
    }
    EXPECT_EQ(without, (std::set<std::string>{"TfrmAnagrafica", "TfrmAutoparco", "TfrmFogli", "TfrmPlanning",
                                              "TfrmRegistro"}));
    // The login window's "Esci" ends the program.
    h.app.MainForm()->Show();
    h.Press(*h.app.MainForm(), ui::vk::Escape);
    EXPECT_TRUE(h.app.Terminated());
}
