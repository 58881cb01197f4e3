// The year of the year menus: four digits and nothing else reach the
// archive's name; anything else is refused with the warning.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "common/YearMenu.h"
#include "platform/rtl/Clock.h"
#include "platform/ui/Layout.h"
#include "tests/support/Harness.h"

namespace {

constexpr std::string_view kLayout = R"(form TfrmAnno caption="Anno" client=300x100
edit txtAnno bounds=0,0,100,20
button btnApri bounds=0,30,100,20 text="Apri"
label lblMemory bounds=0,60,100,20 visible=no
)";

const std::string kAvviso = "Attenzione: indicare l'anno solare utilizzando quattro cifre.";

TEST(YearMenu, OnlyFourDigitsAreAYear) {
    ts::Harness h;
    ui::Form form(h.app);
    ui::LoadLayout(form, kLayout);
    form.Show();
    ui::Edit& txtAnno = form.Get<ui::Edit>("txtAnno");
    const struct {
        const char* testo;
        bool valido;
    } casi[] = {
        {"2024", true},  {"0999", true},  {"202", false},  {"20245", false}, {"", false},
        {"20a4", false}, {"../x", false}, {"a/bc", false}, {" 202", false},  {"２０２４", false},
    };
    for (const auto& c : casi) {
        txtAnno.SetText(c.testo);
        if (!c.valido) h.ExpectMessage(ui::DialogType::Warning, kAvviso, ui::Answer::OK);
        const std::optional<std::string> anno = common::AnnoScelto(txtAnno);
        h.Verify();
        EXPECT_EQ(anno.has_value(), c.valido) << c.testo;
        if (c.valido) {
            EXPECT_EQ(*anno, c.testo);
        }
    }
}

TEST(YearMenu, ShowingPresetsTheCurrentYearAndTheRouteBack) {
    ts::Harness h;
    h.SetToday(*rtl::Date::FromYmd(2031, 5, 6));
    ui::Form form(h.app);
    ui::LoadLayout(form, kLayout);
    form.Show();
    ui::Edit& txtAnno = form.Get<ui::Edit>("txtAnno");
    ui::Label& lblMemory = form.Get<ui::Label>("lblMemory");
    txtAnno.SetText("1999");
    lblMemory.SetText("registro");
    common::MostraMenuAnno(txtAnno, lblMemory);
    EXPECT_EQ(txtAnno.Text(), "2031");
    EXPECT_EQ(lblMemory.Text(), "avvio");
    EXPECT_TRUE(txtAnno.IsFocused());
}

} // namespace
