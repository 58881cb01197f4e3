#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Guida.h"
#include "drivers/Carta.h"
#include "drivers/CodFisc.h"
#include "drivers/Iban.h"
#include "drivers/PartitaIva.h"
#include "shell/Avvio.h"
#include "tests/drivers/DriverCard.h"
#include "tests/support/StartMenu.h"
#include "vehicles/AllegaCartella.h"
#include "vehicles/TrovaAutomezzi.h"

using dt::CardTest;

namespace {

// A field of a record written by hand: length byte, then the bytes.
void Campo(std::string& record, std::size_t offset, std::string_view bytes) {
    record[offset] = char(bytes.size());
    record.replace(offset + 1, bytes.size(), bytes);
}

} // namespace

TEST_F(CardTest, OpensEmptyWithTheFocusOnTheName) {
    TypeInto(card.txtNote, "qualcosa");
    h.Select(card.txtProv, 3);
    card.chkFerie.SetChecked(true);
    card.lblPosizione.SetText("4");
    card.lblFile01.SetText("a.pdf");
    card.Hide();
    card.Show();
    EXPECT_EQ(card.Caption(), " Dorneval - Archivio Conduttori");
    EXPECT_EQ(card.txtNote.Text(), "");
    EXPECT_EQ(card.txtProv.Text(), "");
    EXPECT_EQ(card.txtProv.ItemIndex(), -1);
    EXPECT_FALSE(card.chkFerie.Checked());
    EXPECT_EQ(card.lblPosizione.Text(), "");
    for (ui::Label* l : {&card.lblFile01, &card.lblFile02, &card.lblFile03, &card.lblDesc01, &card.lblDesc02,
                         &card.lblDesc03})
        EXPECT_EQ(l->Text(), "") << l->Name();
    EXPECT_EQ(card.Focused(), &card.txtConducente);
}

TEST_F(CardTest, ClosingShowsTheStartMenu) {
    TfrmAvvio avvio(h.app);
    ts::MenuAvvio ritorno(avvio);
    h.Click(card.cmdEsci);
    EXPECT_FALSE(card.Visible());
    EXPECT_TRUE(avvio.Visible());
}

// The first save creates the archive with one record, byte for byte as
// written here by hand; the second rewrites it in place.
TEST_F(CardTest, SaveAppendsThenRewritesInPlace) {
    FillRequired("Rossi Mario", "333 1234567", "Fiat", "Panda", "ab123cd");
    TypeInto(card.txtCitta, "Forlì");
    h.Focus(card.txtProv);
    h.Type(card, "fc");
    h.Toggle(card.chkTrasferte);
    Save(dt::kInserita);
    EXPECT_EQ(card.lblPosizione.Text(), "1");

    std::string expected(3206, '\0');
    Campo(expected, 0, "Rossi Mario");
    Campo(expected, 287, "Forl\xEC");
    Campo(expected, 338, "FC");
    Campo(expected, 654, "333 1234567");
    Campo(expected, 957, "Fiat");
    Campo(expected, 1008, "Panda");
    Campo(expected, 1161, "AB123CD");
    Campo(expected, 1694, "No");
    Campo(expected, 1697, "S\xEC");
    EXPECT_EQ(dt::Archivio(), expected);

    TypeInto(card.txtModello, " 4x4");
    h.Toggle(card.chkFerie);
    Save(dt::kModificata);
    EXPECT_EQ(card.lblPosizione.Text(), "1");
    Campo(expected, 1008, "Panda 4x4");
    Campo(expected, 1694, "S\xEC");
    EXPECT_EQ(dt::Archivio(), expected);

    // A new card with the same data is appended all the same.
    h.Click(card.cmdNuovo);
    FillRequired();
    Save(dt::kInserita);
    EXPECT_EQ(card.lblPosizione.Text(), "2");
    EXPECT_EQ(dt::Archivio().size(), 2u * 3206u);
}

TEST_F(CardTest, RequiredFieldsAreCheckedInOrder) {
    const std::string p = "Attenzione: per salvare la scheda è necessario indicare ";
    const struct {
        const char* nome;
        const char* cel;
        const char* marca;
        const char* modello;
        const char* targa;
        std::string message;
        const char* focus;
    } cases[] = {
        {"", "", "", "", "", p + "il nome del conduttore.", "txtConducente"},
        {"  ", "1", "F", "P", "", p + "il nome del conduttore.", "txtConducente"},
        {"R", "", "F", "P", "T", p + "il numero di cellulare del conduttore.", "txtTelCel"},
        {"R", "1", " ", "", "", p + "la marca del veicolo abbinato al conduttore.", "txtMarca"},
        {"R", "1", "F", "", "T", p + "il modello del veicolo abbinato al conduttore.", "txtModello"},
        {"R", "1", "F", "P", " ", p + "la targa del veicolo abbinato al conduttore.", "txtTarga"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        card.txtConducente.SetText(c.nome);
        card.txtTelCel.SetText(c.cel);
        card.txtMarca.SetText(c.marca);
        card.txtModello.SetText(c.modello);
        card.txtTarga.SetText(c.targa);
        h.Focus(card.txtNote);
        h.ExpectMessage(ui::DialogType::Warning, c.message);
        h.Click(card.cmdSalva);
        h.Verify();
        EXPECT_EQ(card.Focused(), card.FindControl(c.focus));
        EXPECT_FALSE(rtl::FileExists(rtl::DataPath("Conducenti.pro")));
        EXPECT_EQ(card.lblPosizione.Text(), "");
    }
}

TEST_F(CardTest, BrowseAnEmptyOrMissingArchive) {
    const std::string empty = "L'archivio non contiene nessuna scheda.";
    for (const char* cmd : {"cmdPrimo", "cmdIndietro", "cmdUltimo"}) {
        card.lblPosizione.SetText("7");
        card.txtNote.SetText("resta");
        h.ExpectMessage(ui::DialogType::Information, empty);
        h.Click(card.Get<ui::Picture>(cmd));
        h.Verify();
        EXPECT_EQ(card.lblPosizione.Text(), "7");
        EXPECT_EQ(card.txtNote.Text(), "resta");
    }
    EXPECT_TRUE(rtl::FileExists(rtl::DataPath("Conducenti.pro")));
    h.ExpectMessage(ui::DialogType::Information, empty);
    h.Click(card.cmdAvanti);
    EXPECT_EQ(card.lblPosizione.Text(), "");
    // Previous on a card showing "1" says nothing, even on an empty archive.
    card.lblPosizione.SetText("1");
    h.Click(card.cmdIndietro);
    EXPECT_EQ(card.lblPosizione.Text(), "1");
}

TEST_F(CardTest, BrowseOneAndThreeRecords) {
    dt::AggiungiConduttore("Uno", "1", "M", "X", "T");
    {
        const struct {
            const char* from;
            const char* cmd;
            const char* to;
        } cases[] = {
            {"", "cmdPrimo", "1"},    {"", "cmdUltimo", "1"},  {"", "cmdAvanti", "1"},
            {"", "cmdIndietro", "1"}, {"1", "cmdAvanti", "1"}, {"1", "cmdIndietro", "1"},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.from) + " " + c.cmd);
            h.Click(card.cmdNuovo);
            card.lblPosizione.SetText(c.from);
            h.Click(card.Get<ui::Picture>(c.cmd));
            EXPECT_EQ(card.lblPosizione.Text(), c.to);
            EXPECT_EQ(card.txtConducente.Text(), std::string(c.from).empty() ? "Uno" : "");
        }
    }
    dt::AggiungiConduttore("Due", "2", "M", "X", "T");
    dt::AggiungiConduttore("Tre", "3", "M", "X", "T");
    const struct {
        const char* from;
        const char* cmd;
        const char* to;
    } cases[] = {
        {"2", "cmdPrimo", "1"},    {"2", "cmdUltimo", "3"},   {"2", "cmdAvanti", "3"},
        {"2", "cmdIndietro", "1"}, {"", "cmdAvanti", "1"},    {"", "cmdIndietro", "1"},
        {"3", "cmdIndietro", "2"}, {"1", "cmdIndietro", "1"}, {"3", "cmdAvanti", "3"},
    };
    const char* nomi[] = {"", "Uno", "Due", "Tre"};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " " + c.cmd);
        h.Click(card.cmdNuovo);
        card.lblPosizione.SetText(c.from);
        h.Click(card.Get<ui::Picture>(c.cmd));
        EXPECT_EQ(card.lblPosizione.Text(), c.to);
        const bool moved = std::string(c.from) != c.to;
        EXPECT_EQ(card.txtConducente.Text(), moved ? nomi[std::stoi(c.to)] : "");
    }
    card.lblPosizione.SetText("x");
    h.ExpectMessage(ui::DialogType::Error, dt::kErroreArchivio);
    h.Click(card.cmdAvanti);
    EXPECT_EQ(card.lblPosizione.Text(), "x");
}

// A record shown fills every input and label; a flag that is neither "Sì"
// nor "No" leaves its box as it was.
TEST_F(CardTest, ShownRecordFillsTheCardAndForeignFlagsLeaveTheBoxes) {
    common::Record r(common::TConduttoreRec);
    const auto elements = common::TConduttoreRec.Elements();
    for (std::size_t i = 0; i < elements.size(); ++i)
        r.Set(elements[i].ref, "v" + std::to_string(i));
    r.Set("Prov", "RM");
    r.Set("Ferie", "Sì");
    r.Set("Trasferte", "No");
    dt::AggiungiRecord(r);
    r.Set("Ferie", "si");
    r.Set("Trasferte", "");
    dt::AggiungiRecord(r);

    h.Click(card.cmdPrimo);
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const std::string& n = elements[i].name;
        if (n == "Prov" || n == "Ferie" || n == "Trasferte") continue;
        ui::Control* c = card.FindControl("txt" + n);
        if (!c) c = card.FindControl("lbl" + n);
        ASSERT_NE(c, nullptr) << n;
        EXPECT_EQ(c->Text(), "v" + std::to_string(i)) << n;
    }
    EXPECT_EQ(card.txtProv.Text(), "RM");
    EXPECT_TRUE(card.chkFerie.Checked());
    EXPECT_FALSE(card.chkTrasferte.Checked());

    card.chkTrasferte.SetChecked(true);
    h.Click(card.cmdAvanti);
    EXPECT_EQ(card.lblPosizione.Text(), "2");
    EXPECT_TRUE(card.chkFerie.Checked());
    EXPECT_TRUE(card.chkTrasferte.Checked());
    card.chkFerie.SetChecked(false);
    h.Click(card.cmdUltimo);
    EXPECT_FALSE(card.chkFerie.Checked());
}

// Nothing is written until a save, which rewrites only that record; a
// damaged length byte reads as the field's capacity, and a cut-short last
// record is not counted.
TEST_F(CardTest, DamagedArchiveIsReadSafelyAndOnlyTheSavedRecordChanges) {
    dt::AggiungiConduttore("Uno", "1", "M", "X", "T");
    dt::AggiungiConduttore("Due", "2", "M", "X", "T");
    std::string file = dt::Archivio();
    file[3206 + 338] = char(200); // Prov of record 2: capacity 2
    file[3206 + 339] = 'A';
    file[3206 + 340] = 'B';
    file += std::string(100, 'z'); // a fragment
    rtl::WriteWholeFile(rtl::DataPath("Conducenti.pro"), file);

    h.Click(card.cmdUltimo);
    EXPECT_EQ(card.lblPosizione.Text(), "2");
    EXPECT_EQ(card.txtProv.Text(), "AB");
    EXPECT_EQ(card.txtCompensi.Text(), "");
    EXPECT_EQ(dt::Archivio(), file);

    h.Click(card.cmdPrimo);
    TypeInto(card.txtNote, "nota");
    Save(dt::kModificata);
    const std::string after = dt::Archivio();
    ASSERT_EQ(after.size(), file.size());
    EXPECT_EQ(after.substr(3206), file.substr(3206));
    EXPECT_EQ(after.substr(1443, 5), "\x04nota");
}

TEST_F(CardTest, DuplicateThenSaveAppendsWithoutAttachments) {
    h.ExpectMessage(ui::DialogType::Warning,
                    "Attenzione: la duplicazione di una scheda può avvenire soltanto dopo "
                    "che questa è stata inserita in archivio.");
    card.txtNote.SetText("resta");
    h.Click(card.cmdDuplica);
    h.Verify();
    EXPECT_EQ(card.txtNote.Text(), "resta");
    EXPECT_FALSE(rtl::FileExists(rtl::DataPath("Conducenti.pro")));

    FillRequired();
    h.Toggle(card.chkFerie);
    card.lblFile01.SetText("patente.pdf");
    card.lblDesc01.SetText("Patente");
    Save(dt::kInserita);

    h.Focus(card.txtNote);
    h.ExpectMessage(ui::DialogType::Information,
                    "E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
                    "Al termine premere Salva per inserire la scheda in archivio.");
    h.Click(card.cmdDuplica);
    h.Verify();
    EXPECT_EQ(card.lblPosizione.Text(), "");
    EXPECT_EQ(card.lblFile01.Text(), "");
    EXPECT_EQ(card.lblDesc01.Text(), "");
    EXPECT_EQ(card.txtConducente.Text(), "Rossi Mario");
    EXPECT_TRUE(card.chkFerie.Checked());
    EXPECT_EQ(card.Focused(), &card.txtConducente);

    TypeInto(card.txtTarga, "ZZ");
    Save(dt::kInserita);
    EXPECT_EQ(card.lblPosizione.Text(), "2");
    const std::string file = dt::Archivio();
    ASSERT_EQ(file.size(), 2u * 3206u);
    EXPECT_EQ(file.substr(3206, 1161), file.substr(0, 1161));
    EXPECT_EQ(file.substr(3206 + 1161, 10), std::string("\x09"
                                                        "AB123CDZZ"));
    EXPECT_EQ(file.substr(3206 + 1694, 3), "\x02S\xEC");
    EXPECT_EQ(file.substr(1700, 12), "\x0Bpatente.pdf");
    EXPECT_EQ(file[3206 + 1700], 0);
    EXPECT_EQ(file[3206 + 2453], 0);
}

TEST_F(CardTest, SaveFailureReportsAndKeepsTheNumber) {
    rtl::CreateFolders(rtl::DataPath("Conducenti.pro")); // a folder where the archive should be
    FillRequired();
    h.ExpectMessage(ui::DialogType::Error, dt::kErroreArchivio);
    h.Click(card.cmdSalva);
    h.Verify();
    EXPECT_EQ(card.lblPosizione.Text(), "");
    for (const char* cmd : {"cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo"}) {
        h.ExpectMessage(ui::DialogType::Error, dt::kErroreArchivio);
        h.Click(card.Get<ui::Picture>(cmd));
        h.Verify();
    }
    card.lblPosizione.SetText("3");
    h.ExpectMessage(ui::DialogType::Error, dt::kErroreArchivio);
    h.Click(card.cmdDuplica);
    h.Verify();
    EXPECT_EQ(card.lblPosizione.Text(), "");
}

// --- Fields -------------------------------------------------------------------

TEST_F(CardTest, EnterRingMaxLengthAndHighlight) {
    const char* ring[] = {"Conducente", "Patenti",  "Recapito", "Via",        "Cap",           "Citta",
                          "Prov",       "Compensi", "TelCasa",  "TelUff",     "TelCel",        "Fax",
                          "Email",      "CodFisc",  "Carta",    "ScadeCarta", "PartitaIva",    "Iban",
                          "Veicolo",    "Marca",    "Modello",  "Colore",     "Alimentazione", "Targa",
                          "Programma",  "Note"};
    const int capacity[] = {50, 50, 50, 120, 12, 50, 2,  250, 30, 30, 30, 50,  50,
                            16, 30, 30, 11,  27, 50, 50, 50,  50, 50, 30, 250, 250};
    const std::size_t n = std::size(ring);
    for (std::size_t i = 0; i < n; ++i) {
        SCOPED_TRACE(ring[i]);
        auto& edit = card.Get<ui::Edit>(std::string("txt") + ring[i]);
        auto& eff = card.Get<ui::Rectangle>(std::string("eff") + ring[i]);
        EXPECT_EQ(edit.MaxLength(), capacity[i]);
        h.Focus(edit);
        EXPECT_TRUE(eff.Visible());
        h.Press(card, ui::vk::Return);
        EXPECT_FALSE(eff.Visible());
        EXPECT_EQ(card.Focused(), card.FindControl(std::string("txt") + ring[(i + 1) % n]));
    }
    // The tab order follows the record, each box after its field.
    EXPECT_LT(card.txtProgramma.TabOrder(), card.chkFerie.TabOrder());
    EXPECT_LT(card.chkFerie.TabOrder(), card.txtNote.TabOrder());
    EXPECT_LT(card.txtNote.TabOrder(), card.chkTrasferte.TabOrder());
    TypeInto(card.txtCap, "1234567890123");
    EXPECT_EQ(card.txtCap.Text(), "123456789012");
}

TEST_F(CardTest, TypingRulesOfTheFields) {
    // Upper case and trim while typing; a blank inside survives only when
    // inserted between characters.
    for (ui::Edit* e : {&card.txtCodFisc, &card.txtIban, &card.txtTarga}) {
        SCOPED_TRACE(e->Name());
        TypeInto(*e, " ab ");
        EXPECT_EQ(e->Text(), "AB");
        h.Paste(card, "cè d ");
        EXPECT_EQ(e->Text(), "ABCèD");
        h.Press(card, ui::vk::Left);
        h.Type(card, " ");
        EXPECT_EQ(e->Text(), "ABCè D");
        e->SetText("");
    }
    h.Focus(card.txtProv);
    h.Type(card, " r");
    EXPECT_EQ(card.txtProv.Text(), "R");
    h.Type(card, "m");
    EXPECT_EQ(card.txtProv.Text(), "RM");
    // Trim only, case kept.
    for (ui::Edit* e : {&card.txtFax, &card.txtEmail}) {
        SCOPED_TRACE(e->Name());
        TypeInto(*e, " Mario.Rossi@Pec.it ");
        EXPECT_EQ(e->Text(), "Mario.Rossi@Pec.it");
    }
    // Other fields keep what is typed.
    TypeInto(card.txtVia, " via Roma 1 ");
    EXPECT_EQ(card.txtVia.Text(), " via Roma 1 ");
    TypeInto(card.txtScadeCarta, "fine 2027, forse");
    EXPECT_EQ(card.txtScadeCarta.Text(), "fine 2027, forse");
}

TEST_F(CardTest, CardNumberAndVatNumberTakeDigits) {
    TypeInto(card.txtCarta, "4111 a-1111");
    EXPECT_EQ(card.txtCarta.Text(), "41111111");
    h.Press(card, ui::vk::Back);
    h.Press(card, ui::vk::Left);
    h.Press(card, ui::vk::Delete);
    EXPECT_EQ(card.txtCarta.Text(), "411111");
    // Pasted text passes the same filter.
    card.txtCarta.SetText("");
    h.Paste(card, "4111 XX-22");
    EXPECT_EQ(card.txtCarta.Text(), "411122");

    TypeInto(card.txtPartitaIva, "12a3 4");
    EXPECT_EQ(card.txtPartitaIva.Text(), "1234");
    h.Focus(card.txtIban);
    EXPECT_EQ(card.txtPartitaIva.Text(), "1234");
    card.txtPartitaIva.SetText("");
    h.Focus(card.txtPartitaIva);
    h.Paste(card, "12a 3");
    EXPECT_EQ(card.txtPartitaIva.Text(), "123");
    // Text with other characters that reached the field another way (a
    // recalled record) shows until the field is left, then goes whole.
    const char* arrived[] = {"12ab", "123 45", " 123"};
    for (const char* p : arrived) {
        SCOPED_TRACE(p);
        h.Focus(card.txtPartitaIva);
        card.txtPartitaIva.SetText(p);
        EXPECT_EQ(card.txtPartitaIva.Text(), p);
        h.Focus(card.txtIban);
        EXPECT_EQ(card.txtPartitaIva.Text(), "");
    }
    // A card number with other characters is stored as it is, trimmed.
    card.txtCarta.SetText(" 4111 XX ");
    FillRequired();
    Save(dt::kInserita);
    EXPECT_EQ(dt::Archivio().substr(804, 8), "\x07"
                                             "4111 XX");
}

TEST_F(CardTest, ProvinceListAndSelection) {
    const std::vector<std::string>& items = card.txtProv.Items();
    ASSERT_EQ(items.size(), 112u);
    EXPECT_EQ(items.front(), "AG");
    EXPECT_EQ(items[31], "EE");
    EXPECT_EQ(items.back(), "VV");
    h.Select(card.txtProv, 5);
    EXPECT_EQ(card.txtProv.Text(), "AQ");
    h.Focus(card.txtNote);
    h.Focus(card.txtProv);
    EXPECT_EQ(card.txtProv.ItemIndex(), -1);
    EXPECT_EQ(card.txtProv.Text(), "AQ");
    // A code outside the list is kept, upper-cased, also when set by code.
    card.txtProv.SetText(" zz ");
    h.Focus(card.txtNote);
    EXPECT_EQ(card.txtProv.Text(), "ZZ");
    FillRequired();
    Save(dt::kInserita);
    EXPECT_EQ(dt::Archivio().substr(338, 3), "\x02ZZ");
}

// --- Doors to other windows ----------------------------------------------------

TEST_F(CardTest, TaxCodeButtonChoosesTheCheck) {
    std::string visto;
    h.OnModal<TfrmCodFisc>([&](TfrmCodFisc& d) {
        EXPECT_EQ(d.Owner(), &card);
        visto = "cf:" + d.txtCodFisc.Text();
        h.Click(d.btnChiudi);
    });
    h.OnModal<TfrmPartitaIva>([&](TfrmPartitaIva& d) {
        visto = "iva:" + d.txtPartitaIva.Text();
        if (d.txtPartitaIva.Text().size() == 11) {
            h.Click(d.btnChiudi);
            return;
        }
        // A 16-digit code arrives whole and gets the length warning.
        h.ExpectMessage(ui::DialogType::Warning,
                        "Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.");
        h.Click(d.btnControlla);
        EXPECT_TRUE(d.Visible());
        h.Click(d.btnChiudi);
    });
    const struct {
        const char* testo;
        const char* atteso;
    } cases[] = {
        {"", "cf:"},
        {"   ", "cf:"},
        {"12345670017", "iva:12345670017"},
        {"1234567890123456", "iva:1234567890123456"},
        {"RSSMRA85T10A562S", "cf:RSSMRA85T10A562S"},
        {"123 456", "cf:123 456"},
    };
    for (const auto& c : cases) {
        card.txtCodFisc.SetText(std::string(" ") + c.testo + " ");
        h.Click(card.btnCodFisc);
        h.Verify();
        EXPECT_EQ(visto, c.atteso);
    }
}

TEST_F(CardTest, CheckButtonsPresetTheTrimmedField) {
    card.txtPartitaIva.SetText(" 12345670017 ");
    card.txtCarta.SetText(" 4111 ");
    card.txtIban.SetText(" IT60 ");
    std::string iva, carta, iban;
    h.OnModal<TfrmPartitaIva>([&](TfrmPartitaIva& d) { iva = d.txtPartitaIva.Text(); });
    h.OnModal<TfrmCarta>([&](TfrmCarta& d) { carta = d.txtNumero.Text(); });
    h.OnModal<TfrmIban>([&](TfrmIban& d) { iban = d.txtIban.Text(); });
    h.Click(card.btnPartitaIva);
    h.Click(card.btnCarta);
    h.Click(card.btnIban);
    EXPECT_EQ(iva, "12345670017");
    EXPECT_EQ(carta, "4111");
    EXPECT_EQ(iban, "IT60");
}

TEST_F(CardTest, MailButtonOpensTheMailLink) {
    for (const char* address : {"mario.rossi@example.it", " ", "a?cc=b&x@y.it"}) {
        card.txtEmail.SetText(address);
        h.Click(card.btnEmail);
    }
    // The shell receives the link whole, its quotes removed.
    const std::vector<std::string> expected = {"mailto:mario.rossi@example.it",
                                               "mailto:", "mailto:a%3Fcc%3Db%26x@y.it"};
    EXPECT_EQ(h.ShellOpened(), expected);
}

TEST_F(CardTest, AttachmentsDialogIsPresetAndWritesBack) {
    card.lblFile01.SetText(" a.pdf ");
    card.lblDesc01.SetText("Patente");
    card.lblFile03.SetText("c.jpg");
    h.OnModal<TfrmAllegaCartella>([&](TfrmAllegaCartella& d) {
        EXPECT_EQ(d.lblMemory.Text(), "anagrafica");
        EXPECT_EQ(d.txtFile01.Text(), "a.pdf");
        EXPECT_EQ(d.txtDesc01.Text(), "Patente");
        EXPECT_EQ(d.txtFile02.Text(), "");
        EXPECT_EQ(d.txtFile03.Text(), "c.jpg");
        d.txtDesc02.SetText("Carta d'identità");
        h.Click(d.btnApplica);
    });
    h.Click(card.cmdFile);
    EXPECT_EQ(card.lblDesc02.Text(), "Carta d'identità");
    EXPECT_EQ(card.lblFile01.Text(), "a.pdf");
}

// A vehicle imported into a stored card is saved into that card's record.
TEST_F(CardTest, ImportedVehicleIsSavedIntoTheStoredRecord) {
    ts::AggiungiRecord(rtl::DataPath("Parco_Automezzi.pro"), common::TAutomezzoRec,
                       {{"Tipo", "Furgone"},
                        {"Marca", "Iveco"},
                        {"Modello", "Daily"},
                        {"Targa", "FF999FF"},
                        {"Colore", "Bianco"},
                        {"Alimentazione", "Gasolio"}});
    dt::AggiungiConduttore("Uno", "1", "Fiat", "Panda", "AB123CD");
    dt::AggiungiConduttore("Due", "2", "Fiat", "Punto", "CD456EF");
    h.Click(card.cmdUltimo);
    h.OnModal<TfrmTrovaAutomezzi>([&](TfrmTrovaAutomezzi& t) {
        EXPECT_EQ(t.lblMemory.Text(), "anagrafica");
        h.Click(t.btnCerca);
        h.DblClickItem(t.lstRecords, 0);
    });
    h.Click(card.impVeicolo);
    EXPECT_EQ(card.lblPosizione.Text(), "2");
    EXPECT_EQ(card.txtMarca.Text(), "Iveco");
    Save(dt::kModificata);
    const std::string file = dt::Archivio();
    ASSERT_EQ(file.size(), 2u * 3206u);
    EXPECT_EQ(file.substr(3206 + 906, 8), "\x07"
                                          "Furgone");
    EXPECT_EQ(file.substr(3206 + 957, 6), "\x05"
                                          "Iveco");
    EXPECT_EQ(file.substr(3206 + 1161, 8), "\x07"
                                           "FF999FF");
    EXPECT_EQ(file.substr(3206 + 1110, 8), "\x07"
                                           "Gasolio");
    EXPECT_EQ(file.substr(957, 5), "\x04"
                                   "Fiat");
}

TEST_F(CardTest, HintsAndHelp) {
    const struct {
        const char* control;
        const char* hint;
    } hints[] = {
        {"cmdNuovo", "Prepara la schermata per la registrazione di una nuova scheda."},
        {"cmdEsporta", "Esporta le schede in archivio in un file di Excel."},
        {"cmdEsci", "Esci da questa schermata di lavoro."},
        {"impVeicolo", "Importa i dati dal parco automezzi."},
        {"btnIban", "Controlla l'IBAN."},
        {"btnEmail", "Invia una e-mail all'indirizzo indicato."},
        {"chkTrasferte",
         "Spunta questa casella per annotare che il conduttore è disposto ad effettuare lunghe trasferte."},
    };
    for (const auto& c : hints) {
        h.MouseMove(card.Get<ui::Control>(c.control));
        EXPECT_EQ(card.panInfo.Text(), c.hint);
        h.MouseMove(card.Get<ui::Control>("imgSezione04"));
        EXPECT_EQ(card.panInfo.Text(), "");
    }
    std::string testo;
    h.OnModal<TfrmGuida>([&](TfrmGuida& g) {
        EXPECT_EQ(g.lblTitolo.Text(), "App Archivio Conduttori");
        testo = g.txtGuida.Text();
        h.Click(g.btnChiudi);
    });
    h.Click(card.cmdGuida);
    std::size_t paragrafi = 1;
    for (std::size_t at = 0; (at = testo.find("\r\n\r\n", at)) != std::string::npos; at += 4)
        ++paragrafi;
    EXPECT_EQ(paragrafi, 11u);
}
