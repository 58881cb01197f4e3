#pragma once
// The planner menu: lists the fleet's vehicles that have a plate, takes a
// year, and on "Apri" hands the chosen vehicle and its planner file to the
// planner window. Its hidden labels keep the choice (lblFile until the next
// "Apri").
#include <optional>
#include <string>
#include <string_view>

#include "common/ListWindow.h"
#include "common/Record.h"
#include "planner/MenuDisponibili.controls.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

// The list line of a vehicle in the planner menu (its layout resolved once),
// and whether a vehicle is listed: only one with a plate.
const common::FormatoRiga& FormatoMenuDisponibili();
bool HaTarga(const common::RecordView& automezzo);

// Whether a plate can be part of a file name on every workstation sharing
// the data folder: none of / \ : * ? " < > | and no control character.
bool TargaAmmessaInNomeFile(std::string_view targa);

// The planner file of a plate and a year, in the data folder.
std::string PercorsoFilePlanner(std::string_view targa, std::string_view anno);

class TfrmMenuDisponibili : public ui::Form, public controls::MenuDisponibili {
public:
    explicit TfrmMenuDisponibili(ui::Application& app, ui::Form* owner = nullptr);

private:
    void FormShow();
    void FormClose(ui::CloseAction& action);
    void lstRecordsClick();
    void btnApriFattureClick();
    void imgGuidaClick();
    void imgEsciClick();

    common::ListaRecord lista_;
    bool archivioIllegibile_ = false; // the last list build could not read the vehicle archive
};

extern TfrmMenuDisponibili* frmMenuDisponibili;
