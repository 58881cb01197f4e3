#include "vehicles/AllegaCartella.h"

#include <filesystem>
#include <string_view>

#include "common/OpenURL.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Text.h"
#include "platform/ui/Services.h"

TfrmAllegaCartella* frmAllegaCartella = nullptr;

namespace vehicles {

namespace {
constexpr std::size_t kCapacitaNome = 250;
} // namespace

std::string CartellaAllegati() {
    return rtl::DataPath("Documenti_Allegati") + "/";
}

std::string NomeAllegato(std::string_view path) {
    const std::string file = std::filesystem::path(std::string(path)).filename().string();
    std::string name;
    for (std::size_t pos = 0; pos < file.size();) {
        const std::size_t start = pos;
        const char32_t c = rtl::Utf8Next(file, pos);
        const std::string one = file.substr(start, pos - start);
        const bool forbidden =
            c < 32 || std::u32string_view(U"\\:*?\"<>|").find(c) != std::u32string_view::npos;
        name += (forbidden || rtl::Utf8ToCp1252(one) == "?") ? std::string("_") : one;
    }
    name = rtl::Trim(name);
    if (rtl::Utf8Length(name) > kCapacitaNome) {
        std::string ext = std::filesystem::path(name).extension().string();
        if (rtl::Utf8Length(ext) >= kCapacitaNome) ext.clear();
        name = rtl::Utf8Left(name, kCapacitaNome - rtl::Utf8Length(ext));
        name = rtl::TrimRight(name) + ext;
    }
    return name;
}

bool AllegatoApribile(std::string_view name) {
    const std::string n = rtl::Trim(name);
    return !n.empty() && n != "." && n != ".." && n.find('/') == std::string::npos &&
           n.find('\\') == std::string::npos;
}

} // namespace vehicles

TfrmAllegaCartella::TfrmAllegaCartella(ui::Application& app, ui::Form* owner, RitornoAllegaCartella* ritorno)
    : ui::Form(app, owner, "vehicles/AllegaCartella.layout"), controls::AllegaCartella(this),
      ritorno_(ritorno), blocchi_{{{&txtFile01, &txtDesc01, &btnApri01},
                                   {&txtFile02, &txtDesc02, &btnApri02},
                                   {&txtFile03, &txtDesc03, &btnApri03}}} {
    ui::Picture* cancella[] = {&imgCancella01, &imgCancella02, &imgCancella03};
    ui::Button* sfoglia[] = {&btnSfoglia01, &btnSfoglia02, &btnSfoglia03};
    for (std::size_t i = 0; i < blocchi_.size(); ++i) {
        const Blocco* b = &blocchi_[i];
        b->txtFile->OnChange = [this, b] { txtFileChange(*b); };
        sfoglia[i]->OnClick = [this, b] { btnSfogliaClick(*b); };
        b->btnApri->OnClick = [this, b] { btnApriClick(*b); };
        cancella[i]->OnClick = [this, b] { imgCancellaClick(*b); };
    }
    btnApplica.OnClick = [this] { btnApplicaClick(); };
    btnAnnulla.OnClick = [this] { btnAnnullaClick(); };
}

void TfrmAllegaCartella::txtFileChange(const Blocco& b) {
    b.btnApri->SetEnabled(!rtl::Trim(b.txtFile->Text()).empty());
}

void TfrmAllegaCartella::btnSfogliaClick(const Blocco& b) {
    ui::FileDialogRequest dlgFile;
    dlgFile.title = "Selezionare il file da allegare:";
    dlgFile.filter = "Tutti i file (*.*)|*";
    const auto chosen = ui::OpenFileDialog(dlgFile);
    if (!chosen) return;
    const std::string previous = b.txtFile->Text();
    try {
        const std::string name = vehicles::NomeAllegato(*chosen);
        b.txtFile->SetText(name);
        rtl::CreateFolders(vehicles::CartellaAllegati());
        const std::string destination = vehicles::CartellaAllegati() + name;
        std::error_code ec;
        if (std::filesystem::equivalent(*chosen, destination, ec)) return; // already the attached copy
        if (rtl::FileExists(destination) &&
            ui::MessageDlg(
                "Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso "
                "nome.\r\n\r\nSi vuole sovrascrivere il file esistente?",
                ui::DialogType::Confirmation, ui::Buttons::YesNo) == ui::Answer::No)
            return;
        rtl::CopyFile(*chosen, destination);
    } catch (const rtl::DataError&) {
        // Nothing was attached: the block names what it named before, and
        // the user is told.
        b.txtFile->SetText(previous);
        ui::MessageDlg(std::string(vehicles::kMsgCopiaAllegato), ui::DialogType::Warning, ui::Buttons::OK);
    }
}

void TfrmAllegaCartella::btnApriClick(const Blocco& b) {
    const std::string name = rtl::Trim(b.txtFile->Text());
    if (!vehicles::AllegatoApribile(name)) return;
    TMisc::Open("\"" + vehicles::CartellaAllegati() + name + "\"");
}

void TfrmAllegaCartella::imgCancellaClick(const Blocco& b) {
    b.txtFile->SetText("");
}

RitornoAllegaCartella::Allegati RitornoAllegaCartella::Leggi(const std::array<const ui::Label*, 3>& file,
                                                             const std::array<const ui::Label*, 3>& desc) {
    Allegati allegati;
    for (std::size_t i = 0; i < file.size(); ++i) {
        allegati.file[i] = rtl::Trim(file[i]->Text());
        allegati.desc[i] = rtl::Trim(desc[i]->Text());
    }
    return allegati;
}

void RitornoAllegaCartella::Scrivi(const Allegati& allegati, const std::array<ui::Label*, 3>& file,
                                   const std::array<ui::Label*, 3>& desc) {
    for (std::size_t i = 0; i < file.size(); ++i) {
        file[i]->SetText(allegati.file[i]);
        desc[i]->SetText(allegati.desc[i]);
    }
}

void TfrmAllegaCartella::ImpostaAllegati(const RitornoAllegaCartella::Allegati& allegati) {
    for (std::size_t i = 0; i < blocchi_.size(); ++i) {
        blocchi_[i].txtFile->SetText(allegati.file[i]);
        blocchi_[i].txtDesc->SetText(allegati.desc[i]);
    }
}

void TfrmAllegaCartella::btnApplicaClick() {
    // Another tag hands nothing back and leaves the dialog open.
    const std::string tag = rtl::Trim(lblMemory.Text());
    if ((tag != "anagrafica" && tag != "autoparco") || !ritorno_) return;
    RitornoAllegaCartella::Allegati allegati;
    for (std::size_t i = 0; i < blocchi_.size(); ++i) {
        allegati.file[i] = rtl::Trim(blocchi_[i].txtFile->Text());
        allegati.desc[i] = rtl::Trim(blocchi_[i].txtDesc->Text());
    }
    ritorno_->AllegatiApplicati(allegati);
    Close();
}

void TfrmAllegaCartella::btnAnnullaClick() {
    Close();
}
