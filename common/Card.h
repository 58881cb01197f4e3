#pragma once
// The record card: a window that shows one record of an archive at a time,
// with its record number in `lblPosizione`, and the commands New, Save,
// First, Previous, Next, Last and Duplicate. One controller serves every
// card; each window configures it with its own controls and calls it from
// its handlers:
//
//   scheda_(*this, lblPosizione, ConfigScheda{...});
//   void TfrmAutoparco::cmdSalvaClick() { scheda_.Salva(); }
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Archive.h"
#include "common/Record.h"
#include "platform/ui/Ui.h"

namespace common {

// Messages of the cards.
inline constexpr std::string_view kMsgArchivioVuoto = "L'archivio non contiene nessuna scheda.";
inline constexpr std::string_view kMsgModificheSalvate =
    "Le modifiche apportate alla scheda corrente sono state salvate in archivio.";
inline constexpr std::string_view kMsgSchedaInserita = "La scheda corrente è stata inserita in archivio.";
inline constexpr std::string_view kMsgDuplicaNonSalvata =
    "Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che questa è stata inserita in "
    "archivio.";
inline constexpr std::string_view kMsgDuplicata =
    "E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
    "Al termine premere Salva per inserire la scheda in archivio.";

enum class Comando { Nuovo, Salva, Primo, Indietro, Avanti, Ultimo, Duplica };

// A field that Save requires, in the order of the checks: the control and
// the warning shown when its trimmed text is empty.
struct CampoObbligatorio {
    ui::Control* controllo;
    std::string messaggio;
};

struct ConfigScheda {
    // The full path of the archive, asked at each command (the data folder
    // + name, or the trimmed `lblFile` of the window).
    std::function<std::string()> archivio;
    const RecordType* record = nullptr;

    // The control that shows a field ("DataPar01", "File01", ...). Without
    // one: "txt" + field, else "lbl" + field, else the check box "chk" +
    // field, which stores "Sì" or "No".
    std::function<std::string(const std::string& campo)> controllo;

    std::vector<CampoObbligatorio> obbligatori;

    // When Save moves the focus to the window's hidden button `btnFocus`, so
    // that the field being typed in runs its exit handling first.
    enum class Focus { Nessuno, PrimaDeiControlli, DopoIControlli };
    Focus quandoFocus = Focus::Nessuno;
    ui::Control* btnFocus = nullptr;

    // The dialog kind of the access failure message per command; nothing
    // drops the failure without a word. Duplicate always reports as an error.
    struct TipiErrore {
        std::optional<ui::DialogType> nuovo = ui::DialogType::Error;
        std::optional<ui::DialogType> salva = ui::DialogType::Error;
        std::optional<ui::DialogType> primo = ui::DialogType::Error;
        std::optional<ui::DialogType> indietro = ui::DialogType::Error;
        std::optional<ui::DialogType> avanti = ui::DialogType::Error;
        std::optional<ui::DialogType> ultimo = ui::DialogType::Error;
    } errori;

    // The first field: it gets the focus after New and Duplicate.
    ui::Control* primoCampo = nullptr;
    // Controls emptied by Duplicate besides `lblPosizione` (the attachments).
    std::vector<ui::Control*> nonDuplicare;

    // The window's own steps: the defaults of a new card (after the fields
    // are cleared), after a record is shown, after a save (before its
    // message), after the message of a save (to tell what the save could not
    // store beside the record), and the duplicate steps (a data failure there
    // is an access failure). Any of them may be empty.
    std::function<void()> dopoNuovo;
    std::function<void()> dopoMostra;
    std::function<void()> dopoSalva;
    std::function<void()> dopoConferma;
    std::function<void()> passiDuplica;
};

class SchedaArchivio {
public:
    SchedaArchivio(ui::Form& form, ui::Label& lblPosizione, ConfigScheda config);

    void Nuovo();
    void Salva();
    void Primo();
    void Indietro();
    void Avanti();
    void Ultimo();
    void Duplica();

    // The card's record buffer, for the window's own steps.
    Record& Buffer() { return buffer_; }

    // The record in the buffer shown in the card's controls, with its number
    // in `lblPosizione` (what a recall from a list window also does). The
    // after-show step is not run here: the browse commands run it after
    // this, a recall runs what its window needs.
    void Mostra(std::int64_t numero);
    // The buffer filled from the card's controls.
    void RiempiBuffer();
    // Every control of the record emptied (combo edits without selection,
    // check boxes clear).
    void SvuotaCampi();

private:
    struct Legame {
        std::string campo;
        FieldRef ref;
        ui::Control* controllo;
        ui::CheckBox* casella; // set for a check box field
    };
    std::optional<ui::DialogType> TipoErrore(Comando c) const;
    void Errore(Comando c, const rtl::DataError& e) const;
    void Leggi(Archivio& a, std::int64_t numero);

    ui::Form& form_;
    ConfigScheda config_;
    Record buffer_;
    std::vector<Legame> legami_;
    ui::Label& lblPosizione_;
};

} // namespace common
