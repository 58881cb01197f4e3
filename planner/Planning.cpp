#include "planner/Planning.h"

#include <stdexcept>

#include "planner/GiorniPlanner.h"
#include "platform/rtl/Text.h"
#include "shell/Avvio.h"
#include "shell/DataEntry.h"
#include "shell/Guida.h"

TfrmPlanning* frmPlanning = nullptr;

namespace {

constexpr int kCellaX = 166, kCellaY = 152, kPassoX = 26, kPassoY = 40;
constexpr int kCellaW = 24, kCellaH = 33;

std::string ImmagineGiorno(const char* kind, int day) {
    std::string n = std::to_string(day);
    if (n.size() < 2) n = "0" + n;
    return std::string("planner/") + kind + n + ".png";
}

} // namespace

TfrmPlanning::TfrmPlanning(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "planner/Planning.layout"),
      txtVeicolo(Get<ui::Edit>("txtVeicolo")),
      txtMarca(Get<ui::Edit>("txtMarca")),
      txtModello(Get<ui::Edit>("txtModello")),
      txtTarga(Get<ui::Edit>("txtTarga")),
      txtAnno(Get<ui::Label>("txtAnno")),
      lblPosizione(Get<ui::Label>("lblPosizione")),
      panInfo(Get<ui::Label>("panInfo")),
      panMemGiorni(Get<ui::Panel>("panMemGiorni")),
      cmdIntervallo(Get<ui::Picture>("cmdIntervallo")),
      cmdRiepilogo(Get<ui::Picture>("cmdRiepilogo")),
      cmdAnteprima(Get<ui::Picture>("cmdAnteprima")),
      cmdStampa(Get<ui::Picture>("cmdStampa")),
      cmdGuida(Get<ui::Picture>("cmdGuida")),
      cmdEsci(Get<ui::Picture>("cmdEsci")),
      cmdSalva(Get<ui::Picture>("cmdSalva")),
      cmdNuovo(Get<ui::Picture>("cmdNuovo")) {
    CreaCelle();
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    cmdNuovo.OnClick = [this] { cmdNuovoClick(); };
    cmdGuida.OnClick = [this] { cmdGuidaClick(); };
    cmdEsci.OnClick = [this] { cmdEsciClick(); };
    // The four vehicle edits only show values: they rest light blue and never turn yellow.
    for (ui::Edit* e : {&txtVeicolo, &txtMarca, &txtModello, &txtTarga})
        entry::BindStyleHighlight(*e, entry::Resting, false);
}

// The 366 day cells, from the planner calendar: the free and the booked
// picture on top of each other at the day's place, the text label in the
// hidden panel. Free shown, booked hidden, text empty.
void TfrmPlanning::CreaCelle() {
    ui::Control* area = FindControl("panContainer");
    celle_.reserve(planner::kGiorniPlanner);
    for (const planner::Giorno& g : planner::Giorni()) {
        const int x = kCellaX + kPassoX * (g.day - 1), y = kCellaY + kPassoY * (g.month - 1);
        auto& lib = Add<ui::Picture>(planner::NomeCella("lib", g), area);
        lib.SetBounds(x, y, kCellaW, kCellaH);
        lib.SetResourceName(ImmagineGiorno("Libero", g.day));
        lib.SetCursor(ui::Cursor::Hand);
        auto& occ = Add<ui::Picture>(planner::NomeCella("occ", g), area);
        occ.SetBounds(x, y, kCellaW, kCellaH);
        occ.SetResourceName(ImmagineGiorno("Occupato", g.day));
        occ.SetCursor(ui::Cursor::Hand);
        occ.SetVisible(false);
        auto& mem = Add<ui::Label>(planner::NomeCella("mem", g), &panMemGiorni);
        mem.SetBounds(0, 0, 40, 16);
        celle_.push_back(CellaGiorno{lib, occ, mem});
    }
}

CellaGiorno TfrmPlanning::Cella(int i) const {
    if (i < 0 || i >= static_cast<int>(celle_.size())) throw std::out_of_range("planner day index");
    return celle_[static_cast<std::size_t>(i)];
}

void TfrmPlanning::ScriviGiorno(int i, const std::string& t) {
    CellaGiorno c = Cella(i);
    const bool occupato = !rtl::TrimView(t).empty();
    c.lib.SetVisible(!occupato);
    c.occ.SetVisible(occupato);
    c.mem.SetText(t);
}

// Reset of all day cells: every day free with an empty text, no record
// number, the focus on the first vehicle edit.
void TfrmPlanning::cmdNuovoClick() {
    for (const CellaGiorno& c : celle_) {
        c.lib.SetVisible(true);
        c.occ.SetVisible(false);
    }
    for (const CellaGiorno& c : celle_) c.mem.SetText("");
    lblPosizione.SetText("");
    txtVeicolo.SetFocus();
}

// Closing the window returns to the start menu.
void TfrmPlanning::FormClose(ui::CloseAction&) { frmAvvio->Show(); }

void TfrmPlanning::cmdGuidaClick() { ShowHelpTopic(*this, "App Planner Prenotazioni", "planner/Planning.help"); }

void TfrmPlanning::cmdEsciClick() { Close(); }
