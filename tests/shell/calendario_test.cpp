#include "shell_fixture.h"

#include "gate/Registro.h"
#include "shell/Calendario.h"
#include "tripsheets/Fogli.h"
#include "vehicles/Autoparco.h"

#include <memory>

class DatePicker : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        h.setNow({*rtl::Date::FromYmd(2026, 3, 5), {}});
    }
    // Opens the picker with a tag, as a date field does, and presses a button.
    void Pick(ui::Form& owner, const std::string& tag, bool import) {
        auto picker = std::make_unique<TfrmCalendario>(h.app, &owner);
        picker->lblMemory.SetText(tag);
        h.onModal<TfrmCalendario>(
            [&](TfrmCalendario& c) { h.click(import ? c.btnImportaData : c.btnAnnulla); });
        picker->ShowModal();
    }
};

TEST_F(DatePicker, WritesTheDateIntoTheFieldOfEachRoutingTag) {
    std::vector<std::pair<std::string, std::pair<ui::Form*, std::string>>> routes = {
        {"autoparco_lettura", {frmAutoparco, "txtLettura"}},
        {"autoparco_scadrevisione", {frmAutoparco, "txtScadRevisione"}},
        {"autoparco_scadtagliando", {frmAutoparco, "txtScadTagliando"}},
        {"autoparco_scadassicurazione", {frmAutoparco, "txtScadAssicurazione"}},
        {"autoparco_scadbollo", {frmAutoparco, "txtScadBollo"}},
        {"fogli_dataapertura", {frmFogli, "txtDataApertura"}},
        {"fogli_datachiusura", {frmFogli, "txtDataChiusura"}},
        {"dataent", {frmRegistro, "txtDataEnt"}},
        {"datausc", {frmRegistro, "txtDataUsc"}},
    };
    for (int i = 1; i <= 3; ++i)
        routes.push_back(
            {"fogli_datarif0" + std::to_string(i), {frmFogli, "txtDataRif0" + std::to_string(i)}});
    for (int i = 1; i <= 8; ++i) {
        routes.push_back(
            {"fogli_datapar0" + std::to_string(i), {frmFogli, "txtDataPar0" + std::to_string(i)}});
        routes.push_back(
            {"fogli_dataarr0" + std::to_string(i), {frmFogli, "txtDataArr0" + std::to_string(i)}});
    }
    ASSERT_EQ(routes.size(), 28u);
    for (auto& [tag, target] : routes) {
        ui::Edit& field = target.first->Get<ui::Edit>(target.second);
        field.SetText("");
        Pick(*target.first, tag, true);
        EXPECT_EQ(field.Text(), "05/03/2026") << tag;
        field.SetText("");
    }
    // Only the field of the tag was written each time.
    for (ui::Form* w : {static_cast<ui::Form*>(frmAutoparco), static_cast<ui::Form*>(frmFogli),
                        static_cast<ui::Form*>(frmRegistro)}) {
        for (ui::Control* c : w->Controls()) {
            if (c->Kind() == ui::ControlKind::Edit) {
                EXPECT_EQ(c->Text(), "") << c->Name();
            }
        }
    }
}

TEST_F(DatePicker, UnknownTagWritesNothingAndKeepsThePickerOpen) {
    for (std::string tag :
         {"", " dataent", "dataent ", "DATAENT", "Autoparco_scadbollo", "fogli_datapar09"}) {
        auto picker = std::make_unique<TfrmCalendario>(h.app, frmRegistro);
        picker->lblMemory.SetText(tag);
        h.onModal<TfrmCalendario>([&](TfrmCalendario& c) {
            h.click(c.btnImportaData);
            EXPECT_EQ(c.GetModalResult(), ui::ModalResult::None) << "'" << tag << "'";
            h.click(c.btnAnnulla);
        });
        picker->ShowModal();
        EXPECT_EQ(frmRegistro->txtDataEnt.Text(), "") << tag;
        EXPECT_EQ(frmAutoparco->txtScadBollo.Text(), "") << tag;
    }
}

TEST_F(DatePicker, OpensOnTodayAndAnnullaLeavesTheField) {
    frmRegistro->Show(); // a new card
    frmRegistro->txtDataUsc.SetText("01/01/2020");
    h.onModal<TfrmCalendario>([&](TfrmCalendario& c) {
        EXPECT_EQ(c.calAppuntamenti.Date(), *rtl::Date::FromYmd(2026, 3, 5));
        EXPECT_EQ(c.Owner(), frmRegistro);
        EXPECT_EQ(c.lblMemory.Text(), "datausc");
        h.click(c.btnAnnulla);
    });
    h.focus(frmRegistro->txtDataUsc);
    h.press(*frmRegistro, 'A', U'a');
    EXPECT_EQ(frmRegistro->txtDataUsc.Text(), "01/01/2020");

    // A day chosen in the calendar is the one written.
    h.onModal<TfrmCalendario>([&](TfrmCalendario& c) {
        h.pickDate(c.calAppuntamenti, *rtl::Date::FromYmd(2027, 12, 31));
        h.click(c.btnImportaData);
    });
    h.press(*frmRegistro, ui::vk::Return, U'\r'); // Enter opens the picker in the visit card
    EXPECT_EQ(frmRegistro->txtDataUsc.Text(), "31/12/2027");
    EXPECT_EQ(h.modalCount("TfrmCalendario"), 2);
}
