// A data folder that several workstations and user accounts share, driven
// through the whole program: links planted by another user, a read-only
// folder, lock files made by another user, locks held elsewhere without
// end, and the files a window made for a first save that is refused.
#include "shell_fixture.h"

#include "common/Archive.h"
#include "common/ExportWindow.h"
#include "common/Records.h"
#include "drivers/Anagrafica.h"
#include "drivers/TrovaAnagrafica.h"
#include "gate/Registro.h"
#include "gate/TrovaVisite.h"
#include "planner/MenuDisponibili.h"
#include "planner/Planning.h"
#include "platform/image/Image.h"
#include "platform/rtl/Ini.h"
#include "shell/Avvio.h"
#include "shell/CambiaPassword.h"
#include "shell/Password.h"
#include "tests/support/Accounts.h"
#include "tests/support/Bounded.h"
#include "tests/support/Drawing.h"
#include "tests/support/ExportFile.h"
#include "tests/support/LockHolder.h"
#include "tripsheets/Fogli.h"
#include "tripsheets/FoglioRec.h"
#include "tripsheets/Numerazione.h"
#include "tripsheets/TrovaFogli.h"
#include "vehicles/AllegaCartella.h"
#include "vehicles/AllegaExcel.h"
#include "vehicles/Autoparco.h"
#include "vehicles/ExpAutoparco.h"
#include "vehicles/TrovaAutomezzi.h"

#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Campi = std::vector<std::pair<std::string, std::string>>;

const std::string kInUso(common::kMsgFileInUso);
const std::string kAccesso(common::kMsgAccessoArchivio);
const char* const kInserita = "La scheda corrente è stata inserita in archivio.";
const char* const kModificata = "Le modifiche apportate alla scheda corrente sono state salvate in archivio.";
const char* const kLetturaPassword =
    "Attenzione: si è verificato un errore durante la procedura di lettura della password. "
    "Si consiglia di reinstallare il software.";
const char* const kPrenotazioniNonSalvate =
    "Attenzione: le prenotazioni non sono state salvate.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.";
const char* const kFotoNonSalvata = "Attenzione: non è stato possibile salvare la foto del veicolo.";
const char* const kSovrascrivi =
    "Attenzione: nella cartella dei documenti allegati è presente un file con lo "
    "stesso nome.\r\n\r\nSi vuole sovrascrivere il file esistente?";

std::string Leggi(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every file and folder under `folder` with its bytes (a link: its target):
// what a test compares before and after.
std::map<std::string, std::string> Contenuto(const std::string& folder) {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        const std::string nome = e.path().string().substr(folder.size());
        if (e.is_symlink())
            out[nome] = "-> " + fs::read_symlink(e.path()).string();
        else if (e.is_directory())
            out[nome] = "<cartella>";
        else
            out[nome] = Leggi(e.path());
    }
    return out;
}

// The names whose content differs between two listings of Contenuto.
std::vector<std::string> Cambiati(const std::map<std::string, std::string>& prima,
                                  const std::map<std::string, std::string>& dopo) {
    std::vector<std::string> nomi;
    for (const auto& [nome, testo] : prima)
        if (!dopo.contains(nome) || dopo.at(nome) != testo) nomi.push_back(nome);
    for (const auto& [nome, testo] : dopo)
        if (!prima.contains(nome)) nomi.push_back(nome);
    return nomi;
}

void Aggiungi(const std::string& archivio, const common::RecordType& tipo, const Campi& campi) {
    common::Record r(tipo);
    for (const auto& [campo, testo] : campi)
        r.Set(campo, testo);
    common::Archivio(archivio, tipo).Scrivi("", r);
}

// The largest file this process may write, lowered for the scope: writes
// fail as on a full disk, the creation of an empty file does not.
class DiscoPieno {
public:
    DiscoPieno() {
        ::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit small = old_;
        small.rlim_cur = 100;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~DiscoPieno() { ::setrlimit(RLIMIT_FSIZE, &old_); }

private:
    rlimit old_{};
};

class CartellaCondivisa : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        frmPassword->Hide();
        StorePassword("DORNEVAL");
    }
    void TearDown() override { rtl::ResetLockWait(); }

    std::string Path(const std::string& name) const { return h.DataFolder() + name; }
    std::string Planner(const std::string& targa, const std::string& anno) const {
        return Path("Prenotazioni veicolo targa " + targa + " anno " + anno + ".pln");
    }

    // A data folder in use: two records in every archive, a planner year
    // with a booking, the photo folder, the settings and the store.
    void Riempi() {
        for (const Campi& v :
             {Campi{{"Tipo", "Furgone"}, {"Marca", "Fiat"}, {"Modello", "Ducato"}, {"Targa", "AA111AA"}},
              Campi{{"Tipo", "Autovettura"},
                    {"Marca", "Alfa Romeo"},
                    {"Modello", "Giulia"},
                    {"Targa", "BB222BB"}}})
            Aggiungi(Path("Parco_Automezzi.pro"), common::TAutomezzoRec, v);
        for (const char* nome : {"Rossi Mario", "Bianchi Anna"})
            Aggiungi(Path("Conducenti.pro"), common::TConduttoreRec,
                     {{"Conducente", nome},
                      {"TelCel", "333"},
                      {"Marca", "Fiat"},
                      {"Modello", "Ducato"},
                      {"Targa", "AA111AA"}});
        for (const char* numero : {"1", "2"})
            Aggiungi(Path("2024.fdm"), common::TFoglioRec,
                     {{"NumFoglio", numero},
                      {"DataApertura", "05/03/2024"},
                      {"OraApertura", "09:00"},
                      {"Ufficio", "Sede"},
                      {"Conduttore", "Rossi Mario"},
                      {"TelCel", "333"},
                      {"Veicolo", "Fiat Ducato"},
                      {"Targa", "AA111AA"}});
        for (const char* targa : {"AA111AA", "BB222BB"})
            Aggiungi(Path("2024.vis"), common::TVisitaRec,
                     {{"DataEnt", "05/03/2024"}, {"Veicolo", "Fiat"}, {"Targa", targa}});
        common::Record anno(common::TPlanningRec);
        anno.Set("Veicolo", "Furgone");
        anno.Set("Marca", "Fiat");
        anno.Set("Modello", "Ducato");
        anno.Set("Targa", "AA111AA");
        anno.Set(common::TPlanningRec.Field("Giorni", 3), "Rossi");
        common::Archivio(Planner("AA111AA", "2024"), common::TPlanningRec).Scrivi("", anno);
        rtl::CreateFolders(Path("Autoparco"));
        rtl::WriteWholeFile(Path("Fogli_di_Marcia.ini"), "[Fogli di Marcia]\r\nUfficio Emittente=Sede\r\n"
                                                         "[Numerazione Fogli di Marcia]\r\nInizio=100\r\n");
    }

    // The folder and every file in it for the group: what a folder shared
    // by the users of a group is.
    void PerIlGruppo(gid_t gruppo) {
        for (const auto& e : fs::recursive_directory_iterator(h.DataFolder())) {
            ::lchown(e.path().c_str(), 0, gruppo);
            if (!e.is_symlink()) ::chmod(e.path().c_str(), e.is_directory() ? 02775 : 0664);
        }
        ::chown(h.DataFolder().c_str(), 0, gruppo);
        ::chmod(h.DataFolder().c_str(), 02775);
    }

    // The planner menu's road to a planner year of the vehicle AA111AA.
    void ApriPlanner(const std::string& anno) {
        frmAvvio->Show();
        frmMenuDisponibili->Show();
        frmAvvio->Hide();
        const std::vector<std::string> righe = frmMenuDisponibili->lstRecords.Items();
        const auto riga = std::find_if(righe.begin(), righe.end(), [](const std::string& r) {
            return r.find("AA111AA") != std::string::npos;
        });
        ASSERT_NE(riga, righe.end());
        h.Select(frmMenuDisponibili->lstRecords, int(riga - righe.begin()));
        h.Focus(frmMenuDisponibili->txtAnnoFatture);
        frmMenuDisponibili->txtAnnoFatture.SetText(anno);
        h.Click(frmMenuDisponibili->btnApriFatture);
        ASSERT_TRUE(frmPlanning->Visible());
    }

    // The login with the password of the store, answered by `message` (none:
    // the start menu opens).
    void Accedi(const std::string& message = {}) {
        frmAvvio->Hide();
        frmPassword->MostraVuota();
        h.Type(*frmPassword, "DORNEVAL");
        if (!message.empty()) h.ExpectShowMessage(message);
        h.Click(frmPassword->cmdOK);
        h.Verify();
        EXPECT_EQ(frmAvvio->Visible(), message.empty());
        frmAvvio->Hide();
    }

    // The lines that "Cerca" with no criterion lists; a yearly search is
    // handed the archive of its year as its window would hand it.
    template <class Ricerca> std::vector<std::string> Elenca(const std::string& archivio = {}) {
        Ricerca w(h.app);
        if constexpr (requires { w.ImpostaArchivio(archivio); }) w.ImpostaArchivio(archivio);
        w.Show();
        h.Click(w.btnCerca);
        return w.lstRecords.Items();
    }

    // A full data folder that may only be read, as this process finds it:
    // the vehicle, driver, trip-sheet and gate lists and a card show every
    // record, the login, the trip-sheet window and the planner work; a save
    // shows the access message, a planner closed with a booking says it was
    // not saved, one closed without a change says nothing.
    void LeggiSenzaScrivere() {
        EXPECT_EQ(Elenca<TfrmTrovaAutomezzi>().size(), 2u);
        EXPECT_EQ(Elenca<TfrmTrovaAnagrafica>().size(), 2u);
        EXPECT_EQ(Elenca<TfrmTrovaFogli>(rtl::DataPath("2024.fdm")).size(), 2u);
        EXPECT_EQ(Elenca<TfrmTrovaVisite>(rtl::DataPath("2024.vis")).size(), 2u);

        TfrmAutoparco& card = *frmAutoparco;
        card.Show();
        h.Click(card.cmdUltimo);
        EXPECT_EQ(card.txtTarga.Text(), "BB222BB");
        h.Click(card.cmdPrimo);
        EXPECT_EQ(card.txtTarga.Text(), "AA111AA");
        card.txtColore.SetText("Rosso");
        Salva(card, card.cmdSalva, ui::DialogType::Error, kAccesso);
        card.Close();

        frmFogli->ImpostaAnno("2024");
        frmFogli->Show();
        EXPECT_EQ(frmFogli->txtUfficio.Text(), "Sede");
        h.Click(frmFogli->cmdUltimo);
        EXPECT_EQ(frmFogli->txtNumFoglio.Text(), "2");
        Salva(*frmFogli, frmFogli->cmdSalva, ui::DialogType::Warning, kAccesso);
        h.Click(frmFogli->cmdEsci); // the office unchanged: nothing to write, nothing to say

        Accedi();
        ApriPlanner("2024");
        EXPECT_EQ(frmPlanning->Cella(3).mem.Text(), "Rossi");
        h.Click(frmPlanning->cmdEsci); // nothing changed
        EXPECT_FALSE(frmPlanning->Visible());
        ApriPlanner("2024");
        frmPlanning->ScriviGiorno(8, "Bianchi");
        h.ExpectMessage(ui::DialogType::Warning, kPrenotazioniNonSalvate);
        h.Click(frmPlanning->cmdEsci);
        h.Verify();
        ApriPlanner("2025"); // a year without a file, which cannot be made here
        h.Click(frmPlanning->cmdEsci);
    }

    // "Salva" of a card answered by `message` of `type`.
    void Salva(ui::Form& card, ui::Control& cmdSalva, ui::DialogType type, const std::string& message) {
        h.ExpectMessage(type, message);
        h.Click(cmdSalva);
        h.Verify();
        EXPECT_TRUE(card.Visible());
    }
};

// Two user accounts of one group share the data folder. The first plants
// links into a folder that only the second may enter: in place of the photo
// of the next vehicle, the vehicle export, an attachment, the settings, the
// store and the driver archive. Every save and export of the second user is
// refused with the message of that file's kind, and the private files keep
// their bytes.
TEST_F(CartellaCondivisa, LinksOfAnotherUserAreRefusedOnEverySaveAndExport) {
    ts::Accounts utenti(2);
    if (!utenti.Made()) GTEST_SKIP() << utenti.WhyNot();
    if (const std::string why = ts::UnreachableByOthers(h.DataFolder()); !why.empty()) GTEST_SKIP() << why;
    const uid_t estraneo = utenti.User(0), utente = utenti.User(1);
    Riempi();
    rtl::CreateFolders(Path("Autoparco"));
    rtl::CreateFolders(Path("Documenti_Allegati"));
    rtl::CreateFolders(Path("altrove"));
    rtl::WriteWholeFile(Path("altrove/documento.pdf"), "PDF");
    img::SaveJpeg(ts::Filled(8, 4, 0xFF336699), Path("altrove/foto.jpg"));

    // The second user's own folder, outside the data folder.
    struct Privata {
        std::string path;
        Privata() {
            char modello[] = "/tmp/dorneval-privata-XXXXXX";
            if (::mkdtemp(modello)) path = std::string(modello) + "/";
        }
        ~Privata() {
            std::error_code ec;
            if (!path.empty()) fs::remove_all(path, ec);
        }
    } cartella;
    ASSERT_FALSE(cartella.path.empty());
    const std::string& privata = cartella.path;
    const std::map<std::string, std::string> link = {
        {"Autoparco/Scheda_Veicolo_3.jpg", "foto.jpg"},
        {"Parco_Automezzi.xls", "export.xls"},
        {"Documenti_Allegati/documento.pdf", "allegato.pdf"},
        {"Fogli_di_Marcia.ini", "impostazioni.ini"},
        {"unins000.dll", "password.dll"},
        {"Conducenti.pro", "conducenti.pro"},
    };
    for (const auto& [nome, bersaglio] : link) {
        rtl::WriteWholeFile(privata + bersaglio, "PRIVATO " + bersaglio);
        ::chown((privata + bersaglio).c_str(), utente, utenti.Group());
        fs::remove(Path(nome));
        fs::create_symlink(privata + bersaglio, Path(nome));
    }
    PerIlGruppo(utenti.Group());
    for (const auto& [nome, bersaglio] : link)
        ASSERT_EQ(::lchown(Path(nome).c_str(), estraneo, utenti.Group()), 0);
    ::chown(privata.c_str(), utente, utenti.Group());
    ::chmod(privata.c_str(), 0700);
    const auto privati = Contenuto(privata);

    ts::Bounded([&] {
        ts::BecomeUser(utente, utenti.Group());
        // The card is saved; its photo is not.
        TfrmAutoparco& card = *frmAutoparco;
        card.Show();
        h.ExpectOpenFile(Path("altrove/foto.jpg"));
        h.Click(card.btnCaricaFoto);
        card.txtTipo.SetText("Furgone");
        card.txtMarca.SetText("Iveco");
        card.txtModello.SetText("Daily");
        card.txtTarga.SetText("CC333CC");
        h.ExpectMessage(ui::DialogType::Information, kInserita);
        h.ExpectMessage(ui::DialogType::Warning, kFotoNonSalvata);
        h.Click(card.cmdSalva);
        h.Verify();
        EXPECT_EQ(card.lblPosizione.Text(), "3");

        // The export.
        h.OnModal<TfrmExpAutoparco>([&](TfrmExpAutoparco& w) {
            h.ExpectMessage(ui::DialogType::Confirmation, ts::kDomandaEsportazione, ui::Answer::Yes);
            h.ExpectShowMessage(std::string(common::kMsgEsportazioneFallita));
            h.Click(w.cmdEsporta);
            h.Verify();
            h.Click(w.cmdEsci);
        });
        h.Click(card.cmdEsporta);

        // An attachment of the same name.
        h.OnModal<TfrmAllegaCartella>([&](TfrmAllegaCartella& w) {
            h.ExpectOpenFile(Path("altrove/documento.pdf"));
            h.ExpectMessage(ui::DialogType::Confirmation, kSovrascrivi, ui::Answer::Yes);
            h.ExpectMessage(ui::DialogType::Warning, std::string(vehicles::kMsgCopiaAllegato));
            h.Click(w.btnSfoglia01);
            h.Verify();
            h.Click(w.btnAnnulla);
        });
        h.Click(card.cmdFile);

        // The settings: read at the showing, written at the close, each
        // failure in the standard error box with its own text.
        const auto failure = [](const std::function<void()>& access) {
            try {
                access();
            } catch (const std::exception& e) {
                return std::string(e.what());
            }
            return std::string("no failure");
        };
        rtl::IniFile impostazioni(Path("Fogli_di_Marcia.ini"));
        frmFogli->ImpostaAnno("2024");
        h.ExpectMessage(ui::DialogType::Error,
                        failure([&] { impostazioni.ReadString("Fogli di Marcia", "Ufficio Emittente"); }));
        frmFogli->Show();
        h.Verify();
        frmFogli->txtUfficio.SetText("Sede di Bari");
        h.ExpectMessage(ui::DialogType::Error, failure([&] {
                            impostazioni.WriteString("Fogli di Marcia", "Ufficio Emittente", "x");
                        }));
        h.Click(frmFogli->cmdEsci);
        h.Verify();

        // The store, and the driver archive.
        Accedi(kLetturaPassword);
        TfrmAnagrafica& conduttori = *frmAnagrafica;
        conduttori.Show();
        conduttori.txtConducente.SetText("Verdi Luca");
        conduttori.txtTelCel.SetText("333");
        conduttori.txtMarca.SetText("Fiat");
        conduttori.txtModello.SetText("Panda");
        conduttori.txtTarga.SetText("DD444DD");
        Salva(conduttori, conduttori.cmdSalva, ui::DialogType::Error, kAccesso);
    });
    EXPECT_EQ(Cambiati(privati, Contenuto(privata)), std::vector<std::string>{});
    for (const auto& [nome, bersaglio] : link)
        EXPECT_TRUE(fs::is_symlink(Path(nome))) << nome;
    // What is not a link was written: the third vehicle.
    EXPECT_EQ(fs::file_size(Path("Parco_Automezzi.pro")), 3 * common::TAutomezzoRec.size);
}

// A full data folder mounted read-only: everything shows, no save is taken
// without a word, and no file changes.
TEST_F(CartellaCondivisa, AReadOnlyMountShowsEveryRecordAndRefusesEverySave) {
    if (const std::string why = ts::MountRefused(); !why.empty()) GTEST_SKIP() << why;
    Riempi();
    const auto prima = Contenuto(h.DataFolder());
    ts::Bounded([&] {
        ASSERT_TRUE(ts::PrivateMounts());
        ASSERT_TRUE(ts::MountReadOnly(h.DataFolder()));
        LeggiSenzaScrivere();
    });
    EXPECT_EQ(Cambiati(prima, Contenuto(h.DataFolder())), std::vector<std::string>{});
}

// The same with a folder of mode 555 and files of mode 444, to a plain user.
TEST_F(CartellaCondivisa, AFolderOfMode555ShowsEveryRecordToAPlainUserAndRefusesEverySave) {
    ts::Accounts utenti(1);
    if (!utenti.Made()) GTEST_SKIP() << utenti.WhyNot();
    if (const std::string why = ts::UnreachableByOthers(h.DataFolder()); !why.empty()) GTEST_SKIP() << why;
    Riempi();
    const auto prima = Contenuto(h.DataFolder());
    for (const auto& e : fs::recursive_directory_iterator(h.DataFolder()))
        ::chmod(e.path().c_str(), e.is_directory() ? 0555 : 0444);
    ::chmod(h.DataFolder().c_str(), 0555);
    ts::Bounded([&] {
        ts::BecomeUser(utenti.User(0), utenti.Group());
        LeggiSenzaScrivere();
    });
    EXPECT_EQ(Cambiati(prima, Contenuto(h.DataFolder())), std::vector<std::string>{});
}

// The lock files of the settings and of the store, made by the first user of
// the group with the umask 022 (and, as before, with mode 644): the second
// user changes the numbering start, the office and the password.
TEST_F(CartellaCondivisa, LockFilesMadeByOneUserServeTheOther) {
    ts::Accounts utenti(2);
    if (!utenti.Made()) GTEST_SKIP() << utenti.WhyNot();
    if (const std::string why = ts::UnreachableByOthers(h.DataFolder()); !why.empty()) GTEST_SKIP() << why;
    Riempi();
    PerIlGruppo(utenti.Group());
    ts::Bounded([&] {
        ts::BecomeUser(utenti.User(0), utenti.Group(), 022);
        Accedi();
        frmFogli->ImpostaAnno("2024");
        frmFogli->Show();
        frmFogli->Close();
    });
    for (const char* lock : {".Fogli_di_Marcia.ini.lock", ".unins000.dll.lock"}) {
        struct stat st {};
        ASSERT_EQ(::stat(Path(lock).c_str(), &st), 0) << lock;
        EXPECT_EQ(st.st_uid, utenti.User(0)) << lock;
        EXPECT_EQ(st.st_mode & 0777, 0664u) << lock; // as the file it guards
    }
    for (const bool comePrima : {false, true}) {
        SCOPED_TRACE(comePrima ? "lock files of mode 644" : "lock files as made");
        if (comePrima)
            for (const char* lock : {".Fogli_di_Marcia.ini.lock", ".unins000.dll.lock"})
                ::chmod(Path(lock).c_str(), 0644);
        const std::string nuova = comePrima ? "SECONDA" : "PRIMA";
        ts::Bounded([&] {
            ts::BecomeUser(utenti.User(1), utenti.Group(), 022);
            frmFogli->ImpostaAnno("2024");
            frmFogli->Show();
            h.OnModal<TfrmNumerazione>([&](TfrmNumerazione& d) {
                d.txtInizio.SetText(comePrima ? "300" : "200");
                h.Click(d.btnApplica);
                EXPECT_FALSE(d.Visible());
            });
            h.Click(frmFogli->cmdNumerazione);
            frmFogli->txtUfficio.SetText(comePrima ? "Sede di Bari" : "Sede di Roma");
            h.Click(frmFogli->cmdEsci);

            frmPassword->MostraVuota();
            h.Click(frmPassword->btnCambiaPassword);
            TfrmCambiaPassword& f = *frmCambiaPassword;
            f.txtPasswordOld.SetText(comePrima ? "PRIMA" : "DORNEVAL");
            f.txtPasswordNew.SetText(nuova);
            f.txtConferma.SetText(nuova);
            h.ExpectShowMessage("Modifica della password completata con successo.");
            h.Click(f.cmdOK);
            h.Verify();
        });
        EXPECT_EQ(tripsheets::InizioNumerazione(), comePrima ? "300" : "200");
        EXPECT_EQ(tripsheets::UfficioEmittente(), comePrima ? "Sede di Bari" : "Sede di Roma");
        EXPECT_EQ(rtl::IniFile(StorePath()).ReadString("Accesso", "Valore"), EncodePassword(nuova));
    }
}

// Another workstation takes the lock of the store, of the settings and of an
// archive and never lets go. The login returns within 10 s (the real wait),
// and so do the change of password, the trip-sheet window, the planner's
// opening and close and a card's save, each with the message of a file in
// use and the wait cursor shown meanwhile; nothing changes. Once the holder
// ends, the same actions succeed.
TEST_F(CartellaCondivisa, ALockHeldElsewhereWithoutEndIsAwaitedThenSaid) {
    Riempi();
    // What the files hold: the lock files that the holders make aside.
    const auto dati = [&] {
        auto c = Contenuto(h.DataFolder());
        std::erase_if(c, [](const auto& file) { return file.first.ends_with(".lock"); });
        return c;
    };
    const auto prima = dati();
    {
        const ts::LockHolder store(StorePath(), ts::LockHolder::Kind::Settings);
        ts::Bounded(
            [&] {
                Accedi(kInUso);
                EXPECT_EQ(h.WaitCursorShown(), 1);
                EXPECT_FALSE(h.WaitCursorOn());
            },
            std::chrono::seconds(10));

        rtl::SetLockWaitForTesting(std::chrono::milliseconds(200));
        const ts::LockHolder impostazioni(Path("Fogli_di_Marcia.ini"), ts::LockHolder::Kind::Settings);
        const ts::LockHolder planner(Planner("AA111AA", "2024"), ts::LockHolder::Kind::Archive);
        const ts::LockHolder veicoli(Path("Parco_Automezzi.pro"), ts::LockHolder::Kind::Archive);
        ts::Bounded([&] {
            frmPassword->MostraVuota();
            h.Click(frmPassword->btnCambiaPassword);
            TfrmCambiaPassword& f = *frmCambiaPassword;
            f.txtPasswordOld.SetText("DORNEVAL");
            f.txtPasswordNew.SetText("NUOVA");
            f.txtConferma.SetText("NUOVA");
            h.ExpectShowMessage(kInUso);
            h.Click(f.cmdOK);
            h.Verify();
            EXPECT_TRUE(f.Visible());
            f.Close();

            frmFogli->ImpostaAnno("2024");
            h.ExpectShowMessage(kInUso);
            frmFogli->Show();
            h.Verify();
            frmFogli->txtUfficio.SetText("Sede di Bari");
            h.ExpectShowMessage(kInUso);
            h.Click(frmFogli->cmdEsci);
            h.Verify();

            h.ExpectMessage(ui::DialogType::Warning, kInUso);
            ApriPlanner("2024");
            h.Verify();
            EXPECT_EQ(frmPlanning->Cella(3).mem.Text(), "");
            h.ExpectMessage(ui::DialogType::Warning, kPrenotazioniNonSalvate);
            h.Click(frmPlanning->cmdEsci);
            h.Verify();

            TfrmAutoparco& card = *frmAutoparco;
            card.Show();
            h.Click(card.cmdPrimo);
            card.txtColore.SetText("Rosso");
            Salva(card, card.cmdSalva, ui::DialogType::Error, kInUso);
            EXPECT_EQ(h.WaitCursorShown(), 5);
            EXPECT_FALSE(h.WaitCursorOn());
        });
    }
    EXPECT_EQ(Cambiati(prima, dati()), std::vector<std::string>{});

    // A planner opened before another workstation took the lock: its close
    // waits, says so and stays open with its bookings until it can store
    // them.
    ApriPlanner("2024");
    frmPlanning->ScriviGiorno(8, "Bianchi");
    {
        const ts::LockHolder planner(Planner("AA111AA", "2024"), ts::LockHolder::Kind::Archive);
        h.ExpectMessage(ui::DialogType::Warning, kInUso);
        h.Click(frmPlanning->cmdEsci);
        h.Verify();
        EXPECT_TRUE(frmPlanning->Visible());
        EXPECT_EQ(frmPlanning->Cella(8).mem.Text(), "Bianchi");
    }
    EXPECT_EQ(Cambiati(prima, dati()), std::vector<std::string>{});
    h.Click(frmPlanning->cmdEsci);
    EXPECT_FALSE(frmPlanning->Visible());

    // Once the holders have ended, the same actions succeed.
    Accedi();
    ApriPlanner("2024");
    EXPECT_EQ(frmPlanning->Cella(3).mem.Text(), "Rossi");
    EXPECT_EQ(frmPlanning->Cella(8).mem.Text(), "Bianchi");
    h.Click(frmPlanning->cmdEsci);
    TfrmAutoparco& card = *frmAutoparco;
    card.Show();
    h.Click(card.cmdPrimo);
    card.txtColore.SetText("Rosso");
    Salva(card, card.cmdSalva, ui::DialogType::Information, kModificata);
    frmFogli->ImpostaAnno("2024");
    frmFogli->Show();
    frmFogli->txtUfficio.SetText("Sede di Bari");
    h.Click(frmFogli->cmdEsci);
    EXPECT_EQ(tripsheets::UfficioEmittente(), "Sede di Bari");
}

// On a full disk the first save of a file that a window made to read it is
// refused, and the empty file goes away again: the planner's new year, the
// archive of a new year made by "Nuovo" of the trip sheets, and the cost
// list of a vehicle.
TEST_F(CartellaCondivisa, ARefusedFirstSaveLeavesNoFileThatAWindowMade) {
    Riempi();
    ts::Bounded([&] {
        ApriPlanner("2031");
        EXPECT_TRUE(fs::exists(Planner("AA111AA", "2031")));
        frmPlanning->ScriviGiorno(5, "Rossi");
        {
            const DiscoPieno pieno;
            h.ExpectMessage(ui::DialogType::Warning, kPrenotazioniNonSalvate);
            h.Click(frmPlanning->cmdEsci);
            h.Verify();
        }
        EXPECT_FALSE(fs::exists(Planner("AA111AA", "2031")));

        frmFogli->ImpostaAnno("2031");
        frmFogli->Show();
        h.Click(frmFogli->cmdNuovo);
        EXPECT_TRUE(fs::exists(Path("2031.fdm")));
        for (const auto& [campo, testo] : Campi{{"Ufficio", "Sede"},
                                                {"Conduttore", "Rossi Mario"},
                                                {"TelCel", "333"},
                                                {"Veicolo", "Fiat Ducato"},
                                                {"Targa", "AA111AA"}})
            frmFogli->Campo(campo).SetText(testo);
        {
            const DiscoPieno pieno;
            Salva(*frmFogli, frmFogli->cmdSalva, ui::DialogType::Warning, kAccesso);
        }
        EXPECT_FALSE(fs::exists(Path("2031.fdm")));
        h.Click(frmFogli->cmdEsci);

        TfrmAutoparco& card = *frmAutoparco;
        card.Show();
        h.Click(card.cmdPrimo);
        h.OnModal<TfrmAllegaExcel>([&](TfrmAllegaExcel& w) {
            EXPECT_TRUE(fs::exists(Path("Costi_Veicolo_1.pro")));
            h.Click(w.btnAggiungi);
            w.txtData.SetText("05/03/2024");
            w.txtCausale.SetText("Tagliando");
            w.txtPagatore.SetText("Sede");
            w.txtBeneficiario.SetText("Officina");
            w.txtImporto.SetText("120,00");
            {
                const DiscoPieno pieno;
                Salva(w, w.btnSalva, ui::DialogType::Warning, kAccesso);
            }
            h.Click(w.cmdClose);
        });
        h.Click(card.btnCosti);
        EXPECT_FALSE(fs::exists(Path("Costi_Veicolo_1.pro")));
    });
}

} // namespace
