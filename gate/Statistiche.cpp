#include "gate/Statistiche.h"

#include <limits>
#include <memory>
#include <stdexcept>

#include "common/Archive.h"
#include "common/Commands.h"
#include "common/DataEntry.h"
#include "common/Guida.h"
#include "common/Routines.h"
#include "common/StartMenu.h"
#include "gate/Visite.h"
#include "platform/chart/Chart.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Text.h"
#include "platform/ui/Services.h"

TfrmStatistiche* frmStatistiche = nullptr;

namespace {

struct Mese {
    const char* chiave;
    const char* etichetta; // hidden count label
    const char* nome;      // point label
    std::uint32_t colore;
};
constexpr Mese kMesi[12] = {
    {"01", "memGennaio", "Gennaio", 0xFFFF0000},     {"02", "memFebbraio", "Febbraio", 0xFF0000FF},
    {"03", "memMarzo", "Marzo", 0xFFFFE4C4},         {"04", "memAprile", "Aprile", 0xFFFF00FF},
    {"05", "memMaggio", "Maggio", 0xFFC0DCC0},       {"06", "memGiugno", "Giugno", 0xFFFFFF00},
    {"07", "memLuglio", "Luglio", 0xFF00FF00},       {"08", "memAgosto", "Agosto", 0xFFC0C0C0},
    {"09", "memSettembre", "Settembre", 0xFFF0FBFF}, {"10", "memOttobre", "Ottobre", 0xFF87CEEB},
    {"11", "memNovembre", "Novembre", 0xFF800000},   {"12", "memDicembre", "Dicembre", 0xFF008000},
};

constexpr std::string_view kMsgAnno = "Attenzione: indicare l'anno solare utilizzando quattro cifre.";

} // namespace

namespace gate {

std::array<int, 12> ContaTransiti(const std::string& path, std::string_view anno) {
    const common::FieldRef dataEnt = TVisitaRec.Field("DataEnt");
    std::array<int, 12> conta{};
    const std::string_view y = rtl::TrimView(anno);
    common::Archivio archivio(path, TVisitaRec);
    archivio.PerOgni([&](std::int64_t, const common::RecordView& v) {
        // The date trimmed and followed by ten blanks: characters 4-5 are the
        // month and 7-10 the year of a dd/mm/yyyy text (one byte is one
        // character of the stored code page).
        std::string s(CampoGrezzo(v, dataEnt));
        s.append(10, ' ');
        const std::string_view mese = rtl::TrimView(std::string_view(s).substr(3, 2));
        if (rtl::TrimView(std::string_view(s).substr(6, 4)) != y || mese.size() != 2) return;
        const int m = (mese[0] - '0') * 10 + (mese[1] - '0');
        if (mese[0] < '0' || mese[0] > '1' || mese[1] < '0' || mese[1] > '9' || m < 1 || m > 12) return;
        ++conta[std::size_t(m - 1)];
    });
    archivio.Chiudi();
    return conta;
}

} // namespace gate

TfrmStatistiche::TfrmStatistiche(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "gate/Statistiche.layout"), controls::Statistiche(this) {
    for (std::size_t i = 0; i < conta_.size(); ++i)
        conta_[i] = &Get<ui::Label>(kMesi[i].etichetta);
    txtAnno.SetMaxLength(4);
    OnShow = [this] { FormShow(); };
    OnClose = [this](ui::CloseAction& a) { FormClose(a); };
    txtAnno.OnKeyDown = [this](ui::KeyEvent& k) { txtAnnoKeyDown(k); };
    btnApri.OnClick = [this] { btnApriClick(); };
    btnBarre.OnClick = [this] { Tipo(chart::SeriesKind::Bar); };
    btnTorta.OnClick = [this] { Tipo(chart::SeriesKind::Pie); };
    btnStampa.OnClick = [this] { btnStampaClick(); };
    imgGuida.OnClick = [this] { imgGuidaClick(); };
    cmdGuida.OnClick = [this] { imgGuidaClick(); };
    btnEsci.OnClick = [this] { Close(); };
    imgEsci.OnClick = [this] { Close(); };

    const struct {
        ui::Control& control;
        const char* hint;
    } hints[] = {
        {btnBarre, "Visualizza le statistiche degli ingressi e uscite veicoli sotto forma di grafico a barre "
                   "tridimensionali."},
        {btnTorta, "Visualizza le statistiche degli ingressi e uscite veicoli sotto forma di grafico a torta "
                   "tridimensionale."},
        {btnStampa, "Stampa il grafico corrente."},
        {btnEsci, "Esci da questo ambiente di lavoro."},
        {cmdGuida, "Visualizza la pagina della guida sensibile al contesto."},
    };
    for (const auto& h : hints)
        common::LegaSuggerimento(h.control, panInfo, h.hint);
    common::LegaSfondo(*this, panInfo, {"panContainer", "shpSezione01", "shpInfo", "ChartStats"});
}

// Every showing asks for a year again, preset with the current one. The
// chart keeps its kind.
void TfrmStatistiche::FormShow() {
    txtAnno.SetText(std::to_string(rtl::Today().Year()));
    txtAnno.SetFocus();
    ChartStats.Chart().Clear();
    panAvvio.Show();
    panContainer.Hide();
}

void TfrmStatistiche::FormClose(ui::CloseAction&) {
    common::MostraAvvio();
}

// Digits only; Enter presses "Apri", the window's default command.
void TfrmStatistiche::txtAnnoKeyDown(ui::KeyEvent& key) {
    entry::DigitKeyDown(key);
}

// Counts the year's visits month by month and shows the chart. An archive
// that cannot be read is reported, and the year panel stays: twelve zeros
// must mean a year without transits.
void TfrmStatistiche::btnApriClick() {
    if (rtl::Utf8Length(txtAnno.Text()) != 4) {
        ui::MessageDlg(std::string(kMsgAnno), ui::DialogType::Warning, ui::Buttons::OKCancel);
        txtAnno.SetFocus();
        return;
    }
    const std::string anno = rtl::Trim(txtAnno.Text());
    lblFile.SetText(rtl::DataPath(anno + ".vis"));
    lblTitolo.SetText("Rappresentazione grafica dei transiti registrati nell'anno " + anno + ".");
    for (ui::Label* l : conta_)
        l->SetText("0");
    std::array<int, 12> conta{};
    try {
        conta = gate::ContaTransiti(rtl::Trim(lblFile.Text()), anno);
    } catch (const rtl::DataError&) {
        ui::ShowMessage(std::string(common::kMsgAccessoArchivio));
        return;
    }
    chart::Chart& grafico = ChartStats.Chart();
    grafico.Clear();
    for (std::size_t i = 0; i < conta.size(); ++i) {
        conta_[i]->SetText(std::to_string(conta[i]));
        grafico.Add(double(conta[i]), kMesi[i].nome, kMesi[i].colore);
    }
    panAvvio.Hide();
    panContainer.Show();
}

// Bars or pie: the points stay, the view is 3D and orthogonal; the kind
// chosen last stays for the next count, also after the window closes.
void TfrmStatistiche::Tipo(chart::SeriesKind kind) {
    chart::Chart& grafico = ChartStats.Chart();
    grafico.SetKind(kind);
    grafico.SetView3D(true);
    grafico.SetOrthogonal(true);
}

// Asks, then asks for the copies (blank or not only digits: one), shows the
// print dialog and prints the chart once per copy, in landscape.
void TfrmStatistiche::btnStampaClick() {
    if (ui::MessageDlg("Si vuole stampare il presente grafico statistico?", ui::DialogType::Confirmation,
                       ui::Buttons::YesNo) == ui::Answer::No)
        return;
    std::string copie = "1";
    if (!ui::InputQuery("Numero copie da stampare", "Copie:", copie)) return;
    if (rtl::TrimView(copie).empty()) copie = "1";
    if (!common::SoloCifre(copie)) copie = "1";
    // A number too large for the copy count is no number of copies.
    std::size_t inizio = copie.find_first_not_of('0');
    const std::string_view cifre = inizio == std::string::npos ? "0" : std::string_view(copie).substr(inizio);
    long long n = 0;
    if (cifre.size() > 10 || (n = std::stoll(std::string(cifre))) > std::numeric_limits<int>::max())
        throw std::runtime_error("'" + copie + "' non è un valore intero valido.");
    const auto scelte = ui::PrintDialog(int(n));
    if (!scelte) return;
    chart::Print(ChartStats.Chart(), *scelte, false);
}

void TfrmStatistiche::imgGuidaClick() {
    ShowHelpTopic(*this, "Grafici statistici dei transiti dei veicoli", "gate/Statistiche.help");
}
