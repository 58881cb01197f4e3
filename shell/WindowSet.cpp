#include "shell/WindowSet.h"

#include "bookings/Giorno.h"
#include "bookings/Intervallo.h"
#include "common/Calendario.h"
#include "common/Guida.h"
#include "common/StartMenu.h"
#include "drivers/Anagrafica.h"
#include "drivers/Carta.h"
#include "drivers/CodFisc.h"
#include "drivers/ExpAnagrafica.h"
#include "drivers/Ferie.h"
#include "drivers/Iban.h"
#include "drivers/PartitaIva.h"
#include "drivers/Servizio.h"
#include "drivers/StampaConduttore.h"
#include "drivers/Trasferte.h"
#include "drivers/TrovaAnagrafica.h"
#include "gate/EntratiOggi.h"
#include "gate/ExpVisite.h"
#include "gate/MenuRegistro.h"
#include "gate/NonUsciti.h"
#include "gate/Registro.h"
#include "gate/StampaVisita.h"
#include "gate/Statistiche.h"
#include "gate/TrovaVisite.h"
#include "gate/UscitiOggi.h"
#include "planner/AnteprimaPlanning.h"
#include "planner/MenuDisponibili.h"
#include "planner/Planning.h"
#include "planner/RiepPrenotazioni.h"
#include "planner/StampaPlanning.h"
#include "shell/Avvio.h"
#include "shell/CambiaPassword.h"
#include "shell/Info.h"
#include "shell/Password.h"
#include "shell/Splash.h"
#include "tripsheets/AnteprimaFoglio.h"
#include "tripsheets/ExpFogli.h"
#include "tripsheets/Fogli.h"
#include "tripsheets/MenuFogli.h"
#include "tripsheets/Numerazione.h"
#include "tripsheets/RiepAperti.h"
#include "tripsheets/StampaFoglio.h"
#include "tripsheets/TrovaFogli.h"
#include "vehicles/AllegaCartella.h"
#include "vehicles/AllegaExcel.h"
#include "vehicles/AnteprimaAutomezzo.h"
#include "vehicles/Autoparco.h"
#include "vehicles/ExpAutoparco.h"
#include "vehicles/MenuScadenze.h"
#include "vehicles/ScadAssicurazione.h"
#include "vehicles/ScadBollo.h"
#include "vehicles/ScadRevisione.h"
#include "vehicles/ScadTagliando.h"
#include "vehicles/Slideshow_Automezzi.h"
#include "vehicles/StampaAutomezzo.h"
#include "vehicles/TrovaAutomezzi.h"
#include "vehicles/Zoom.h"

template <class T> void WindowSet::Create(ui::Application& app, T*& global) {
    auto window = std::make_unique<T>(app);
    global = window.get();
    forms_.push_back(std::move(window));
    clear_.push_back([&global] { global = nullptr; });
}

WindowSet::WindowSet(ui::Application& app) {
    // The first window created is the main window of the application. The
    // booking summary reads the planner window when it is created, so the
    // planner window comes first.
    Create(app, frmPassword);
    Create(app, frmAvvio);
    Create(app, frmCambiaPassword);
    Create(app, frmGuida);
    Create(app, frmInfo);
    Create(app, frmSplash);
    Create(app, frmAllegaCartella);
    Create(app, frmAnagrafica);
    Create(app, frmAnteprimaFoglio);
    Create(app, frmCalendario);
    Create(app, frmCarta);
    Create(app, frmCodFisc);
    Create(app, frmExpAnagrafica);
    Create(app, frmExpFogli);
    Create(app, frmFerie);
    Create(app, frmIban);
    Create(app, frmMenuFogli);
    Create(app, frmNumerazione);
    Create(app, frmPartitaIva);
    Create(app, frmRiepAperti);
    Create(app, frmServizio);
    Create(app, frmStampaConduttore);
    Create(app, frmStampaFoglio);
    Create(app, frmTrasferte);
    Create(app, frmTrovaAnagrafica);
    Create(app, frmTrovaFogli);
    Create(app, frmFogli);
    Create(app, frmAllegaExcel);
    Create(app, frmAnteprimaAutomezzo);
    Create(app, frmAutoparco);
    Create(app, frmExpAutoparco);
    Create(app, frmMenuScadenze);
    Create(app, frmScadAssicurazione);
    Create(app, frmScadBollo);
    Create(app, frmScadRevisione);
    Create(app, frmScadTagliando);
    Create(app, frmSlideshow_Automezzi);
    Create(app, frmStampaAutomezzo);
    Create(app, frmTrovaAutomezzi);
    Create(app, frmZoom);
    Create(app, frmMenuDisponibili);
    Create(app, frmPlanning);
    Create(app, frmGiorno);
    Create(app, frmIntervallo);
    Create(app, frmStampaPlanning);
    Create(app, frmAnteprimaPlanning);
    Create(app, frmRiepPrenotazioni);
    Create(app, frmMenuRegistro);
    Create(app, frmRegistro);
    Create(app, frmStatistiche);
    Create(app, frmExpVisite);
    Create(app, frmStampaVisita);
    Create(app, frmUscitiOggi);
    Create(app, frmEntratiOggi);
    Create(app, frmNonUsciti);
    Create(app, frmTrovaVisite);

    // The work windows and the menus show the start menu again through this.
    common::ImpostaMostraAvvio([avvio = frmAvvio] { avvio->Show(); });
}

WindowSet::~WindowSet() {
    common::ImpostaMostraAvvio({});
    for (auto& clear : clear_)
        clear();
    while (!forms_.empty())
        forms_.pop_back();
}
