#include "shell_fixture.h"

#include "platform/rtl/Text.h"
#include "shell/Avvio.h"
#include "shell/CambiaPassword.h"
#include "shell/Password.h"
#include "tests/support/Bounded.h"

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <functional>

namespace {

const char* WrongPassword = "Attenzione: password errata.";
const char* ReadError =
    "Attenzione: si è verificato un errore durante la procedura di lettura della password. "
    "Si consiglia di reinstallare il software.";
const char* OldWrong = "Attenzione: vecchia password errata.";
const char* NotConfirmed = "Attenzione: la nuova password non è stata confermata correttamente. "
                           "E' necessario reinserire entrambi i valori.";
const char* ChangeError =
    "Attenzione: si è verificato un errore durante la procedura di modifica della password. "
    "Si consiglia di reinstallare il software.";
const char* Changed = "Modifica della password completata con successo.";

} // namespace

using Login = ShellTest;

TEST_F(Login, OkFollowsTheTrimmedTextAndEnterWithBlanksDoesNothing) {
    TfrmPassword& f = *frmPassword;
    struct Case {
        const char* typed;
        bool enabled;
    } cases[] = {{"", false}, {"   ", false}, {" a ", true}, {"x", true}};
    for (auto& c : cases) {
        f.txtPassword.SetText("");
        h.Type(f, c.typed);
        EXPECT_EQ(f.cmdOK.Enabled(), c.enabled) << "'" << c.typed << "'";
    }
    f.txtPassword.SetText("");
    h.Type(f, "   ");
    h.Press(f, ui::vk::Return); // no dialog expected: nothing is checked
    EXPECT_TRUE(f.Visible());
}

TEST_F(Login, CorrectPasswordInAnyCaseOfAToZOpensTheStartMenu) {
    for (const char* typed : {"SEGRETO", "  segReto ", "segreto"}) {
        StorePassword("SEGRETO");
        frmAvvio->Hide();
        frmPassword->Show();
        frmPassword->txtPassword.SetText("");
        h.Type(*frmPassword, typed);
        h.Press(*frmPassword, ui::vk::Return);
        EXPECT_TRUE(frmAvvio->Visible()) << typed;
        EXPECT_FALSE(frmPassword->Visible()) << typed;
        EXPECT_EQ(frmPassword->lblMemory.Text(), ""); // compared and forgotten
    }
}

TEST_F(Login, WrongPasswordEmptiesTheEditAndAccentedLettersMustMatchAsStored) {
    StorePassword("CAFFÈ");
    for (const char* typed : {"altro", "caffè"}) {
        h.Type(*frmPassword, typed);
        h.ExpectShowMessage(WrongPassword);
        h.Click(frmPassword->cmdOK);
        h.Verify();
        EXPECT_EQ(frmPassword->txtPassword.Text(), "");
        EXPECT_EQ(frmPassword->Focused(), &frmPassword->txtPassword);
        EXPECT_FALSE(frmPassword->cmdOK.Enabled());
        EXPECT_FALSE(frmAvvio->Visible());
    }
    h.Type(*frmPassword, "caffÈ");
    h.Click(frmPassword->cmdOK);
    EXPECT_TRUE(frmAvvio->Visible());
}

// A missing store (or one on a share that is not mounted) is reported as
// unreadable, never as a wrong password, and lets nobody in.
TEST_F(Login, MissingOrUnreadableStoreGivesTheReadingError) {
    for (const char* missing : {"unins000.dll", "condivisa/unins000.dll"}) {
        if (std::string(missing) != "unins000.dll")
            std::filesystem::create_symlink(h.DataFolder() + missing, StorePath());
        h.Type(*frmPassword, "DORNEVAL");
        h.ExpectShowMessage(ReadError);
        h.Click(frmPassword->cmdOK);
        h.Verify();
        EXPECT_EQ(frmPassword->txtPassword.Text(), "DORNEVAL"); // the typed text stays
        EXPECT_FALSE(frmAvvio->Visible()) << missing;
        frmPassword->txtPassword.SetText("");
        h.Focus(frmPassword->txtPassword);
    }
    rtl::DeleteFile(StorePath());

    WriteStore("[Accesso]\r\nValore=57G9\r\n");
    h.Type(*frmPassword, "A");
    h.ExpectShowMessage(ReadError);
    h.Click(frmPassword->cmdOK);
    h.Verify();
    EXPECT_EQ(frmPassword->txtPassword.Text(), "A"); // the typed text stays
    EXPECT_TRUE(frmPassword->Visible());
    EXPECT_FALSE(frmAvvio->Visible());
}

TEST_F(Login, StoreThatCannotBeReadGivesTheReadingError) {
    std::filesystem::create_directory(StorePath()); // exists, but is no file
    h.Type(*frmPassword, "DORNEVAL");
    h.ExpectShowMessage(ReadError);
    h.Click(frmPassword->cmdOK);
    h.Verify();
    EXPECT_EQ(frmPassword->txtPassword.Text(), "DORNEVAL");
    EXPECT_FALSE(frmAvvio->Visible());
}

// A FIFO in the place of the store would hold the reading of the password
// until someone writes into it: the login and the change of password report
// a store that cannot be read, never a wrong password, and let nobody in.
TEST_F(Login, AFifoAsTheStoreIsReportedUnreadableAndLetsNobodyIn) {
    ASSERT_EQ(::mkfifo(StorePath().c_str(), 0600), 0);
    ts::Bounded([&] {
        h.Type(*frmPassword, "DORNEVAL");
        h.ExpectShowMessage(ReadError);
        h.Click(frmPassword->cmdOK);
        h.Verify();
        EXPECT_TRUE(frmPassword->Visible());
        EXPECT_FALSE(frmAvvio->Visible());

        h.Click(frmPassword->btnCambiaPassword);
        TfrmCambiaPassword& f = *frmCambiaPassword;
        f.txtPasswordOld.SetText("DORNEVAL");
        f.txtPasswordNew.SetText("nuova");
        f.txtConferma.SetText("nuova");
        h.ExpectShowMessage(ChangeError);
        h.Click(f.cmdOK);
        h.Verify();
        EXPECT_TRUE(f.Visible());
        EXPECT_FALSE(frmAvvio->Visible());
    });
    struct stat st {};
    ASSERT_EQ(::lstat(StorePath().c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(Login, EsciEndsTheProgram) {
    h.Click(frmPassword->cmdEsci);
    EXPECT_TRUE(h.app.Terminated());
}

TEST_F(Login, ClosedByTheWindowManagerDespiteNoCloseBoxEndsTheProgram) {
    EXPECT_FALSE(frmPassword->CloseBox());
    frmPassword->Close(); // what the backend does when the window manager closes it
    EXPECT_TRUE(h.app.Terminated());
}

class ChangePassword : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        StorePassword("VECCHIA");
        h.Click(frmPassword->btnCambiaPassword);
    }
    void Fill(const char* old, const char* nw, const char* conf) {
        TfrmCambiaPassword& f = *frmCambiaPassword;
        f.txtPasswordOld.SetText(old);
        f.txtPasswordNew.SetText(nw);
        f.txtConferma.SetText(conf);
    }
    std::string Stored() {
        std::string store = rtl::ReadWholeFile(StorePath());
        auto from = store.find("Valore=") + 7;
        return DecodePassword(store.substr(from, store.find('\r', from) - from));
    }
};

TEST_F(ChangePassword, OpensEmptyInPlaceOfTheLoginWithOkFollowingAllThreeEdits) {
    TfrmCambiaPassword& f = *frmCambiaPassword;
    EXPECT_TRUE(f.Visible());
    EXPECT_FALSE(frmPassword->Visible());
    EXPECT_EQ(f.Focused(), &f.txtPasswordOld);
    EXPECT_TRUE(f.effPasswordOld.Visible());
    EXPECT_FALSE(f.cmdOK.Enabled());
    Fill("a", "b", " ");
    EXPECT_FALSE(f.cmdOK.Enabled());
    h.Focus(f.txtConferma);
    h.Type(f, "c");
    EXPECT_TRUE(f.cmdOK.Enabled());
    EXPECT_TRUE(f.effConferma.Visible());
    EXPECT_FALSE(f.effPasswordOld.Visible());
    // Enter goes round the closed chain and never runs the change.
    h.Press(f, ui::vk::Return);
    EXPECT_EQ(f.Focused(), &f.txtPasswordOld);
    h.Press(f, ui::vk::Return);
    EXPECT_EQ(f.Focused(), &f.txtPasswordNew);
    EXPECT_TRUE(f.Visible());
}

TEST_F(ChangePassword, ChecksOldThenConfirmationAndEmptiesOnlyWhatWasWrong) {
    TfrmCambiaPassword& f = *frmCambiaPassword;
    Fill("sbagliata", "nuova", "nuova");
    h.ExpectShowMessage(OldWrong);
    h.Click(f.cmdOK);
    h.Verify();
    EXPECT_EQ(f.txtPasswordOld.Text(), "");
    EXPECT_EQ(f.txtPasswordNew.Text(), "nuova");
    EXPECT_EQ(f.Focused(), &f.txtPasswordOld);

    Fill("vecchia", "nuova", "NUOVA"); // confirmation is case-sensitive
    h.ExpectShowMessage(NotConfirmed);
    h.Click(f.cmdOK);
    h.Verify();
    EXPECT_EQ(f.txtPasswordOld.Text(), "vecchia");
    EXPECT_EQ(f.txtPasswordNew.Text(), "");
    EXPECT_EQ(f.txtConferma.Text(), "");
    EXPECT_EQ(f.Focused(), &f.txtPasswordNew);
    EXPECT_EQ(Stored(), "VECCHIA");
    EXPECT_EQ(f.lblMemory.Text(), ""); // the stored password compared and forgotten
}

TEST_F(ChangePassword, StoresTheNewPasswordUpperCasedKeepingTheOtherLines) {
    WriteStore("; installazione\r\n[Accesso]\r\nValore=" + EncodePassword("VECCHIA") +
               "\r\n[Altro]\r\nChiave=1\r\n");
    Fill(" Vecchia ", " nuova è ", " nuova è ");
    h.ExpectShowMessage(Changed);
    h.Click(frmCambiaPassword->cmdOK);
    h.Verify();
    EXPECT_EQ(Stored(), "NUOVA è");
    std::string store = rtl::ReadWholeFile(StorePath());
    EXPECT_EQ(store.substr(0, 16), "; installazione\r");
    EXPECT_NE(store.find("[Altro]\r\nChiave=1"), std::string::npos);

    // Back at the login, emptied; the new password opens, the old one not.
    EXPECT_FALSE(frmCambiaPassword->Visible());
    EXPECT_TRUE(frmPassword->Visible());
    EXPECT_EQ(frmPassword->txtPassword.Text(), "");
    EXPECT_EQ(frmPassword->Focused(), &frmPassword->txtPassword);
    h.Type(*frmPassword, "vecchia");
    h.ExpectShowMessage(WrongPassword);
    h.Click(frmPassword->cmdOK);
    h.Verify();
    h.Type(*frmPassword, "Nuova è");
    h.Click(frmPassword->cmdOK);
    EXPECT_TRUE(frmAvvio->Visible());
}

TEST_F(ChangePassword, RefusesCharactersTheStoreCannotHold) {
    Fill("vecchia", "euro€", "euro€");
    h.ExpectShowMessage(
        "Attenzione: la nuova password contiene caratteri non ammessi, come il simbolo dell'euro. "
        "E' necessario scegliere una password diversa.");
    h.Click(frmCambiaPassword->cmdOK);
    h.Verify();
    EXPECT_EQ(Stored(), "VECCHIA");
    EXPECT_TRUE(frmCambiaPassword->Visible());
}

TEST_F(ChangePassword, FailedWriteIsReportedAndNeverAsSuccess) {
    const std::string before = rtl::ReadWholeFile(StorePath());
    // Files may not grow beyond a few bytes while the change writes: the
    // write of the store fails, its reading does not.
    struct Limit {
        rlimit old{};
        void (*oldHandler)(int);
        Limit() {
            getrlimit(RLIMIT_FSIZE, &old);
            oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            rlimit small = old;
            small.rlim_cur = 4;
            setrlimit(RLIMIT_FSIZE, &small);
        }
        ~Limit() {
            setrlimit(RLIMIT_FSIZE, &old);
            std::signal(SIGXFSZ, oldHandler);
        }
    };
    Fill("vecchia", "nuova", "nuova");
    h.ExpectShowMessage(ChangeError);
    {
        Limit limit;
        h.Click(frmCambiaPassword->cmdOK);
    }
    h.Verify();
    EXPECT_EQ(rtl::ReadWholeFile(StorePath()), before);
    EXPECT_TRUE(frmCambiaPassword->Visible());
    EXPECT_EQ(frmCambiaPassword->txtPasswordNew.Text(), "nuova");
}

TEST_F(ChangePassword, UnreadableStoreGivesTheChangeErrorAndKeepsTheTexts) {
    struct Store {
        const char* what;
        std::function<void()> make;
    } stores[] = {
        {"pair not hexadecimal", [&] { WriteStore("[Accesso]\r\nValore=57 9\r\n"); }},
        {"not a file",
         [&] {
             rtl::DeleteFile(StorePath());
             std::filesystem::create_directory(StorePath());
         }},
    };
    for (auto& st : stores) {
        st.make();
        Fill("vecchia", "nuova", "nuova");
        h.ExpectShowMessage(ChangeError);
        h.Click(frmCambiaPassword->cmdOK);
        h.Verify();
        EXPECT_TRUE(frmCambiaPassword->Visible()) << st.what;
        EXPECT_EQ(frmCambiaPassword->txtPasswordOld.Text(), "vecchia") << st.what;
        EXPECT_EQ(frmCambiaPassword->txtConferma.Text(), "nuova") << st.what;
    }
}

// A missing store is reported as unreadable, not as a wrong old password,
// and is never created.
TEST_F(ChangePassword, MissingStoreGivesTheChangeErrorAndIsNeverCreated) {
    rtl::DeleteFile(StorePath());
    Fill("vecchia", "nuova", "nuova");
    h.ExpectShowMessage(ChangeError);
    h.Click(frmCambiaPassword->cmdOK);
    h.Verify();
    EXPECT_TRUE(frmCambiaPassword->Visible());
    EXPECT_FALSE(rtl::FileExists(StorePath()));
    EXPECT_EQ(rtl::ListFiles(h.DataFolder()), std::vector<std::string>{});
}

TEST_F(ChangePassword, AnyCloseBringsBackTheLoginEmptied) {
    frmPassword->lblMemory.SetText("VECCHIA");
    h.Click(frmCambiaPassword->cmdEsci);
    EXPECT_FALSE(frmCambiaPassword->Visible());
    EXPECT_TRUE(frmPassword->Visible());
    EXPECT_EQ(frmPassword->lblMemory.Text(), "");
    EXPECT_EQ(frmPassword->Focused(), &frmPassword->txtPassword);

    // Closed by the window manager although it has no close box.
    h.Click(frmPassword->btnCambiaPassword);
    frmCambiaPassword->Close();
    EXPECT_TRUE(frmPassword->Visible());
}
