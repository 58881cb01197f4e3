#pragma once
// The transit statistics: the visits of a typed year counted by the month of
// their entry date and drawn as 3D bars or a 3D pie, printed in landscape in
// the number of copies asked for.
#include <array>
#include <string>
#include <string_view>

#include "gate/Statistiche.controls.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

namespace gate {

// The visits of the archive at `path` per month of `anno` (January first):
// a visit counts in month M when characters 4-5 of its trimmed entry date
// are M and characters 7-10 the year. The archive is created empty when
// missing; a failure throws.
std::array<int, 12> ContaTransiti(const std::string& path, std::string_view anno);

} // namespace gate

class TfrmStatistiche : public ui::Form, public controls::Statistiche {
public:
    explicit TfrmStatistiche(ui::Application& app, ui::Form* owner = nullptr);

    // The hidden count label of month `m` (1 to 12).
    ui::Label& ContaMese(int m) const { return *conta_[std::size_t(m - 1)]; }

private:
    void FormShow();
    void FormClose(ui::CloseAction& action);
    void txtAnnoKeyDown(ui::KeyEvent& key);
    void btnApriClick();
    void Tipo(chart::SeriesKind kind);
    void btnStampaClick();
    void imgGuidaClick();

    std::array<ui::Label*, 12> conta_{};
};

extern TfrmStatistiche* frmStatistiche;
