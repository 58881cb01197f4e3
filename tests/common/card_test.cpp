#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>

#include "common/Card.h"
#include "common/Records.h"
#include "platform/rtl/Files.h"
#include "platform/ui/Layout.h"
#include "tests/support/Harness.h"

using namespace common;

namespace {

// A cost card: five edits, a check-box-free record, the number label and the
// hidden focus button.
constexpr std::string_view kLayout = R"(form TfrmProva caption="Prova" client=400x300
edit txtData bounds=0,0,100,20
edit txtCausale bounds=0,20,100,20
edit txtPagatore bounds=0,40,100,20
edit txtBeneficiario bounds=0,60,100,20
edit txtImporto bounds=0,80,100,20
label lblPosizione bounds=0,100,100,20
button btnFocus bounds=0,0,1,1 visible=no
button btnComando bounds=0,120,100,20
)";

struct Card {
    explicit Card(ts::Harness& h, std::string path = "",
                  ConfigScheda::Focus focus = ConfigScheda::Focus::Nessuno)
        : form(h.app) {
        ui::LoadLayout(form, kLayout);
        if (path.empty()) path = rtl::DataPath("Costi_Veicolo_1.pro");
        ConfigScheda c;
        c.archivio = [path] { return path; };
        c.record = &TCostoRec;
        c.obbligatori = {
            {&GetEdit("txtData"), "Attenzione: per salvare la scheda è necessario indicare la data."},
            {&GetEdit("txtCausale"), "Attenzione: per salvare la scheda è necessario indicare la causale."}};
        c.primoCampo = &GetEdit("txtData");
        c.quandoFocus = focus;
        c.btnFocus = &form.Get<ui::Control>("btnFocus");
        c.errori.primo = ui::DialogType::Warning;
        c.dopoNuovo = [this] { Guasto(); };
        c.dopoMostra = [this] {
            ++shown;
            Guasto();
        };
        c.dopoSalva = [this] {
            ++saved;
            Guasto();
        };
        c.passiDuplica = [this] { Guasto(); };
        scheda = std::make_unique<SchedaArchivio>(form, form.Get<ui::Label>("lblPosizione"), std::move(c));
        form.Show();
    }
    ui::Edit& GetEdit(const char* name) { return form.Get<ui::Edit>(name); }
    std::string Pos() { return form.Get<ui::Label>("lblPosizione").Text(); }
    void SetPos(const std::string& p) { form.Get<ui::Label>("lblPosizione").SetText(p); }
    void Guasto() {
        if (guasto) guasto();
    }

    ui::Form form;
    std::unique_ptr<SchedaArchivio> scheda;
    int shown = 0, saved = 0;
    // Thrown from the window's own steps, when set.
    std::function<void()> guasto;
};

void SaveCost(ts::Harness& h, Card& c, const std::string& data, const std::string& causale) {
    c.scheda->Nuovo();
    c.GetEdit("txtData").SetText(data);
    c.GetEdit("txtCausale").SetText(causale);
    h.ExpectMessage(ui::DialogType::Information, std::string(kMsgSchedaInserita));
    c.scheda->Salva();
}

} // namespace

TEST(Card, SaveAppendsThenRewritesAndChecksRequiredFieldsInOrder) {
    ts::Harness h;
    Card c(h);
    c.scheda->Nuovo();
    h.ExpectMessage(ui::DialogType::Warning,
                    "Attenzione: per salvare la scheda è necessario indicare la data.");
    c.scheda->Salva();
    EXPECT_EQ(c.form.Focused(), &c.GetEdit("txtData"));
    c.GetEdit("txtData").SetText("01/02/2024");
    c.GetEdit("txtCausale").SetText("   ");
    h.ExpectMessage(ui::DialogType::Warning,
                    "Attenzione: per salvare la scheda è necessario indicare la causale.");
    c.scheda->Salva();
    EXPECT_EQ(c.form.Focused(), &c.GetEdit("txtCausale"));
    EXPECT_FALSE(rtl::FileExists(rtl::DataPath("Costi_Veicolo_1.pro")));

    c.GetEdit("txtCausale").SetText(" Gomme ");
    c.GetEdit("txtImporto").SetText("12,50");
    h.ExpectMessage(ui::DialogType::Information, "La scheda corrente è stata inserita in archivio.");
    c.scheda->Salva();
    EXPECT_EQ(c.Pos(), "1");
    EXPECT_EQ(c.saved, 1);
    // The stored bytes: Data at 0, Causale at 11, Importo at 106.
    const std::string raw = rtl::ReadWholeFile(rtl::DataPath("Costi_Veicolo_1.pro"));
    ASSERT_EQ(raw.size(), 122u);
    EXPECT_EQ(raw.substr(0, 11), "\x0A"
                                 "01/02/2024");
    EXPECT_EQ(raw.substr(11, 6), "\x05Gomme");
    EXPECT_EQ(raw.substr(106, 6), "\x05"
                                  "12,50");

    c.GetEdit("txtCausale").SetText("Freni");
    h.ExpectMessage(ui::DialogType::Information,
                    "Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
    c.scheda->Salva();
    EXPECT_EQ(c.Pos(), "1");
    EXPECT_EQ(rtl::ReadWholeFile(rtl::DataPath("Costi_Veicolo_1.pro")).substr(11, 6), "\x05"
                                                                                      "Freni");

    // Save on a new card appends even an identical record.
    c.SetPos("");
    h.ExpectMessage(ui::DialogType::Information, "La scheda corrente è stata inserita in archivio.");
    c.scheda->Salva();
    EXPECT_EQ(c.Pos(), "2");
}

TEST(Card, BrowseOnEmptyOneAndThreeRecordArchives) {
    const std::string empty = std::string(kMsgArchivioVuoto);
    enum Cmd { First, Prev, Next, Last };
    struct Case {
        int records;
        const char* before;
        Cmd cmd;
        const char* after;
        bool emptyMessage;
    } cases[] = {
        {0, "", First, "", true},
        {0, "", Prev, "", true},
        {0, "", Next, "", true},
        {0, "", Last, "", true},
        {0, "7", First, "7", true},
        {0, "7", Next, "", true},
        {1, "", Next, "1", false},
        {1, "", Prev, "1", false},
        {1, "1", Next, "1", false},
        {1, "1", Prev, "1", false},
        {1, "", Last, "1", false},
        {3, "2", First, "1", false},
        {3, "2", Last, "3", false},
        {3, "2", Next, "3", false},
        {3, "2", Prev, "1", false},
        {3, "3", Next, "3", false},
        {3, "3", Prev, "2", false},
        {3, "", Next, "1", false},
        {3, "", Prev, "1", false},
        {3, "1", Prev, "1", false},
        // Next looks at the number only when there is a record to go to.
        {0, "x", Next, "", true},
        {3, "0", Next, "1", false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message()
                     << k.records << " records, from \"" << k.before << "\", command " << k.cmd);
        ts::Harness h;
        Card c(h);
        for (int i = 1; i <= k.records; ++i)
            SaveCost(h, c, "0" + std::to_string(i) + "/01/2024", "Voce " + std::to_string(i));
        c.scheda->Nuovo();
        c.SetPos(k.before);
        c.shown = 0;
        if (k.emptyMessage) h.ExpectMessage(ui::DialogType::Information, empty);
        switch (k.cmd) {
        case First:
            c.scheda->Primo();
            break;
        case Prev:
            c.scheda->Indietro();
            break;
        case Next:
            c.scheda->Avanti();
            break;
        case Last:
            c.scheda->Ultimo();
            break;
        }
        h.Verify();
        EXPECT_EQ(c.Pos(), k.after);
        const bool moved = std::string(k.after) != k.before || std::string(k.before).empty();
        if (!k.emptyMessage && moved) {
            EXPECT_EQ(c.GetEdit("txtCausale").Text(), "Voce " + std::string(k.after));
            EXPECT_EQ(c.shown, 1);
        } else {
            EXPECT_EQ(c.shown, 0);
            EXPECT_EQ(c.GetEdit("txtCausale").Text(), "");
        }
        EXPECT_TRUE(rtl::FileExists(rtl::DataPath("Costi_Veicolo_1.pro")));
    }
}

TEST(Card, AccessFailuresShowTheWindowsDialogKind) {
    ts::Harness h;
    // A folder that cannot hold the archive: its path runs through a file.
    { std::ofstream(rtl::DataPath("file")) << "x"; }
    Card c(h, rtl::DataPath("file/Costi.pro"));
    const std::string msg = std::string(kMsgAccessoArchivio);
    EXPECT_EQ(
        msg,
        "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
        "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
    c.SetPos("");
    h.ExpectMessage(ui::DialogType::Warning, msg); // this card reports First as a warning
    c.scheda->Primo();
    h.ExpectMessage(ui::DialogType::Error, msg);
    c.scheda->Avanti();
    EXPECT_EQ(c.Pos(), ""); // the working "0" of Next never shows
    c.SetPos("4");
    h.ExpectMessage(ui::DialogType::Error, msg);
    c.scheda->Indietro();
    h.ExpectMessage(ui::DialogType::Error, msg);
    c.scheda->Ultimo();
    EXPECT_EQ(c.Pos(), "4");
    c.GetEdit("txtData").SetText("x");
    c.GetEdit("txtCausale").SetText("y");
    h.ExpectMessage(ui::DialogType::Error, msg);
    c.scheda->Salva();
    EXPECT_EQ(c.Pos(), "4");
    EXPECT_EQ(c.saved, 0);
}

// Only a failure of the data is the command's access message. A fault of
// the program, or memory run out, is no archive failure: it reaches the
// standard error box with its own text.
TEST(Card, OnlyDataFailuresBecomeTheAccessMessage) {
    struct Comando {
        const char* nome;
        void (SchedaArchivio::*esegui)();
        ui::DialogType accesso; // the dialog kind of its access message in this card
    };
    const Comando comandi[] = {{"Nuovo", &SchedaArchivio::Nuovo, ui::DialogType::Error},
                               {"Salva", &SchedaArchivio::Salva, ui::DialogType::Error},
                               {"Primo", &SchedaArchivio::Primo, ui::DialogType::Warning},
                               {"Duplica", &SchedaArchivio::Duplica, ui::DialogType::Error}};
    struct Guasto {
        std::function<void()> lancia;
        std::string erroreStandard; // empty: the access message
    };
    const Guasto guasti[] = {
        {[] { throw rtl::FileError("Errore di scrittura: disco pieno", "Costi_Veicolo_1.pro"); }, ""},
        {[] { throw common::AccessoArchivio("record 9 assente"); }, ""},
        {[] { throw std::logic_error("campo sconosciuto: Targa"); }, "campo sconosciuto: Targa"},
        {[] { throw std::bad_alloc(); }, std::bad_alloc().what()},
    };
    for (const Comando& comando : comandi) {
        for (const Guasto& guasto : guasti) {
            SCOPED_TRACE(std::string(comando.nome) + " " + guasto.erroreStandard);
            ts::Harness h;
            Card c(h);
            SaveCost(h, c, "01/01/2024", "Uno"); // a stored card, for Primo and Duplica
            c.guasto = guasto.lancia;
            c.form.Get<ui::Button>("btnComando").OnClick = [&] { (c.scheda.get()->*comando.esegui)(); };
            if (guasto.erroreStandard.empty())
                h.ExpectMessage(comando.accesso, std::string(kMsgAccessoArchivio));
            else
                h.ExpectMessage(ui::DialogType::Error, guasto.erroreStandard);
            h.Click(c.form.Get<ui::Button>("btnComando"));
            h.Verify();
        }
    }
}

TEST(Card, BadRecordNumbersFailWithoutWriting) {
    ts::Harness h;
    Card c(h);
    SaveCost(h, c, "01/01/2024", "Uno");
    const std::string before = rtl::ReadWholeFile(rtl::DataPath("Costi_Veicolo_1.pro"));
    for (const char* bad : {"abc", "0", "3", "-1"}) {
        SCOPED_TRACE(bad);
        c.SetPos(bad);
        h.ExpectMessage(ui::DialogType::Error, std::string(kMsgAccessoArchivio));
        c.scheda->Salva();
        EXPECT_EQ(c.Pos(), bad);
        EXPECT_EQ(rtl::ReadWholeFile(rtl::DataPath("Costi_Veicolo_1.pro")), before);
    }
    c.SetPos("x");
    h.ExpectMessage(ui::DialogType::Error, std::string(kMsgAccessoArchivio));
    c.scheda->Avanti();
    EXPECT_EQ(c.Pos(), "x");
}

TEST(Card, FocusMovesToHiddenButtonBeforeOrAfterTheChecks) {
    // The field being typed in fills the date when it loses the focus: only
    // a card that moves the focus before its checks sees the date.
    for (auto focus : {ConfigScheda::Focus::PrimaDeiControlli, ConfigScheda::Focus::DopoIControlli}) {
        const bool before = focus == ConfigScheda::Focus::PrimaDeiControlli;
        SCOPED_TRACE(before ? "before" : "after");
        ts::Harness h;
        Card c(h, "", focus);
        c.scheda->Nuovo();
        c.GetEdit("txtImporto").OnExit = [&] { c.GetEdit("txtData").SetText("01/01/2024"); };
        c.GetEdit("txtCausale").SetText("c");
        c.GetEdit("txtImporto").SetFocus();
        if (before) {
            h.ExpectMessage(ui::DialogType::Information, std::string(kMsgSchedaInserita));
            c.scheda->Salva();
            EXPECT_EQ(c.Pos(), "1");
            EXPECT_EQ(c.form.Focused(), &c.form.Get<ui::Control>("btnFocus"));
        } else {
            h.ExpectMessage(ui::DialogType::Warning,
                            "Attenzione: per salvare la scheda è necessario indicare la data.");
            c.scheda->Salva();
            EXPECT_EQ(c.Pos(), "");
            // The warning took the focus to the date; the next save passes
            // the checks and then leaves the focus on the hidden button.
            h.ExpectMessage(ui::DialogType::Information, std::string(kMsgSchedaInserita));
            c.scheda->Salva();
            EXPECT_EQ(c.form.Focused(), &c.form.Get<ui::Control>("btnFocus"));
        }
    }
}

TEST(Card, DuplicateNeedsAStoredCardAndEmptiesTheNumber) {
    ts::Harness h;
    Card c(h);
    c.scheda->Nuovo();
    c.GetEdit("txtData").SetText("01/01/2024");
    h.ExpectMessage(ui::DialogType::Warning, std::string(kMsgDuplicaNonSalvata));
    c.scheda->Duplica();
    SaveCost(h, c, "01/01/2024", "Uno");
    EXPECT_EQ(c.Pos(), "1");
    h.ExpectMessage(ui::DialogType::Information,
                    "E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
                    "Al termine premere Salva per inserire la scheda in archivio.");
    c.scheda->Duplica();
    EXPECT_EQ(c.Pos(), "");
    EXPECT_EQ(c.GetEdit("txtCausale").Text(), "Uno");
    EXPECT_EQ(c.form.Focused(), &c.GetEdit("txtData"));
    h.ExpectMessage(ui::DialogType::Information, std::string(kMsgSchedaInserita));
    c.scheda->Salva();
    EXPECT_EQ(c.Pos(), "2");
}

namespace {
constexpr FieldDef kFlagFields[] = {{"Nome", 20}, {"Ferie", 2}};
constexpr RecordType kFlagRec = MakeRecordType("TProvaRec", kFlagFields);
constexpr std::string_view kFlagLayout = R"(form TfrmFlag caption="Flag" client=300x200
edit txtNome bounds=0,0,100,20
checkbox chkFerie bounds=0,20,100,20 text="In ferie"
label lblPosizione bounds=0,40,100,20
)";
} // namespace

TEST(Card, CheckBoxFieldsStoreSiOrNoAndLoadOnlyThose) {
    ts::Harness h;
    ui::Form form(h.app);
    ui::LoadLayout(form, kFlagLayout);
    ConfigScheda c;
    const std::string path = rtl::DataPath("Prova.pro");
    c.archivio = [path] { return path; };
    c.record = &kFlagRec;
    SchedaArchivio scheda(form, form.Get<ui::Label>("lblPosizione"), std::move(c));
    form.Show();
    auto& chk = form.Get<ui::CheckBox>("chkFerie");

    form.Get<ui::Edit>("txtNome").SetText("Rossi");
    chk.SetChecked(true);
    h.ExpectMessage(ui::DialogType::Information, std::string(kMsgSchedaInserita));
    scheda.Salva();
    chk.SetChecked(false);
    form.Get<ui::Label>("lblPosizione").SetText("");
    h.ExpectMessage(ui::DialogType::Information, std::string(kMsgSchedaInserita));
    scheda.Salva();
    // Record 3 written by another program, with an empty flag.
    std::string raw = rtl::ReadWholeFile(path);
    EXPECT_EQ(raw.substr(21, 3), "\x02S\xEC");
    EXPECT_EQ(raw.substr(24 + 21, 3), "\x02No");
    raw += std::string("\x05"
                       "Bruno",
                       6) +
           std::string(15, '\0') + std::string(3, '\0');
    { std::ofstream(path, std::ios::binary | std::ios::trunc) << raw; }

    struct Step {
        void (SchedaArchivio::*cmd)();
        bool before;
        bool after;
    } steps[] = {
        {&SchedaArchivio::Primo, false, true},  // "Sì" ticks
        {&SchedaArchivio::Avanti, true, false}, // "No" clears
        {&SchedaArchivio::Avanti, true, true},  // empty leaves the box as it was
        {&SchedaArchivio::Indietro, true, false},
    };
    for (const Step& s : steps) {
        chk.SetChecked(s.before);
        (scheda.*s.cmd)();
        EXPECT_EQ(chk.Checked(), s.after) << "at record " << form.Get<ui::Label>("lblPosizione").Text();
    }
    scheda.Nuovo();
    EXPECT_FALSE(chk.Checked());
}
