#pragma once
// A trip-sheet window on screen for a test: a main window first (so that
// closing the window does not end the program), the start menu it returns
// to, the window as the program's single instance with the archive of 2024
// in lblFile, shown as the year menu shows it, on 5 March 2024 at 09:07.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "common/Archive.h"
#include "common/Records.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Text.h"
#include "shell/Avvio.h"
#include "tests/support/Harness.h"
#include "tests/support/StartMenu.h"
#include "tripsheets/Fogli.h"

namespace tt {

inline const std::string kErroreArchivio =
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.";
inline const std::string kInserita = "La scheda corrente è stata inserita in archivio.";
inline const std::string kModificata =
    "Le modifiche apportate alla scheda corrente sono state salvate in archivio.";
inline const std::string kVuoto = "L'archivio non contiene nessuna scheda.";

class SheetTest : public ::testing::Test {
protected:
    ts::Harness h;
    ui::Form main{h.app};
    TfrmAvvio avvio{h.app};
    ts::MenuAvvio ritorno{avvio};
    TfrmFogli fogli{h.app};

    explicit SheetTest(bool show = true) {
        h.SetNow(rtl::DateTime{*rtl::Date::FromYmd(2024, 3, 5), {9, 7, 30}});
        frmFogli = &fogli;
        fogli.lblFile.SetText(ArchivePath());
        if (show) fogli.Show();
    }
    ~SheetTest() override { frmFogli = nullptr; }

    std::string Path(const std::string& name) const { return h.DataFolder() + name; }
    std::string ArchivePath() const { return Path("2024.fdm"); }
    // The archive the trip-sheet window hands to the windows it opens.
    std::string OpenArchive() const { return rtl::Trim(fogli.lblFile.Text()); }
    std::string Archive() const {
        return rtl::FileExists(ArchivePath()) ? rtl::ReadWholeFile(ArchivePath()) : "";
    }
    std::string Ini() const {
        return rtl::FileExists(Path("Fogli_di_Marcia.ini")) ? rtl::ReadWholeFile(Path("Fogli_di_Marcia.ini"))
                                                            : "";
    }

    void TypeInto(ui::Edit& edit, const std::string& text) {
        h.Focus(edit);
        h.Type(fogli, text);
    }
    // The eight fields Save requires, set as a user leaves them.
    void FillRequired(const std::string& numero = "1") {
        fogli.txtNumFoglio.SetText(numero);
        fogli.txtUfficio.SetText("Ufficio Roma");
        fogli.txtConduttore.SetText("ROSSI MARIO");
        fogli.txtTelCel.SetText("333 1234567");
        fogli.txtVeicolo.SetText("Fiat Panda");
        fogli.txtTarga.SetText("AB123CD");
    }
    void Save(const std::string& expected) {
        h.ExpectMessage(ui::DialogType::Information, expected);
        h.Click(fogli.cmdSalva);
        h.Verify();
    }
    // Appends a sheet with the given fields to an archive (2024 by default).
    static void AddSheet(const std::map<std::string, std::string>& fields, const std::string& file) {
        common::Record r(common::TFoglioRec);
        for (const auto& [k, v] : fields)
            r.Set(k, v);
        common::Archivio(file, common::TFoglioRec).Scrivi("", r);
    }
    void AddSheet(const std::map<std::string, std::string>& fields) { AddSheet(fields, ArchivePath()); }
};

} // namespace tt
