#include "shell/WindowSet.h"

#include "tests/support/Harness.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

// Every print and preview dialog puts "Annulla" on the left and its partner
// ("Stampa" or "Mostra anteprima") on the right of the same row, so that the
// button under the user's hand does the same thing in every dialog.
TEST(ButtonOrder, PrintAndPreviewDialogsPutAnnullaOnTheLeft) {
    ts::Harness h;
    WindowSet windows(h.app);
    std::set<std::string> checked;
    for (const ui::Form* form : h.app.Forms()) {
        const ui::Control* annulla = form->FindControl("btnAnnulla");
        const ui::Control* partner = form->FindControl("btnStampa");
        if (!annulla || !partner || annulla->Text() != "Annulla" || annulla->Parent() != partner->Parent())
            continue;
        checked.insert(form->ClassName());
        EXPECT_LE(annulla->Left() + annulla->Width(), partner->Left())
            << form->ClassName() << ": \"Annulla\" is not left of \"" << partner->Text() << "\"";
        EXPECT_EQ(annulla->Top(), partner->Top()) << form->ClassName();
    }
    const std::set<std::string> dialogs = {
        "TfrmStampaConduttore",   "TfrmStampaFoglio",   "TfrmAnteprimaFoglio",   "TfrmStampaAutomezzo",
        "TfrmAnteprimaAutomezzo", "TfrmStampaPlanning", "TfrmAnteprimaPlanning", "TfrmStampaVisita"};
    EXPECT_EQ(checked, dialogs);
}
