#include "tests/support/Windows.h"

#include <gtest/gtest.h>

namespace ts {

Guida ApriGuida(Harness& h, ui::Control& comando) {
    Guida guida;
    h.OnModal("TfrmGuida", [&](ui::Form& g) {
        guida.titolo = g.Get<ui::Label>("lblTitolo").Text();
        guida.testo = g.Get<ui::Memo>("txtGuida").Text();
    });
    h.Click(comando);
    return guida;
}

void VerificaSuggerimentiEsportazione(Harness& h, ui::Form& w) {
    SCOPED_TRACE(w.Caption());
    const ui::Label& panInfo = w.Get<ui::Label>("panInfo");
    EXPECT_EQ(panInfo.Text(), "Esportazione archivio in Microsoft Excel.");
    h.MouseMove(w.Get<ui::Control>("cmdEsporta"));
    EXPECT_EQ(panInfo.Text(), "Esporta l'archivio in formato Microsoft Excel.");
    h.MouseMove(w.Get<ui::Control>("cmdGuida"));
    EXPECT_EQ(panInfo.Text(), "Visualizza la pagina della guida sensibile al contesto.");
    h.MouseMove(w.Get<ui::Control>("cmdEsci"));
    EXPECT_EQ(panInfo.Text(), "Esci da questo ambiente di lavoro.");
    h.MouseMove(w.Get<ui::Control>("grdRecords"));
    EXPECT_EQ(panInfo.Text(), "");
}

} // namespace ts
