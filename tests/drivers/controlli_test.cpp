#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "drivers/Carta.h"
#include "drivers/CodFisc.h"
#include "drivers/Iban.h"
#include "drivers/PartitaIva.h"
#include "tests/support/Harness.h"

namespace {

// --- The routines, without a window ------------------------------------------

TEST(ControllaCodFisc, Cases) {
    const struct {
        const char* codice;
        bool valido;
    } cases[] = {
        {"RSSMRA85T10A562S", true},   {"BNCGNN80A01H50LX", true},
        {"MRTMTT91D08F20VG", true},  // letters in place of digits are valued like any letter
        {"RSSMRA85T10A562T", false}, // another check letter
        {"RSSMRA85T10A562", false},  // 15 characters
        {"rssmra85t10a562s", false}, // lower case is not in the tables
        {"RSSMRA85 10A562S", false}, // a blank
        {"RSSMRA85-10A562S", false}, // a sign below "0"
        {"RSSMRÀ85T10A562S", false}, // an accented letter: 16 characters, 17 bytes
        {"RSSMRA85T10A56[S", false}, // a sign above "Z"
        {"::::::::::::::: A", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ControllaCodFisc(c.codice), c.valido) << c.codice;
    // The seven signs between "9" and "A" count 0 in both tables.
    EXPECT_TRUE(ControllaCodFisc(":::::::::::::::A"));
}

TEST(ControllaPartitaIva, Cases) {
    const struct {
        const char* numero;
        bool valido;
    } cases[] = {
        {"00000000000", true},  {"12345670017", true},  {"12345670405", true}, {"12345671205", true},
        {"12345670018", false}, {"12345670027", false}, {"1234567001", false}, {"123456700171", false},
        {"1234567001A", false}, {"1234567 017", false}, {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ControllaPartitaIva(c.numero), c.valido) << c.numero;
    EXPECT_EQ(UfficioIva("001"), "Torino");
    EXPECT_EQ(UfficioIva("040"), "Forlì");
    EXPECT_EQ(UfficioIva("096"), "Monza (Milano 2)");
    EXPECT_EQ(UfficioIva("120"), "Bologna 2");
    EXPECT_EQ(UfficioIva("121"), "Napoli 2");
    EXPECT_EQ(UfficioIva("103"), "");
    EXPECT_EQ(UfficioIva("000"), "");
}

TEST(ControllaCarta, Cases) {
    const struct {
        const char* numero;
        int esito;
    } cases[] = {
        {"4111111111111111", 2},
        {"5555555555554444", 3},
        {"6011111111111117", 4},
        {"378282246310005", 1},
        {"3212000000000008", 1},
        {"2120000000000001", 0}, // passes, begins with 2
        {"7120000000000000", 5},
        {"0120000000000005", -2},
        {"1120000000000003", -1},
        {"4111111111111112", 0}, // fails the test
        {"0", -2},               // a single 0 passes
        {"5", 0},
        {"", 0},
        {"abc", 0},
        {"4111 1111 1111 1111", 2},       // only digits count, within 20 characters
        {"41111111111111111115", 2},      // 20 digits
        {"4111111111111111111512345", 2}, // the 20th digit is the check digit
        {"41111111111111111112", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ControllaCarta(c.numero), c.esito) << c.numero;
}

TEST(ControllaIban, Cases) {
    EXPECT_EQ(IbanLettereInCifre("IT60X05"), "1829603305");
    EXPECT_EQ(IbanLettereInCifre("AZ-è9"), "1035-è9");
    const struct {
        const char* iban;
        bool valido;
    } cases[] = {
        {"IT60X0542811101000000123456", true},
        {"it60x0542811101000000123456", true},
        {"IT60 X054 2811 1010 0000 0123 456", true}, // blanks are dropped before the test
        {"IBANIT60X0542811101000000123456", true},   // a leading "IBAN" is not part of it
        {"IT73X0542811101IBAN00123456", true},       // "IBAN" inside the account belongs to it
        {"IT60X0542811101000000123465", false},      // two digits swapped
        {"IT61X0542811101000000123456", false},      // other check digits
        {"DE89370400440532013000", true},
        {"IT60X054281110100000012345/", false},
        {"IT60X05428111010000001234È6", false},
        {"+T60X0542811101000000123456", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ControllaIban(c.iban), c.valido) << c.iban;
    EXPECT_EQ(IbanResto97(""), 0);
    EXPECT_EQ(IbanResto97("IT60X054281110-000000123456"), 0);
    EXPECT_EQ(IbanResto97("IT60X0542811101000000123456"), 1);
}

// --- The dialogs ---------------------------------------------------------------

const std::string kCrLf2 = "\r\n\r\n";

// One case of a check dialog: the text in the edit when "Controlla" is
// pressed, the dialog expected, and whether the dialog stays open (a shape
// warning, with the focus back in the edit) or closes (a verdict).
struct Caso {
    std::string testo;
    ui::DialogType tipo;
    std::string messaggio;
    bool resta;
};

template <class D> void Verifica(const std::string& edit, const std::vector<Caso>& cases) {
    ts::Harness h;
    ui::Form owner(h.app);
    for (const Caso& c : cases) {
        SCOPED_TRACE(c.testo);
        bool aperto = false, fuocoNellEdit = false;
        h.OnModal<D>([&](D& d) {
            d.template Get<ui::Edit>(edit).SetText(c.testo);
            h.Click(d.btnControlla);
            aperto = d.Visible();
            fuocoNellEdit = d.Focused() == d.FindControl(edit);
            if (aperto) d.Close();
        });
        h.ExpectMessage(c.tipo, c.messaggio);
        auto d = std::make_unique<D>(h.app, &owner);
        d->ShowModal();
        h.Verify();
        EXPECT_EQ(aperto, c.resta);
        EXPECT_EQ(fuocoNellEdit, c.resta);
    }
}

TEST(CheckDialogs, TaxCode) {
    const std::string forma =
        "Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.";
    const std::vector<Caso> cases = {
        {"RSSMRA85T10A562S", ui::DialogType::Information, "Il codice fiscale digitato è VALIDO.", false},
        {"rssmra85t10a562s", ui::DialogType::Information, "Il codice fiscale digitato è VALIDO.", false},
        {"RSSMRA85T10A562T", ui::DialogType::Warning, "Attenzione: il codice fiscale digitato è ERRATO.",
         false},
        {"RSSMRA85 10A562S", ui::DialogType::Warning, "Attenzione: il codice fiscale digitato è ERRATO.",
         false},
        {"RSSMRÀ85T10A562S", ui::DialogType::Warning, "Attenzione: il codice fiscale digitato è ERRATO.",
         false},
        {"RSSMRA85T10A562", ui::DialogType::Warning, forma, true},
        {"", ui::DialogType::Warning, forma, true},
        {"RSSMRA85T10A562SX", ui::DialogType::Warning, forma, true},
        {"RSSMRA85T10A56😀", ui::DialogType::Warning, forma, true}, // 15 characters
        {"RSSMRA85T10A562😀", ui::DialogType::Warning, "Attenzione: il codice fiscale digitato è ERRATO.",
         false},
    };
    Verifica<TfrmCodFisc>("txtCodFisc", cases);
}

TEST(CheckDialogs, VatNumberNamesTheOffice) {
    const std::string valido = "Il numero di partita IVA digitato risulta VALIDO." + kCrLf2 +
                               "E' stato rilasciato dall'Ufficio IVA del Comune di ";
    const std::string errato =
        "Attenzione: il numero di partita IVA digitato risulta ERRATO!" + kCrLf2 +
        "Non è quindi possibile fornire informazioni relative all'Ufficio IVA che lo ha "
        "rilasciato.";
    const std::string forma = "Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.";
    const std::vector<Caso> cases = {
        {"12345670017", ui::DialogType::Information, valido + "Torino.", false},
        {"12345670405", ui::DialogType::Information, valido + "Forlì.", false},
        {"12345671015", ui::DialogType::Information, valido + "Bologna 2.", false},
        {"12345671205", ui::DialogType::Information, valido + "Bologna 2.", false},
        {"12345675552", ui::DialogType::Information, valido + ".", false},
        {"00000000000", ui::DialogType::Information, valido + ".", false},
        {"12345670018", ui::DialogType::Warning, errato, false},
        {"1234567001a", ui::DialogType::Warning, errato, false},
        {"1234567001€", ui::DialogType::Warning, errato, false},
        {"1234567001", ui::DialogType::Warning, forma, true},
        {"", ui::DialogType::Warning, forma, true},
        {"1234567890123456", ui::DialogType::Warning, forma, true},
    };
    Verifica<TfrmPartitaIva>("txtPartitaIva", cases);
}

TEST(CheckDialogs, CreditCardNamesTheType) {
    const auto valida = [](const std::string& numero, const std::string& tipo) {
        return "Il numero di carta di credito " + numero +
               " risulta valido.\r\n\r\nLa carta di credito è del tipo " + tipo + ".";
    };
    const std::string errato =
        "Attenzione: il numero digitato risulta ERRATO!" + kCrLf2 +
        "Non è quindi possibile fornire informazioni relative al tipo di carta di credito.";
    const std::string vuoto =
        "Attenzione: immettere il numero di carta di credito prima di premere il pulsante di controllo.";
    const std::vector<Caso> cases = {
        {"4111111111111111", ui::DialogType::Information, valida("4111111111111111", "Visa"), false},
        {"5555555555554444", ui::DialogType::Information, valida("5555555555554444", "MasterCard"), false},
        {"6011111111111117", ui::DialogType::Information, valida("6011111111111117", "Discover"), false},
        {"3012000000000000", ui::DialogType::Information,
         valida("3012000000000000", "Diner's Club / Carte Blanche"), false},
        {"3612000000000004", ui::DialogType::Information,
         valida("3612000000000004", "Diner's Club / Carte Blanche"), false},
        {"3812000000000002", ui::DialogType::Information,
         valida("3812000000000002", "Diner's Club / Carte Blanche"), false},
        {"3412000000000006", ui::DialogType::Information, valida("3412000000000006", "American Express"),
         false},
        {"378282246310005", ui::DialogType::Information, valida("378282246310005", "American Express"),
         false},
        {"3112000000000009", ui::DialogType::Information, valida("3112000000000009", "JCB"), false},
        {"3312000000000007", ui::DialogType::Information, valida("3312000000000007", "JCB"), false},
        {"3512000000000005", ui::DialogType::Information, valida("3512000000000005", "JCB"), false},
        // Passing numbers whose first digits name no type.
        {"3212000000000008", ui::DialogType::Warning, errato, false},
        {"3912000000000001", ui::DialogType::Warning, errato, false},
        {"2120000000000001", ui::DialogType::Warning, errato, false},
        {"7120000000000000", ui::DialogType::Warning, errato, false},
        {"8120000000000008", ui::DialogType::Warning, errato, false},
        {"9120000000000006", ui::DialogType::Warning, errato, false},
        {"1120000000000003", ui::DialogType::Warning, errato, false},
        {"0120000000000005", ui::DialogType::Warning, errato, false},
        {"4111111111111112", ui::DialogType::Warning, errato, false},
        {"0", ui::DialogType::Warning, errato, false},
        // The 20th digit is the check digit; the message quotes them all.
        {"4111111111111111111512345", ui::DialogType::Information,
         valida("4111111111111111111512345", "Visa"), false},
        {"€4111111111111111", ui::DialogType::Information, valida("€4111111111111111", "Visa"), false},
        {"漢字", ui::DialogType::Warning, errato, false},
        {"", ui::DialogType::Warning, vuoto, true},
        {"   ", ui::DialogType::Warning, vuoto, true},
    };
    Verifica<TfrmCarta>("txtNumero", cases);
}

TEST(CheckDialogs, Iban) {
    const std::string valido = "L'IBAN digitato è VALIDO.";
    const std::string errato = "Attenzione: l'IBAN digitato è ERRATO!";
    const std::string forma = "Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici.";
    const std::vector<Caso> cases = {
        {"IT60X0542811101000000123456", ui::DialogType::Information, valido, false},
        {"  IT60X0542811101000000123456 ", ui::DialogType::Information, valido, false},
        {"IT73X0542811101IBAN00123456", ui::DialogType::Information, valido, false},
        {"IT60X0542811101000000123465", ui::DialogType::Warning, errato, false},
        {"IT60X054281110100000012345/", ui::DialogType::Warning, errato, false},
        {"IT60X05428111010000001234È6", ui::DialogType::Warning, errato, false},
        {"+T60X0542811101000000123456", ui::DialogType::Warning, errato, false},
        {"IT60X054281110100000012345€", ui::DialogType::Warning, errato, false},
        {"IT60X054281110100000012345😀", ui::DialogType::Warning, errato, false},
        {"IBANIT60X0542811101000000123", ui::DialogType::Warning, forma, true},
        {"IBANX0542811101000000123456", ui::DialogType::Warning, errato, false},
        {"IT60 X054 2811 1010 0000 0123 456", ui::DialogType::Warning, forma, true},
        {"DE89370400440532013000", ui::DialogType::Warning, forma, true},
        {"", ui::DialogType::Warning, forma, true},
    };
    Verifica<TfrmIban>("txtIban", cases);
}

// Typing: upper case (and trim) where the dialog asks for it, digits only in
// the VAT number and the card number; Enter goes to "Controlla" without
// pressing it; each dialog opens with the focus in its edit and takes at
// most its length.
TEST(CheckDialogs, TypingAndEnter) {
    ts::Harness h;
    ui::Form owner(h.app);
    {
        TfrmCodFisc d(h.app, &owner);
        d.Show();
        EXPECT_EQ(d.Focused(), &d.txtCodFisc);
        h.Type(d, " rssmra85t10a562s9");
        EXPECT_EQ(d.txtCodFisc.Text(), "RSSMRA85T10A562S");
        h.Press(d, ui::vk::Return);
        EXPECT_EQ(d.Focused(), &d.btnControlla);
        EXPECT_TRUE(d.Visible());
    }
    {
        TfrmPartitaIva d(h.app, &owner);
        d.Show();
        EXPECT_EQ(d.Focused(), &d.txtPartitaIva);
        h.Type(d, "12a 3-4.5678900179");
        EXPECT_EQ(d.txtPartitaIva.Text(), "12345678900");
        h.Press(d, ui::vk::Back);
        h.Press(d, ui::vk::Left);
        h.Type(d, "7");
        EXPECT_EQ(d.txtPartitaIva.Text(), "12345678970");
        h.Press(d, ui::vk::Return);
        EXPECT_EQ(d.Focused(), &d.btnControlla);
    }
    {
        TfrmCarta d(h.app, &owner);
        d.Show();
        EXPECT_EQ(d.Focused(), &d.txtNumero);
        h.Type(d, "4111 x1111");
        EXPECT_EQ(d.txtNumero.Text(), "41111111");
        h.Press(d, ui::vk::Return);
        EXPECT_EQ(d.Focused(), &d.btnControlla);
    }
    {
        TfrmIban d(h.app, &owner);
        d.Show();
        EXPECT_EQ(d.Focused(), &d.txtIban);
        h.Type(d, " it60x0542811101000000123456789");
        EXPECT_EQ(d.txtIban.Text(), "IT60X0542811101000000123456");
        h.Press(d, ui::vk::Return);
        EXPECT_EQ(d.Focused(), &d.btnControlla);
    }
}

// The card presets each dialog with its field; the preset is selected, so
// that another text typed at once replaces it.
template <class D>
void Sovrascrivi(const char* edit, const std::string& preset, const std::string& digitato,
                 const std::string& atteso) {
    ts::Harness h;
    ui::Form owner(h.app);
    D d(h.app, &owner);
    ui::Edit& campo = d.template Get<ui::Edit>(edit);
    campo.SetText(preset);
    d.Show();
    EXPECT_EQ(campo.SelLength(), int(campo.Length())) << edit;
    h.Type(d, digitato);
    EXPECT_EQ(campo.Text(), atteso) << edit;
}

TEST(CheckDialogs, APresetTextIsSelectedAndTypedOver) {
    Sovrascrivi<TfrmCodFisc>("txtCodFisc", "RSSMRA85T10A562T", "bncgnn80a01h50lx", "BNCGNN80A01H50LX");
    Sovrascrivi<TfrmPartitaIva>("txtPartitaIva", "12345670018", "12345670017", "12345670017");
    Sovrascrivi<TfrmCarta>("txtNumero", "4111", "5500", "5500");
    Sovrascrivi<TfrmIban>("txtIban", "IT60X0542811101000000123457", "it60x0542811101000000123456",
                          "IT60X0542811101000000123456");
}

} // namespace
