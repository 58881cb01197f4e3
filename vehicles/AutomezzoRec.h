#pragma once
// The vehicle record and its archive "Parco_Automezzi.pro". The record type
// itself is declared with the other archive records (common/Records.h); here
// is what the vehicle windows add: the archive's name and the controls of the
// vehicle card that show each field.
#include <memory>
#include <string>
#include <string_view>

#include "common/Records.h"
#include "platform/image/Bitmap.h"

namespace vehicles {

using common::TAutomezzoRec;

inline constexpr std::string_view kArchivioAutomezzi = "Parco_Automezzi.pro";

// The data folder + "Parco_Automezzi.pro".
std::string PercorsoArchivioAutomezzi();

// Fields 1 to 32 are shown in the card's edits ("txt" + field name), in
// record order; fields 33 to 38 (the attachments) in its hidden labels
// ("lbl" + field name).
inline constexpr int kCampiInEdit = 32;

// The folder of the vehicles' photos ("Autoparco" in the data folder) and
// the photo of the vehicle of record `numero` (its number as shown) in it.
std::string CartellaFotoAutomezzi();
std::string FileFotoAutomezzo(std::string_view numero);
// The picture of that photo: null when the vehicle has none (looked for with
// one open, without an exception on the way) or it cannot be read.
std::shared_ptr<const img::Bitmap> FotoAutomezzo(std::string_view numero);

// The name of the card control that shows the field of record index `i`
// (0-based, 0 to 37): "txtTipo" ... "txtNote", "lblFile01" ... "lblDesc03".
std::string ControlloCampo(int i);

} // namespace vehicles
