// The year menu and the numbering start dialog.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/rtl/Ini.h"
#include "tests/support/Windows.h"
#include "tests/tripsheets/TripSheet.h"
#include "tripsheets/MenuFogli.h"
#include "tripsheets/Numerazione.h"

namespace {

const std::string kAnno = "Attenzione: indicare l'anno solare utilizzando quattro cifre.";

class MenuTest : public tt::SheetTest {
protected:
    TfrmMenuFogli menu{h.app};
    MenuTest() : SheetTest(false) {
        frmMenuFogli = &menu;
        fogli.lblFile.SetText("");
        menu.Show();
    }
    ~MenuTest() override { frmMenuFogli = nullptr; }
    void TypeYear(const std::string& year) {
        menu.txtAnnoPreventivi.SetText("");
        h.Focus(menu.txtAnnoPreventivi);
        h.Type(menu, year);
    }
};

} // namespace

TEST_F(MenuTest, ShowingPresetsTheCurrentYear) {
    EXPECT_EQ(menu.txtAnnoPreventivi.Text(), "2024");
    EXPECT_EQ(menu.lblMemory.Text(), "avvio");
    EXPECT_EQ(menu.Focused(), &menu.txtAnnoPreventivi);
    EXPECT_EQ(menu.Caption(), " Dorneval - Gestione Fogli di Marcia");
    EXPECT_EQ(menu.txtAnnoPreventivi.MaxLength(), 4);
}

// The preset year is selected, so that typing another year replaces it
// (the box already holds its four characters).
TEST_F(MenuTest, TypingOverThePresetYearReplacesIt) {
    EXPECT_EQ(menu.txtAnnoPreventivi.SelLength(), 4);
    h.Type(menu, "2023");
    EXPECT_EQ(menu.txtAnnoPreventivi.Text(), "2023");
    // Also after the warning about a year that is not four digits.
    h.KeyDown(menu, ui::vk::Back);
    h.KeyDown(menu, ui::vk::Back);
    h.ExpectMessage(ui::DialogType::Warning, kAnno);
    h.Click(menu.btnApriPreventivi);
    h.Verify();
    EXPECT_EQ(menu.Focused(), &menu.txtAnnoPreventivi);
    h.Type(menu, "2022");
    EXPECT_EQ(menu.txtAnnoPreventivi.Text(), "2022");
}

TEST_F(MenuTest, OpenHandsTheYearToTheTripSheetWindow) {
    TypeYear("2023");
    h.Click(menu.btnApriPreventivi);
    EXPECT_EQ(fogli.lblFile.Text(), h.DataFolder() + "2023.fdm");
    EXPECT_EQ(fogli.Caption(), " Dorneval - Archivio Fogli di Marcia anno 2023");
    EXPECT_FALSE(menu.Visible());
    EXPECT_TRUE(fogli.Visible());
    EXPECT_FALSE(avvio.Visible());
    // A year never used is accepted: the window works on an empty archive.
    EXPECT_FALSE(rtl::FileExists(h.DataFolder() + "2023.fdm"));
    EXPECT_EQ(fogli.txtNumFoglio.Text(), "");
    h.Click(fogli.cmdNuovo);
    EXPECT_EQ(fogli.txtNumFoglio.Text(), "1");
    EXPECT_TRUE(rtl::FileExists(h.DataFolder() + "2023.fdm"));

    // Closing the window goes to the start menu; the menu shown again has
    // forgotten the year.
    h.Click(fogli.cmdEsci);
    EXPECT_TRUE(avvio.Visible());
    menu.Show();
    EXPECT_EQ(menu.txtAnnoPreventivi.Text(), "2024");
    EXPECT_EQ(menu.lblMemory.Text(), "avvio");
}

// Only four digits open a year; anything else warns, keeps the menu open
// and hands nothing over.
TEST_F(MenuTest, OpenRefusesAnythingButFourDigits) {
    for (const char* anno : {"", "202", "20 4", "../a", "2O24"}) {
        SCOPED_TRACE(anno);
        menu.txtAnnoPreventivi.SetText(anno); // as pasted or set, past the key filter
        h.Focus(menu.btnApriPreventivi);
        h.ExpectMessage(ui::DialogType::Warning, kAnno);
        h.Click(menu.btnApriPreventivi);
        h.Verify();
        EXPECT_EQ(menu.Focused(), &menu.txtAnnoPreventivi);
        EXPECT_TRUE(menu.Visible());
        EXPECT_EQ(menu.lblMemory.Text(), "avvio");
        EXPECT_EQ(fogli.lblFile.Text(), "");
    }
    h.Click(menu.imgEsci);
    EXPECT_FALSE(menu.Visible());
    EXPECT_TRUE(avvio.Visible());
    EXPECT_FALSE(fogli.Visible());
}

TEST_F(MenuTest, YearBoxTakesDigitsOnlyAndEnterOpens) {
    TypeYear("2a0 2.5,6");
    EXPECT_EQ(menu.txtAnnoPreventivi.Text(), "2025");
    h.Press(menu, ui::vk::Return);
    EXPECT_FALSE(menu.Visible());
    EXPECT_TRUE(fogli.Visible());
    EXPECT_EQ(fogli.lblFile.Text(), h.DataFolder() + "2025.fdm");
}

TEST_F(MenuTest, TitleBarCloseShowsTheStartMenu) {
    h.CloseWindow(menu);
    EXPECT_TRUE(avvio.Visible());
    EXPECT_FALSE(fogli.Visible());
}

TEST_F(MenuTest, HelpHasFourteenParagraphs) {
    const auto [titolo, testo] = ts::ApriGuida(h, menu.imgGuida);
    EXPECT_EQ(titolo, "App Gestione Fogli di Marcia");
    std::size_t paragrafi = 1;
    for (std::size_t p = testo.find("\r\n\r\n"); p != std::string::npos; p = testo.find("\r\n\r\n", p + 4))
        ++paragrafi;
    EXPECT_EQ(paragrafi, 14u);
}

namespace {

class NumberingTest : public tt::SheetTest {
protected:
    // Opens the dialog from the trip-sheet window and runs `drive` in it.
    void Open(const std::function<void(TfrmNumerazione&)>& drive) {
        h.OnModal<TfrmNumerazione>([&](TfrmNumerazione& d) { drive(d); });
        h.Click(fogli.cmdNumerazione);
    }
    void Write(const std::string& inizio) {
        rtl::WriteWholeFile(Path("Fogli_di_Marcia.ini"),
                            "[Numerazione Fogli di Marcia]\r\nInizio=" + inizio + "\r\n");
    }
};

} // namespace

TEST_F(NumberingTest, TypedStartIsStoredAndUsedByNew) {
    for (int i = 0; i < 3; ++i)
        AddSheet({{"NumFoglio", std::to_string(i)}});
    Open([&](TfrmNumerazione& d) {
        EXPECT_EQ(d.txtInizio.Text(), "1"); // no settings file
        EXPECT_EQ(d.Focused(), &d.txtInizio);
        EXPECT_TRUE(d.effInizio.Visible());
        d.txtInizio.SetText("");
        h.Type(d, "25x0");
        h.Press(d, ui::vk::Return);
        EXPECT_EQ(d.Focused(), &d.btnApplica);
        EXPECT_FALSE(d.effInizio.Visible());
        h.Click(d.btnApplica);
    });
    EXPECT_EQ(Ini(), "[Numerazione Fogli di Marcia]\r\nInizio=250\r\n");
    h.Click(fogli.cmdNuovo);
    EXPECT_EQ(fogli.txtNumFoglio.Text(), "253");
}

// The number shown is selected, so that a number typed at once replaces it
// instead of mixing with it.
TEST_F(NumberingTest, TypingOverTheShownNumberReplacesIt) {
    Write("100");
    Open([&](TfrmNumerazione& d) {
        EXPECT_EQ(d.txtInizio.Text(), "100");
        EXPECT_EQ(d.txtInizio.SelLength(), 3);
        h.Type(d, "250");
        h.Click(d.btnApplica);
    });
    EXPECT_EQ(Ini(), "[Numerazione Fogli di Marcia]\r\nInizio=250\r\n");
}

TEST_F(NumberingTest, LeavingTheEditTidiesTheNumber) {
    const struct {
        const char* typed;
        const char* written;
    } cases[] = {{"007", "7"}, {"0", "0"}, {"", "1"}, {"   ", "1"}, {"99999", "99999"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        Open([&](TfrmNumerazione& d) {
            d.txtInizio.SetText(c.typed);
            h.Click(d.btnApplica); // the click takes the focus: the exit rule runs first
            EXPECT_EQ(d.txtInizio.Text(), c.written);
        });
        EXPECT_EQ(Ini(), std::string("[Numerazione Fogli di Marcia]\r\nInizio=") + c.written + "\r\n");
    }
    // Start 0 in an empty archive proposes 0.
    h.Click(fogli.cmdNuovo);
    EXPECT_EQ(fogli.txtNumFoglio.Text(), "99999");
    Write("0");
    rtl::DeleteFile(ArchivePath());
    h.Click(fogli.cmdNuovo);
    EXPECT_EQ(fogli.txtNumFoglio.Text(), "0");
}

TEST_F(NumberingTest, AHandEditedValueIsShownThenBecomesOne) {
    Write("dodici");
    Open([&](TfrmNumerazione& d) {
        EXPECT_EQ(d.txtInizio.Text(), "dodici");
        h.Focus(d.btnAnnulla);
        EXPECT_EQ(d.txtInizio.Text(), "1");
        h.Click(d.btnAnnulla);
    });
    EXPECT_EQ(Ini(), "[Numerazione Fogli di Marcia]\r\nInizio=dodici\r\n");
}

TEST_F(NumberingTest, CancelAndOtherTagsWriteNothing) {
    Write("40");
    Open([&](TfrmNumerazione& d) {
        d.txtInizio.SetText("70");
        h.Click(d.btnAnnulla);
        EXPECT_FALSE(d.Visible());
    });
    EXPECT_EQ(Ini(), "[Numerazione Fogli di Marcia]\r\nInizio=40\r\n");

    TfrmNumerazione d(h.app, &fogli);
    d.lblMemory.SetText("registro");
    h.OnModal<TfrmNumerazione>([&](TfrmNumerazione& w) {
        EXPECT_EQ(w.txtInizio.Text(), "1");
        w.txtInizio.SetText("70");
        h.Click(w.btnApplica);
    });
    d.ShowModal();
    EXPECT_EQ(Ini(), "[Numerazione Fogli di Marcia]\r\nInizio=40\r\n");
}

// A failed write reaches the standard error box and the dialog stays open;
// "Annulla" still closes it.
TEST_F(NumberingTest, FailedWriteKeepsTheDialogOpen) {
    Open([&](TfrmNumerazione& d) {
        rtl::CreateFolders(Path("Fogli_di_Marcia.ini"));
        std::string failure;
        try {
            rtl::IniFile(Path("Fogli_di_Marcia.ini"))
                .WriteString("Numerazione Fogli di Marcia", "Inizio", "5");
        } catch (const std::exception& e) {
            failure = e.what();
        }
        ASSERT_FALSE(failure.empty());
        d.txtInizio.SetText("5");
        h.ExpectMessage(ui::DialogType::Error, failure);
        h.Click(d.btnApplica);
        h.Verify();
        EXPECT_TRUE(d.Visible());
        h.Click(d.btnAnnulla);
        EXPECT_FALSE(d.Visible());
    });
}
