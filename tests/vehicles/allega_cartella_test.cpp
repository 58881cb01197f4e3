#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "drivers/Anagrafica.h"
#include "tests/vehicles/VehicleCard.h"
#include "vehicles/AllegaCartella.h"

namespace {

const char* const kSovrascrivi =
    "Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso "
    "nome.\r\n\r\nSi vuole sovrascrivere il file esistente?";

class AttachTest : public vt::CardTest {
protected:
    std::unique_ptr<TfrmAllegaCartella> dlg;

    AttachTest() {
        dlg = std::make_unique<TfrmAllegaCartella>(h.app, &card, &card);
        dlg->lblMemory.SetText("autoparco");
        dlg->Show();
    }
    std::string Source(const std::string& name, const std::string& bytes) {
        rtl::CreateFolders(Path("altrove"));
        rtl::WriteWholeFile(Path("altrove/" + name), bytes);
        return Path("altrove/" + name);
    }
    std::string Attached(const std::string& name) const { return Path("Documenti_Allegati/" + name); }
    // The open dialog answers `file`; a question about overwriting, when
    // one is expected, gets `overwrite`.
    void Choose(ui::Button& sfoglia, std::optional<std::string> file,
                std::optional<ui::Answer> overwrite = std::nullopt) {
        h.ExpectOpenFile(std::move(file));
        if (overwrite) h.ExpectMessage(ui::DialogType::Confirmation, kSovrascrivi, *overwrite);
        h.Click(sfoglia);
        h.Verify();
    }
};

} // namespace

TEST_F(AttachTest, ChoosingCopiesIntoTheAttachmentsFolder) {
    EXPECT_EQ(dlg->Caption(), " Allega file");
    EXPECT_FALSE(dlg->btnApri01.Enabled());
    Choose(dlg->btnSfoglia01, Source("libretto.pdf", "PDF-1"));
    EXPECT_EQ(h.FileDialogs().back().title, "Selezionare il file da allegare:");
    EXPECT_EQ(dlg->txtFile01.Text(), "libretto.pdf");
    EXPECT_TRUE(dlg->btnApri01.Enabled());
    EXPECT_EQ(rtl::ReadWholeFile(Attached("libretto.pdf")), "PDF-1");

    h.Click(dlg->btnApri01);
    ASSERT_EQ(h.ShellOpened().size(), 1u);
    EXPECT_EQ(h.ShellOpened()[0], h.DataFolder() + "Documenti_Allegati/libretto.pdf");
    // A desktop with no program for the file says so, naming it.
    h.SetDesktopOpens(false);
    h.ExpectMessage(ui::DialogType::Warning,
                    "Attenzione: nessun programma ha potuto aprire il file \"" + h.DataFolder() +
                        "Documenti_Allegati/libretto.pdf\".\n\r\n\rPer aprirlo è necessario installare un "
                        "programma adatto a questo tipo di file.");
    h.Click(dlg->btnApri01);
    h.Verify();
    h.SetDesktopOpens(true);

    // Cancelling the dialog changes nothing.
    Choose(dlg->btnSfoglia01, std::nullopt);
    EXPECT_EQ(dlg->txtFile01.Text(), "libretto.pdf");

    // The eraser empties the name; the copy stays.
    h.Click(dlg->imgCancella01);
    EXPECT_EQ(dlg->txtFile01.Text(), "");
    EXPECT_FALSE(dlg->btnApri01.Enabled());
    EXPECT_TRUE(rtl::FileExists(Attached("libretto.pdf")));
}

TEST_F(AttachTest, SameNameAsksBeforeOverwriting) {
    rtl::CreateFolders(Path("Documenti_Allegati"));
    rtl::WriteWholeFile(Attached("polizza.pdf"), "VECCHIA");
    const std::string nuova = Source("polizza.pdf", "NUOVA");

    Choose(dlg->btnSfoglia02, nuova, ui::Answer::No);
    EXPECT_EQ(dlg->txtFile02.Text(), "polizza.pdf");
    EXPECT_EQ(rtl::ReadWholeFile(Attached("polizza.pdf")), "VECCHIA");

    Choose(dlg->btnSfoglia03, nuova, ui::Answer::Yes);
    EXPECT_EQ(rtl::ReadWholeFile(Attached("polizza.pdf")), "NUOVA");

    // The copy already in the folder, chosen again, is neither asked about
    // nor copied onto itself.
    Choose(dlg->btnSfoglia01, Attached("polizza.pdf"));
    EXPECT_EQ(dlg->txtFile01.Text(), "polizza.pdf");
    EXPECT_EQ(rtl::ReadWholeFile(Attached("polizza.pdf")), "NUOVA");
}

TEST_F(AttachTest, FailedCopyKeepsThePreviousNameAndSaysSo) {
    const std::string kCopiaFallita =
        "Attenzione: non è stato possibile copiare il file nella cartella dei documenti allegati.";
    dlg->txtFile01.SetText("vecchio.pdf");
    h.ExpectOpenFile(Path("altrove/non-esiste.pdf"));
    h.ExpectMessage(ui::DialogType::Warning, kCopiaFallita);
    h.Click(dlg->btnSfoglia01);
    h.Verify();
    EXPECT_EQ(dlg->txtFile01.Text(), "vecchio.pdf");
    EXPECT_FALSE(rtl::FileExists(Attached("non-esiste.pdf")));

    // The attachments folder cannot be made: a file holds its name.
    std::filesystem::remove_all(Path("Documenti_Allegati"));
    rtl::WriteWholeFile(Path("Documenti_Allegati"), "not a folder");
    h.ExpectOpenFile(Source("libretto.pdf", "PDF"));
    h.ExpectMessage(ui::DialogType::Warning, kCopiaFallita);
    h.Click(dlg->btnSfoglia02);
    h.Verify();
    EXPECT_EQ(dlg->txtFile02.Text(), "");
}

// Names as long as a folder holds, and names a Windows workstation sharing
// the folder could not open, are copied, stored and opened under the name
// shown.
TEST_F(AttachTest, LongAndWindowsUnfriendlyNamesAreCopiedAndOpened) {
    const std::string lungo = std::string(241, 'L') + ".pdf"; // 245 bytes
    const struct {
        std::string chosen;
        std::string stored;
    } cases[] = {
        {lungo, lungo},
        {"a\\b.pdf", "a_b.pdf"},
        {"r:i*c?e\"v<u>t|a.pdf", "r_i_c_e_v_u_t_a.pdf"},
    };
    for (const auto& c : cases) {
        Choose(dlg->btnSfoglia01, Source(c.chosen, "DOC " + c.chosen));
        EXPECT_EQ(dlg->txtFile01.Text(), c.stored);
        EXPECT_EQ(rtl::ReadWholeFile(Attached(c.stored)), "DOC " + c.chosen);
        h.Click(dlg->btnApri01);
        ASSERT_FALSE(h.ShellOpened().empty());
        EXPECT_EQ(h.ShellOpened().back(), h.DataFolder() + "Documenti_Allegati/" + c.stored);
    }
    EXPECT_EQ(h.ShellOpened().size(), std::size(cases));
}

TEST_F(AttachTest, OnlyPlainNamesInsideTheFolderAreOpened) {
    for (const char* name : {"../Parco_Automezzi.pro", "..", "sub/doc.pdf", "..\\doc.pdf", "/etc/passwd"}) {
        dlg->txtFile01.SetText(name);
        h.Click(dlg->btnApri01);
    }
    EXPECT_TRUE(h.ShellOpened().empty());
    dlg->txtFile01.SetText(" doc 2026.pdf ");
    h.Click(dlg->btnApri01);
    ASSERT_EQ(h.ShellOpened().size(), 1u);
    EXPECT_EQ(h.ShellOpened()[0], h.DataFolder() + "Documenti_Allegati/doc 2026.pdf");
}

TEST_F(AttachTest, ApplyWritesTheCardOfTheCallerTag) {
    card.lblFile01.SetText("prima.pdf");
    dlg->txtFile01.SetText(" nuovo.pdf ");
    dlg->txtDesc01.SetText(" Libretto ");
    dlg->txtDesc03.SetText("Nota");

    // An unknown tag writes nothing and leaves the dialog open.
    dlg->lblMemory.SetText("Autoparco");
    h.Click(dlg->btnApplica);
    EXPECT_TRUE(dlg->Visible());
    EXPECT_EQ(card.lblFile01.Text(), "prima.pdf");

    // "Annulla" leaves the card as it was.
    h.Click(dlg->btnAnnulla);
    EXPECT_FALSE(dlg->Visible());
    EXPECT_EQ(card.lblFile01.Text(), "prima.pdf");

    dlg->Show();
    dlg->lblMemory.SetText(" autoparco ");
    h.Click(dlg->btnApplica);
    EXPECT_FALSE(dlg->Visible());
    EXPECT_EQ(card.lblFile01.Text(), "nuovo.pdf");
    EXPECT_EQ(card.lblDesc01.Text(), "Libretto");
    EXPECT_EQ(card.lblFile02.Text(), "");
    EXPECT_EQ(card.lblDesc03.Text(), "Nota");

    // Stored with the next save.
    vt::CardTest::FillRequired();
    Save(vt::kInserita);
    const std::string file = Archive();
    EXPECT_EQ(std::uint8_t(file.at(1864)), 9);
    EXPECT_EQ(file.substr(1865, 9), "nuovo.pdf");

    // Opened by the driver card with its tag, the dialog writes the driver
    // card and leaves the vehicle's.
    TfrmAnagrafica driver(h.app);
    TfrmAllegaCartella perConduttore(h.app, &driver, &driver);
    perConduttore.Show();
    perConduttore.txtFile01.SetText("patente.pdf");
    perConduttore.txtDesc02.SetText("Patente C");
    perConduttore.txtDesc03.SetText("Nota");
    perConduttore.lblMemory.SetText("anagrafica");
    h.Click(perConduttore.btnApplica);
    EXPECT_FALSE(perConduttore.Visible());
    EXPECT_EQ(driver.Get<ui::Label>("lblFile01").Text(), "patente.pdf");
    EXPECT_EQ(driver.Get<ui::Label>("lblDesc02").Text(), "Patente C");
    EXPECT_EQ(driver.Get<ui::Label>("lblDesc03").Text(), "Nota");
    EXPECT_EQ(card.lblFile01.Text(), "nuovo.pdf");
}

// The stored name is the name of the copy: only characters the archive's
// code page holds, at most the field's 250 characters, extension kept.
TEST(NomeAllegato, NamesTheCopyAsTheArchiveStoresIt) {
    const std::string longStem(300, 'a');
    const struct {
        std::string path;
        std::string name;
    } cases[] = {
        {"/home/u/Documenti/libretto.pdf", "libretto.pdf"},
        {"/tmp/città €.pdf", "città €.pdf"},
        {"/tmp/\xD0\x9F\xD0\xBE\xD0\xBB\xD0\xB8\xD1\x81.pdf", "_____.pdf"},
        {"/tmp/ a?b.txt ", "a_b.txt"},
        {"/tmp/" + longStem + ".docx", std::string(245, 'a') + ".docx"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(vehicles::NomeAllegato(c.path), c.name) << c.path;
}
