#pragma once
// What the card tests of the work areas share: a card window on screen with
// a main window first (so that closing the card does not end the program),
// the card registered as the program's single instance while the test runs;
// typing as a user does, saving with its message; and records written
// straight into an archive.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "common/Archive.h"
#include "common/Record.h"
#include "tests/support/Harness.h"

namespace ts {

// Appends a record with the given fields (pairs of field name and text; the
// other fields empty) to the archive at `path`.
template <class Campi>
void AggiungiRecord(const std::string& path, const common::RecordType& type, const Campi& campi) {
    common::Record r(type);
    for (const auto& [campo, testo] : campi)
        r.Set(campo, testo);
    common::Archivio(path, type).Scrivi("", r);
}
inline void AggiungiRecord(const std::string& path, const common::RecordType& type,
                           std::initializer_list<std::pair<std::string_view, std::string>> campi) {
    AggiungiRecord<decltype(campi)>(path, type, campi);
}

// `Card` is the card's window class; `istanza` its global instance pointer
// (frmAutoparco, ...), set to the card until the test ends. The card is not
// shown: each fixture shows it once its own preparations are made.
template <class Card> class SchedaTest : public ::testing::Test {
protected:
    explicit SchedaTest(Card*& istanza) : istanza_(istanza) { istanza_ = &card; }
    ~SchedaTest() override { istanza_ = nullptr; }

    std::string Path(const std::string& name) const { return h.DataFolder() + name; }
    // Types into an edit as a user does.
    void TypeInto(ui::Edit& edit, const std::string& text) {
        h.Focus(edit);
        h.Type(card, text);
    }
    // "Salva", answered by the information `expected`.
    void Save(const std::string& expected) {
        h.ExpectMessage(ui::DialogType::Information, expected);
        h.Click(card.cmdSalva);
        h.Verify();
    }

    Harness h;
    ui::Form main{h.app};
    Card card{h.app};

private:
    Card*& istanza_;
};

} // namespace ts
