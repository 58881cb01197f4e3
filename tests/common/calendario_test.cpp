// The date picker: the routing tags of the date fields of the vehicle card,
// the trip-sheet window and the visit card, today's date, "Annulla", and tags
// that are no routing tag.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/Calendario.h"
#include "gate/Registro.h"
#include "tests/support/Harness.h"
#include "tripsheets/Fogli.h"
#include "vehicles/Autoparco.h"

namespace {

// The text of every edit of a window, by name.
std::map<std::string, std::string> Edits(ui::Form& w) {
    std::map<std::string, std::string> out;
    for (ui::Control* c : w.Controls())
        if (c->Kind() == ui::ControlKind::Edit) out[c->Name()] = c->Text();
    return out;
}

class DatePicker : public ::testing::Test {
protected:
    DatePicker() { h.SetNow({*rtl::Date::FromYmd(2026, 3, 5), {}}); }

    ts::Harness h;
    ui::Form main{h.app};
    TfrmAutoparco autoparco{h.app};
    TfrmFogli fogli{h.app};
    TfrmRegistro registro{h.app};
};

TEST_F(DatePicker, WritesTheDateIntoTheFieldOfEachRoutingTag) {
    fogli.lblFile.SetText(h.DataFolder() + "2026.fdm");
    registro.lblFile.SetText(h.DataFolder() + "2026.vis");
    struct Route {
        ui::Form& window;
        std::string tag;
        std::string field;
    };
    std::vector<Route> routes = {
        {autoparco, "autoparco_lettura", "txtLettura"},
        {autoparco, "autoparco_scadrevisione", "txtScadRevisione"},
        {autoparco, "autoparco_scadtagliando", "txtScadTagliando"},
        {autoparco, "autoparco_scadassicurazione", "txtScadAssicurazione"},
        {autoparco, "autoparco_scadbollo", "txtScadBollo"},
        {fogli, "fogli_dataapertura", "txtDataApertura"},
        {fogli, "fogli_datachiusura", "txtDataChiusura"},
        {registro, "dataent", "txtDataEnt"},
        {registro, "datausc", "txtDataUsc"},
    };
    for (int i = 1; i <= 3; ++i)
        routes.push_back({fogli, "fogli_datarif0" + std::to_string(i), "txtDataRif0" + std::to_string(i)});
    for (int i = 1; i <= 8; ++i) {
        routes.push_back({fogli, "fogli_datapar0" + std::to_string(i), "txtDataPar0" + std::to_string(i)});
        routes.push_back({fogli, "fogli_dataarr0" + std::to_string(i), "txtDataArr0" + std::to_string(i)});
    }
    ASSERT_EQ(routes.size(), 28u);
    for (ui::Form* w : {static_cast<ui::Form*>(&autoparco), static_cast<ui::Form*>(&fogli),
                        static_cast<ui::Form*>(&registro)})
        w->Show();

    std::string tag;
    h.OnModal<TfrmCalendario>([&](TfrmCalendario& c) {
        tag = c.lblMemory.Text();
        h.Click(c.btnImportaData);
    });
    for (const Route& r : routes) {
        SCOPED_TRACE(r.tag);
        ui::Edit& field = r.window.Get<ui::Edit>(r.field);
        field.SetText("");
        h.Focus(field);
        auto expected = Edits(r.window);
        expected[r.field] = "05/03/2026";
        tag.clear();
        h.Press(r.window, 'A', U'a');
        EXPECT_EQ(tag, r.tag);
        // Only the field of the tag was written.
        EXPECT_EQ(Edits(r.window), expected);
    }
    EXPECT_EQ(h.ModalCount("TfrmCalendario"), 28);
}

TEST_F(DatePicker, UnknownTagWritesNothingAndKeepsThePickerOpen) {
    for (std::string tag :
         {"", " dataent", "dataent ", "DATAENT", "Autoparco_scadbollo", "fogli_datapar09"}) {
        auto picker = std::make_unique<TfrmCalendario>(h.app, &registro);
        picker->lblMemory.SetText(tag);
        picker->ImpostaCampo(registro.txtDataEnt);
        h.OnModal<TfrmCalendario>([&](TfrmCalendario& c) {
            h.Click(c.btnImportaData);
            EXPECT_EQ(c.GetModalResult(), ui::ModalResult::None) << "'" << tag << "'";
            h.Click(c.btnAnnulla);
        });
        picker->ShowModal();
        EXPECT_EQ(registro.txtDataEnt.Text(), "") << tag;
    }
}

TEST_F(DatePicker, OpensOnTodayAndAnnullaLeavesTheField) {
    registro.Show(); // a new card
    registro.txtDataUsc.SetText("01/01/2020");
    h.OnModal<TfrmCalendario>([&](TfrmCalendario& c) {
        EXPECT_EQ(c.calAppuntamenti.Date(), *rtl::Date::FromYmd(2026, 3, 5));
        EXPECT_EQ(c.Owner(), &registro);
        EXPECT_EQ(c.lblMemory.Text(), "datausc");
        h.Click(c.btnAnnulla);
    });
    h.Focus(registro.txtDataUsc);
    h.Press(registro, 'A', U'a');
    EXPECT_EQ(registro.txtDataUsc.Text(), "01/01/2020");

    // A day chosen in the calendar is the one written.
    h.OnModal<TfrmCalendario>([&](TfrmCalendario& c) {
        h.PickDate(c.calAppuntamenti, *rtl::Date::FromYmd(2027, 12, 31));
        h.Click(c.btnImportaData);
    });
    h.Press(registro, ui::vk::Return, U'\r'); // Enter opens the picker in the visit card
    EXPECT_EQ(registro.txtDataUsc.Text(), "31/12/2027");
    EXPECT_EQ(h.ModalCount("TfrmCalendario"), 2);
}

TEST_F(DatePicker, OpensOnItsCalendarWithEnterImportingAndEscapeCancelling) {
    registro.Show();
    registro.txtDataUsc.SetText("01/01/2020");
    // Escape: "Annulla", nothing written.
    h.OnModal<TfrmCalendario>([&](TfrmCalendario& c) {
        EXPECT_EQ(c.Focused(), &c.calAppuntamenti);
        h.Press(c, ui::vk::Escape);
    });
    h.Focus(registro.txtDataUsc);
    h.Press(registro, 'A', U'a');
    EXPECT_EQ(registro.txtDataUsc.Text(), "01/01/2020");
    // Enter: "Importa", with the day moved in the calendar.
    h.OnModal<TfrmCalendario>([&](TfrmCalendario& c) {
        EXPECT_EQ(c.Focused(), &c.calAppuntamenti);
        ui::input::MoveDate(c.calAppuntamenti, *rtl::Date::FromYmd(2026, 3, 6)); // the arrow right
        h.Press(c, ui::vk::Return, U'\r');
    });
    h.Press(registro, 'A', U'a');
    EXPECT_EQ(registro.txtDataUsc.Text(), "06/03/2026");
    EXPECT_EQ(h.ModalCount("TfrmCalendario"), 2);
}

} // namespace
