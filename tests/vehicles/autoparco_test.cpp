#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Archive.h"
#include "common/Calendario.h"
#include "common/Guida.h"
#include "platform/image/Image.h"
#include "platform/rtl/Text.h"
#include "shell/Avvio.h"
#include "tests/support/Drawing.h"
#include "tests/support/StartMenu.h"
#include "tests/vehicles/VehicleCard.h"
#include "vehicles/AllegaCartella.h"
#include "vehicles/AllegaExcel.h"
#include "vehicles/TrovaAutomezzi.h"

using vt::CardTest;

namespace {

const char* const kErroreArchivio =
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.";

std::uint8_t Len(const std::string& file, std::size_t at) {
    return std::uint8_t(file.at(at));
}

} // namespace

TEST_F(CardTest, OpensEmptyWithThePlaceholderAndTheFocusOnTheType) {
    TypeInto(card.txtNote, "qualcosa");
    card.lblPosizione.SetText("4");
    card.lblFile01.SetText("a.pdf");
    card.imgFoto.SetBitmap(std::make_shared<const img::Bitmap>(ts::Filled(4, 4, 0xFFFF0000)));
    card.Hide();
    card.Show();
    for (int i = 0; i < 38; ++i)
        EXPECT_EQ(card.Campo(i).Text(), "") << i;
    EXPECT_EQ(card.lblPosizione.Text(), "");
    EXPECT_EQ(card.imgFoto.Bitmap(), card.imgBianco.Bitmap());
    EXPECT_EQ(card.Focused(), &card.txtTipo);
    EXPECT_EQ(card.Caption(), " Dorneval - Parco Automezzi");
}

// The first save creates the archive with record 1 and the photo file of
// record 1; the second rewrites the same record in place.
TEST_F(CardTest, SaveAppendsThenRewritesInPlace) {
    FillRequired("Autovettura", "Fiat", "Panda", "ab123cd");
    TypeInto(card.txtNote, "Città €");
    TypeInto(card.txtTelaio, "ZFA1234567XYZ"); // only ten characters fit
    Save(vt::kInserita);
    EXPECT_EQ(card.lblPosizione.Text(), "1");

    std::string file = Archive();
    ASSERT_EQ(file.size(), 3370u);
    EXPECT_EQ(Len(file, 0), 11);
    EXPECT_EQ(file.substr(1, 11), "Autovettura");
    EXPECT_EQ(Len(file, 102), 4);
    EXPECT_EQ(file.substr(103, 4), "Fiat");
    EXPECT_EQ(Len(file, 204), 7);
    EXPECT_EQ(file.substr(205, 7), "AB123CD");
    EXPECT_EQ(Len(file, 289), 10);
    EXPECT_EQ(file.substr(290, 10), "ZFA1234567");
    EXPECT_EQ(Len(file, 1613), 7);
    EXPECT_EQ(file.substr(1614, 7), "Citt\xE0 \x80"); // windows-1252
    EXPECT_EQ(Len(file, 51), 0);                      // Destinazione left empty
    EXPECT_EQ(Len(file, 1864), 0);                    // no attachment

    const std::string photo = Path("Autoparco/Scheda_Veicolo_1.jpg");
    ASSERT_TRUE(rtl::FileExists(photo));
    const img::Bitmap stored = img::LoadFile(photo);
    EXPECT_EQ(stored.width, card.imgBianco.Bitmap()->width);
    EXPECT_EQ(stored.height, card.imgBianco.Bitmap()->height);

    TypeInto(card.txtModello, " 4x4");
    Save(vt::kModificata);
    EXPECT_EQ(card.lblPosizione.Text(), "1");
    file = Archive();
    ASSERT_EQ(file.size(), 3370u);
    EXPECT_EQ(file.substr(154, 9), "Panda 4x4");

    // Saving a new card again appends, even with the same data.
    h.Click(card.cmdNuovo);
    FillRequired();
    Save(vt::kInserita);
    EXPECT_EQ(card.lblPosizione.Text(), "2");
    EXPECT_EQ(Archive().size(), 2u * 3370u);
}

// Typed or pasted, what windows-1252 cannot hold never enters a field: the
// record holds exactly what the card shows.
TEST_F(CardTest, FieldsTakeOnlyWhatTheArchiveHoldsAndStoreWhatTheyShow) {
    FillRequired();
    TypeInto(card.txtNote, "Łódź 🚗 é€");
    EXPECT_EQ(card.txtNote.Text(), "ód  é€");
    h.Focus(card.txtModello);
    card.txtModello.SetCaretPosition(5);
    h.Paste(card, " Ÿ™ä\u0085\u009F中ł");
    EXPECT_EQ(card.txtModello.Text(), "Panda Ÿ™ä");
    Save(vt::kInserita);

    const std::string file = Archive();
    ASSERT_EQ(file.size(), 3370u);
    EXPECT_EQ(Len(file, 153), 9);
    EXPECT_EQ(file.substr(154, 9), "Panda \x9F\x99\xE4");
    EXPECT_EQ(Len(file, 1613), 6);
    EXPECT_EQ(file.substr(1614, 6), "\xF3"
                                    "d  \xE9\x80");
    EXPECT_EQ(rtl::Cp1252ToUtf8(file.substr(154, 9)), card.txtModello.Text());
    EXPECT_EQ(rtl::Cp1252ToUtf8(file.substr(1614, 6)), card.txtNote.Text());
}

TEST_F(CardTest, RequiredFieldsAreCheckedInOrder) {
    const struct {
        const char* tipo;
        const char* marca;
        const char* modello;
        const char* targa;
        const char* message;
        const char* focus;
    } cases[] = {
        {"", "", "", "", "Attenzione: per salvare la scheda è necessario indicare il tipo di veicolo.",
         "txtTipo"},
        {"   ", "Fiat", "Panda", "",
         "Attenzione: per salvare la scheda è necessario indicare il tipo di veicolo.", "txtTipo"},
        {"Auto", "", "", "X", "Attenzione: per salvare la scheda è necessario indicare la marca del veicolo.",
         "txtMarca"},
        {"Auto", "Fiat", "", "",
         "Attenzione: per salvare la scheda è necessario indicare il modello del veicolo.", "txtModello"},
        {"Auto", "Fiat", "Panda", "",
         "Attenzione: per salvare la scheda è necessario indicare la targa del veicolo.", "txtTarga"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        card.txtTipo.SetText(c.tipo);
        card.txtMarca.SetText(c.marca);
        card.txtModello.SetText(c.modello);
        card.txtTarga.SetText(c.targa);
        h.Focus(card.txtNote);
        h.ExpectMessage(ui::DialogType::Warning, c.message);
        h.Click(card.cmdSalva);
        h.Verify();
        EXPECT_EQ(card.Focused(), card.FindControl(c.focus));
        EXPECT_EQ(Archive(), "");
        EXPECT_EQ(card.lblPosizione.Text(), "");
    }
}

TEST_F(CardTest, BrowseAnEmptyArchive) {
    const std::string empty = "L'archivio non contiene nessuna scheda.";
    for (const char* cmd : {"cmdPrimo", "cmdIndietro", "cmdUltimo"}) {
        card.lblPosizione.SetText("7");
        h.ExpectMessage(ui::DialogType::Information, empty);
        h.Click(card.Get<ui::Picture>(cmd));
        h.Verify();
        EXPECT_EQ(card.lblPosizione.Text(), "7");
    }
    h.ExpectMessage(ui::DialogType::Information, empty);
    h.Click(card.cmdAvanti);
    EXPECT_EQ(card.lblPosizione.Text(), "");
    EXPECT_TRUE(rtl::FileExists(Path("Parco_Automezzi.pro")));
}

TEST_F(CardTest, BrowseThreeRecords) {
    AddRecord("Uno");
    AddRecord("Due");
    AddRecord("Tre");
    const struct {
        const char* from;
        const char* cmd;
        const char* to;
    } cases[] = {
        {"2", "cmdPrimo", "1"},    {"2", "cmdUltimo", "3"},   {"2", "cmdAvanti", "3"},
        {"2", "cmdIndietro", "1"}, {"", "cmdAvanti", "1"},    {"", "cmdIndietro", "1"},
        {"3", "cmdIndietro", "2"}, {"1", "cmdIndietro", "1"}, {"3", "cmdAvanti", "3"},
    };
    const char* tipi[] = {"", "Uno", "Due", "Tre"};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " -> " + c.to);
        card.PreparaNuovaScheda();
        card.lblPosizione.SetText(c.from);
        h.Click(card.Get<ui::Picture>(c.cmd));
        EXPECT_EQ(card.lblPosizione.Text(), c.to);
        // A command that does nothing leaves the card as it was.
        const bool moved = std::string(c.from) != c.to;
        EXPECT_EQ(card.txtTipo.Text(), moved ? tipi[std::stoi(c.to)] : "");
    }
    // A record number that is no number is an archive failure.
    card.lblPosizione.SetText("x");
    h.ExpectMessage(ui::DialogType::Error, kErroreArchivio);
    h.Click(card.cmdAvanti);
    EXPECT_EQ(card.lblPosizione.Text(), "x");
}

TEST_F(CardTest, ShownRecordReplacesEveryField) {
    common::Record r(vehicles::TAutomezzoRec);
    const auto elements = vehicles::TAutomezzoRec.Elements();
    for (std::size_t i = 0; i < elements.size(); ++i)
        r.Set(elements[i].ref, "v" + std::to_string(i));
    common::Archivio(vehicles::PercorsoArchivioAutomezzi(), vehicles::TAutomezzoRec).Scrivi("", r);
    h.Click(card.cmdPrimo);
    for (int i = 0; i < 38; ++i)
        EXPECT_EQ(card.Campo(i).Text(), "v" + std::to_string(i));
    EXPECT_EQ(card.lblDesc03.Text(), "v37");
    EXPECT_EQ(card.lblPosizione.Text(), "1");
}

TEST_F(CardTest, DuplicateKeepsTheFieldsAndDropsNumberAttachmentsAndPhoto) {
    h.ExpectMessage(ui::DialogType::Warning,
                    "Attenzione: la duplicazione di una scheda può avvenire soltanto dopo "
                    "che questa è stata inserita in archivio.");
    h.Click(card.cmdDuplica);
    h.Verify();

    FillRequired();
    TypeInto(card.txtColore, "Rosso");
    card.lblFile01.SetText("libretto.pdf");
    card.lblDesc01.SetText("Libretto");
    Save(vt::kInserita);
    card.imgFoto.SetBitmap(std::make_shared<const img::Bitmap>(ts::Filled(40, 20, 0xFF00FF00)));

    h.Focus(card.txtNote);
    h.ExpectMessage(ui::DialogType::Information,
                    "E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
                    "Al termine premere Salva per inserire la scheda in archivio.");
    h.Click(card.cmdDuplica);
    h.Verify();
    EXPECT_EQ(card.lblPosizione.Text(), "");
    EXPECT_EQ(card.lblFile01.Text(), "");
    EXPECT_EQ(card.lblDesc01.Text(), "");
    EXPECT_EQ(card.txtColore.Text(), "Rosso");
    EXPECT_EQ(card.imgFoto.Bitmap(), card.imgBianco.Bitmap());
    EXPECT_EQ(card.Focused(), &card.txtTipo);

    Save(vt::kInserita);
    EXPECT_EQ(card.lblPosizione.Text(), "2");
    const std::string file = Archive();
    ASSERT_EQ(file.size(), 2u * 3370u);
    EXPECT_EQ(file.substr(3370, 1864), file.substr(0, 1864)); // the 32 fields
    EXPECT_EQ(Len(file, 1864), 12);                           // the original keeps its attachment
    EXPECT_EQ(Len(file, 3370 + 1864), 0);                     // the copy has none
    EXPECT_EQ(Len(file, 3370 + 2617), 0);
    EXPECT_TRUE(rtl::FileExists(Path("Autoparco/Scheda_Veicolo_2.jpg")));
}

TEST_F(CardTest, SaveFailureReportsAndWritesNoPhoto) {
    rtl::CreateFolders(Path("Parco_Automezzi.pro")); // a folder where the archive should be
    FillRequired();
    h.ExpectMessage(ui::DialogType::Error, kErroreArchivio);
    h.Click(card.cmdSalva);
    h.Verify();
    EXPECT_EQ(card.lblPosizione.Text(), "");
    EXPECT_FALSE(rtl::FileExists(Path("Autoparco/Scheda_Veicolo_.jpg")));
    EXPECT_FALSE(rtl::FileExists(Path("Autoparco/Scheda_Veicolo_1.jpg")));
}

// The Enter chain follows the record order and closes on the type; Enter
// never opens the date picker.
TEST_F(CardTest, EnterMovesAlongTheRecordOrder) {
    for (int i = 0; i < 32; ++i) {
        auto& edit = static_cast<ui::Edit&>(card.Campo(i));
        h.Focus(edit);
        h.Press(card, ui::vk::Return);
        EXPECT_EQ(card.Focused(), &card.Campo((i + 1) % 32)) << edit.Name();
        EXPECT_EQ(edit.TabOrder(), i) << edit.Name();
    }
    EXPECT_EQ(h.ModalCount(), 0);
}

TEST_F(CardTest, EditsTakeAtMostTheirFieldsCapacity) {
    const auto elements = vehicles::TAutomezzoRec.Elements();
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(static_cast<ui::Edit&>(card.Campo(i)).MaxLength(), elements[std::size_t(i)].ref.capacity);
    TypeInto(card.txtTelaio, "ABCDEFGHIJK");
    EXPECT_EQ(card.txtTelaio.Text(), "ABCDEFGHIJ");
    TypeInto(card.txtTarga, "ABCDEFGHIJKLMN");
    EXPECT_EQ(card.txtTarga.Text(), "ABCDEFGHIJKL");
}

TEST_F(CardTest, DateFieldsTakeTheirDateFromThePicker) {
    h.SetToday(*rtl::Date::FromYmd(2026, 3, 5));
    ui::Edit* dates[] = {&card.txtLettura, &card.txtScadRevisione, &card.txtScadTagliando,
                         &card.txtScadAssicurazione, &card.txtScadBollo};
    bool confirm = true;
    h.OnModal<TfrmCalendario>([&](TfrmCalendario& c) { h.Click(confirm ? c.btnImportaData : c.btnAnnulla); });
    for (ui::Edit* d : dates) {
        SCOPED_TRACE(d->Name());
        EXPECT_TRUE(d->ReadOnly());
        h.Focus(*d);
        confirm = true;
        h.Press(card, '7', U'7');
        EXPECT_EQ(d->Text(), "05/03/2026");
        confirm = false;
        h.Press(card, ui::vk::Space, U' ');
        EXPECT_EQ(d->Text(), "05/03/2026");
        h.Press(card, ui::vk::Back);
        EXPECT_EQ(d->Text(), "");
    }
    EXPECT_EQ(h.ModalCount("TfrmCalendario"), 10);
}

TEST_F(CardTest, PlateIsUpperCasedAndRefusesItsCharacters) {
    TypeInto(card.txtTarga, " ab/c \xC3\xA9\xE2\x82\xAC"
                            "1 ");
    EXPECT_EQ(card.txtTarga.Text(), "ABC1");
    h.Paste(card, "x<y>&\xC2\xA3z\xC2\xB0");
    EXPECT_EQ(card.txtTarga.Text(), "ABC1XYZ");
    // Other edits take those characters.
    TypeInto(card.txtNote, "a/b \xE2\x82\xAC \xC2\xA3 \xC3\xA9");
    EXPECT_EQ(card.txtNote.Text(), "a/b \xE2\x82\xAC \xC2\xA3 \xC3\xA9");
    // Enter in the plate moves to the registration.
    h.Focus(card.txtTarga);
    h.Press(card, ui::vk::Return);
    EXPECT_EQ(card.Focused(), &card.txtAnno);
}

TEST_F(CardTest, FocusedFieldTurnsYellow) {
    const struct {
        const char* edit;
        ui::Color resting;
    } cases[] = {{"txtTipo", 0xFFF0F8FF},
                 {"txtProprietario", 0xFFF0F8FF},
                 {"txtAutista", 0xFFFFFFFF},
                 {"txtScadBollo", 0xFFFFFFFF},
                 {"txtNote", 0xFFFFFFFF}};
    for (const auto& c : cases) {
        ui::Edit& e = card.Get<ui::Edit>(c.edit);
        SCOPED_TRACE(e.Name());
        h.Focus(card.txtColore);
        ui::StyleElement* bg = e.FindStyleResource("background");
        ASSERT_NE(bg, nullptr);
        ASSERT_EQ(bg->children.size(), 1u);
        EXPECT_EQ(bg->children[0]->fill, c.resting);
        EXPECT_EQ(bg->children[0]->stroke, 0xFF87CEEB);
        h.Focus(e);
        EXPECT_EQ(bg->children[0]->fill, 0xFFFFFF00);
        h.Focus(card.txtColore);
        EXPECT_EQ(bg->children[0]->fill, c.resting);
    }
}

TEST_F(CardTest, CommandsShowTheirHintsAndTheBackgroundClearsThem) {
    EXPECT_EQ(card.panInfo.Text(), "Pronto per registrare una nuova scheda...");
    const struct {
        const char* cmd;
        const char* hint;
    } cases[] = {
        {"cmdNuovo", "Prepara la schermata per l'inserimento di una nuova scheda."},
        {"cmdSalva", "Salva la scheda in archivio."},
        {"cmdStampa", "Stampa la scheda."},
        {"cmdAnteprima", "Visualizza l'anteprima di stampa della scheda."},
        {"cmdUltimo", "Visualizza l'ultima scheda in archivio."},
        {"btnZoomFoto", "Visualizza la foto nelle sue dimensioni reali."},
        {"btnCosti", "Gestisci i costi sostenuti per il veicolo."},
    };
    for (const auto& c : cases) {
        h.MouseMove(card.Get<ui::Picture>(c.cmd));
        EXPECT_EQ(card.panInfo.Text(), c.hint);
        h.MouseMove(card.Get<ui::Control>("shpSfondo"));
        EXPECT_EQ(card.panInfo.Text(), "");
    }
    h.MouseMove(card.cmdEsci);
    h.MouseMove(card);
    EXPECT_EQ(card.panInfo.Text(), "");
}

TEST_F(CardTest, CostSheetNeedsASavedCardWithMakeModelAndPlate) {
    const char* const nuova =
        "Attenzione: la gestione dei costi può avvenire soltanto dopo che la scheda del "
        "veicolo è stata salvata in archivio.";
    const struct {
        const char* numero;
        const char* marca;
        const char* modello;
        const char* targa;
        const char* message; // null: the cost sheet opens
        const char* focus;
    } cases[] = {
        {"", "Fiat", "Panda", "AB123CD", nuova, "txtNote"},
        {"1", "", "Panda", "",
         "Attenzione: per accedere alla gestione dei costi è necessario indicare la marca del "
         "veicolo.",
         "txtMarca"},
        {"1", "Fiat", "", "",
         "Attenzione: per accedere alla gestione dei costi è necessario indicare il modello del "
         "veicolo.",
         "txtModello"},
        {"1", "Fiat", "Panda", " ",
         "Attenzione: per accedere alla gestione dei costi è necessario indicare la targa "
         "del veicolo.",
         "txtTarga"},
        {" 1 ", " Fiat ", "Panda ", "AB123CD", nullptr, nullptr},
    };
    int opened = 0;
    // The sheet is handed the vehicle, trimmed: its title and its own file.
    h.OnModal<TfrmAllegaExcel>([&](TfrmAllegaExcel& w) {
        ++opened;
        EXPECT_EQ(w.lblTitolo.Text(), "Fiat Panda targata AB123CD");
        EXPECT_EQ(w.lblFile.Text(), h.DataFolder() + "Costi_Veicolo_1.pro");
    });
    for (const auto& c : cases) {
        card.lblPosizione.SetText(c.numero);
        card.txtMarca.SetText(c.marca);
        card.txtModello.SetText(c.modello);
        card.txtTarga.SetText(c.targa);
        h.Focus(card.txtNote);
        if (c.message) h.ExpectMessage(ui::DialogType::Warning, c.message);
        h.Click(card.btnCosti);
        h.Verify();
        if (c.focus) {
            EXPECT_EQ(card.Focused(), card.FindControl(c.focus));
        }
    }
    EXPECT_EQ(opened, 1);
}

TEST_F(CardTest, SearchAndAttachmentsAreToldTheirCaller) {
    std::string tag;
    h.OnModal<TfrmTrovaAutomezzi>([&](TfrmTrovaAutomezzi& t) { tag = t.lblMemory.Text(); });
    h.Click(card.cmdTrova);
    EXPECT_EQ(tag, "autoparco");

    card.lblFile02.SetText("polizza.pdf");
    card.lblDesc02.SetText("Polizza 2026");
    h.OnModal<TfrmAllegaCartella>([&](TfrmAllegaCartella& a) {
        EXPECT_EQ(a.lblMemory.Text(), "autoparco");
        EXPECT_EQ(a.txtFile01.Text(), "");
        EXPECT_FALSE(a.btnApri01.Enabled());
        EXPECT_EQ(a.txtFile02.Text(), "polizza.pdf");
        EXPECT_EQ(a.txtDesc02.Text(), "Polizza 2026");
        EXPECT_TRUE(a.btnApri02.Enabled());
        a.txtDesc03.SetText("Nota");
        h.Click(a.btnApplica);
    });
    h.Click(card.cmdFile);
    EXPECT_EQ(card.lblFile02.Text(), "polizza.pdf");
    EXPECT_EQ(card.lblDesc03.Text(), "Nota");
}

TEST_F(CardTest, HelpHasItsTitleAndThirteenParagraphs) {
    h.OnModal<TfrmGuida>([&](TfrmGuida& g) {
        EXPECT_EQ(g.lblTitolo.Text(), "App Parco Automezzi");
        const std::string& text = g.txtGuida.Text();
        int paragraphs = 1;
        for (std::size_t at = text.find("\r\n\r\n"); at != std::string::npos;
             at = text.find("\r\n\r\n", at + 4))
            ++paragraphs;
        EXPECT_EQ(paragraphs, 13);
        EXPECT_NE(text.find("Gestione costi"), std::string::npos);
        h.Click(g.btnChiudi);
    });
    h.Click(card.cmdGuida);
    EXPECT_EQ(h.ModalCount("TfrmGuida"), 1);
}

TEST_F(CardTest, ClosingReturnsToTheStartMenuWithoutSaving) {
    TfrmAvvio avvio(h.app);
    ts::MenuAvvio ritorno(avvio);
    FillRequired();
    h.Click(card.cmdEsci);
    EXPECT_FALSE(card.Visible());
    EXPECT_TRUE(avvio.Visible());
    EXPECT_EQ(Archive(), "");
}
