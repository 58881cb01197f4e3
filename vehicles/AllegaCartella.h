#pragma once
// The attachments dialog of the vehicle and driver cards: up to three
// documents, each copied into the folder "Documenti_Allegati" when chosen,
// with a description. "Applica e chiudi" hands names and descriptions back
// to the card that opened the dialog when the caller tag in lblMemory is one
// of the two cards ("autoparco" or "anagrafica").
#include <array>
#include <string>
#include <string_view>

#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "vehicles/AllegaCartella.controls.h"

// The way back of the attachments dialog: the card that opens it receives
// the three names and descriptions, trimmed, and keeps them in its hidden
// labels lblFile01 .. lblDesc03.
class RitornoAllegaCartella {
public:
    struct Allegati {
        std::array<std::string, 3> file;
        std::array<std::string, 3> desc;
    };
    virtual void AllegatiApplicati(const Allegati& allegati) = 0;

    // A card's six hidden labels (lblFile01, lblDesc01 .. lblDesc03): read
    // trimmed to preset the dialog, written with what it hands back.
    static Allegati Leggi(const std::array<const ui::Label*, 3>& file,
                          const std::array<const ui::Label*, 3>& desc);
    static void Scrivi(const Allegati& allegati, const std::array<ui::Label*, 3>& file,
                       const std::array<ui::Label*, 3>& desc);

protected:
    ~RitornoAllegaCartella() = default;
};

class TfrmAllegaCartella : public ui::Form, public controls::AllegaCartella {
public:
    // `ritorno` receives the attachments; without it "Applica e chiudi"
    // hands nothing back and the dialog stays open.
    explicit TfrmAllegaCartella(ui::Application& app, ui::Form* owner = nullptr,
                                RitornoAllegaCartella* ritorno = nullptr);

    // The card's attachments, shown in the edits before the dialog opens.
    void ImpostaAllegati(const RitornoAllegaCartella::Allegati& allegati);
    // The caller tag, set by the window that opens this one before showing it.
    void ImpostaChiamante(std::string_view chiamante) { lblMemory.SetText(std::string(chiamante)); }

private:
    struct Blocco {
        ui::Edit* txtFile;
        ui::Edit* txtDesc;
        ui::Button* btnApri;
    };
    void txtFileChange(const Blocco& b);
    void btnSfogliaClick(const Blocco& b);
    void btnApriClick(const Blocco& b);
    void imgCancellaClick(const Blocco& b);
    void btnApplicaClick();
    void btnAnnullaClick();

    RitornoAllegaCartella* ritorno_;
    std::array<Blocco, 3> blocchi_;
};

extern TfrmAllegaCartella* frmAllegaCartella;

namespace vehicles {

// The attachments folder: the data folder + "Documenti_Allegati/".
std::string CartellaAllegati();

// The message of a document that could not be copied into the folder.
inline constexpr std::string_view kMsgCopiaAllegato =
    "Attenzione: non è stato possibile copiare il file nella cartella dei documenti allegati.";

// The name under which a chosen document is copied and stored: its file name
// without the folder, trimmed, with every character that the archives' code
// page cannot hold, every control character and every character that a
// Windows workstation sharing the folder cannot have in a name
// (\ : * ? " < > |) replaced by "_", and cut to the 250 characters of the
// record field keeping its extension. So the name that reaches the card is
// exactly the name of the copy, and every workstation can open it.
std::string NomeAllegato(std::string_view path);

// Whether a stored name may be opened: a plain file name inside the
// attachments folder, never a path (no separator, not "." or "..").
bool AllegatoApribile(std::string_view name);

} // namespace vehicles
