// The keyboard in real widgets: a text set by the program shown from its
// start, the keys of a combo and its real drop-down list, and Enter and
// Escape pressing a window's default and cancel commands, as Qt key events.
#include "platform/qt/Backend.h"
#include "platform/qt/Bridge.h"
#include "platform/ui/Ui.h"
#include "tests/platform/qt/QtApp.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const kLayout =
    R"(form TfrmTasti caption=" Tasti" client=420x320 border=single closebox=no position=screencenter
edit txtGomme bounds=10,10,120,22 taborder=0
memo memNote bounds=10,40,120,40 wordwrap=no taborder=1
combo cboProv bounds=10,90,60,22 taborder=2
combo cboMese bounds=80,90,120,22 readonly=yes taborder=3
calendar calGiorno bounds=210,10,200,150 taborder=4
button btnImporta bounds=10,130,80,25 text="Importa" default=yes taborder=5
button btnAnnulla bounds=100,130,80,25 text="Annulla" cancel=yes taborder=6
item cboProv "MI"
item cboProv "RM"
item cboMese "Gennaio"
item cboMese "Febbraio"
item cboMese "Marzo"
item cboMese "Maggio"
)";

struct Keys : ts::QtForm {
    std::vector<std::string> log;

    void SetUp() override {
        Load(kLayout, "keys layout");
        if (HasFatalFailure()) return;
        for (const char* name : {"btnImporta", "btnAnnulla"})
            form.FindControl(name)->OnClick = [this, name] { log.push_back(name); };
        ShowActive();
    }
};

// The character shown at the left edge of a line edit once it is painted.
int FirstShown(QLineEdit* le) {
    le->repaint();
    return le->cursorPositionAt(QPoint(4, le->height() / 2));
}

TEST_F(Keys, ALongValueSetByTheProgramIsShownFromItsStart) {
    auto& gomme = Ctl<ui::Edit>("txtGomme");
    auto* le = Peer<QLineEdit>("txtGomme");
    gomme.SetFocus();
    // The user was at the end of a long value of the record shown before.
    gomme.SetText("Contratto nazionale trasporti e logistica");
    QTest::keyClick(le, Qt::Key_End);
    ASSERT_GT(FirstShown(le), 10);                               // the field shows the end of its text
    gomme.SetText("205/55 R16 91V Hankook Ventus Prime 3 K125"); // the next record
    EXPECT_EQ(le->cursorPosition(), 0);
    EXPECT_EQ(FirstShown(le), 0);
    // Without the focus as well.
    Ctl<ui::Edit>("memNote").SetFocus();
    gomme.SetText("Pneumatici invernali Michelin Alpin 6 205/55 R16");
    EXPECT_EQ(FirstShown(le), 0);

    // A memo that does not wrap its lines, and an editable combo.
    auto& note = Ctl<ui::Memo>("memNote");
    auto* te = Peer<QPlainTextEdit>("memNote");
    note.SetText("Una nota lunga che non sta nella larghezza del campo");
    QTest::keyClick(te, Qt::Key_End);
    note.SetText("Seconda nota lunga che non sta nella larghezza del campo");
    te->repaint();
    EXPECT_EQ(te->textCursor().position(), 0);
    EXPECT_EQ(te->cursorForPosition(QPoint(2, 2)).position(), 0);

    auto& prov = Ctl<ui::ComboEdit>("cboProv");
    auto* cb = Peer<QComboBox>("cboProv");
    prov.SetFocus();
    prov.SetText("Provincia autonoma di Bolzano");
    QTest::keyClick(cb->lineEdit(), Qt::Key_End);
    prov.SetText("Provincia autonoma di Trento");
    EXPECT_EQ(FirstShown(cb->lineEdit()), 0);
}

TEST_F(Keys, AComboTakesArrowsLettersAndOpensItsListByKey) {
    auto& mese = Ctl<ui::ComboEdit>("cboMese");
    auto* cb = Peer<QComboBox>("cboMese");
    mese.SetFocus();
    QTest::keyClick(cb, Qt::Key_Down);
    EXPECT_EQ(mese.Text(), "Gennaio");
    EXPECT_EQ(cb->currentText(), QString("Gennaio"));
    QTest::keyClicks(cb, "m");
    EXPECT_EQ(mese.Text(), "Marzo");
    QTest::keyClicks(cb, "m");
    EXPECT_EQ(mese.Text(), "Maggio");
    QTest::keyClick(cb, Qt::Key_Up);
    EXPECT_EQ(mese.Text(), "Marzo");
    EXPECT_EQ(cb->currentText(), QString("Marzo"));

    // F4 and Alt+Down open the real list; Escape there closes the list alone.
    for (const auto& [key, mods] :
         {std::pair{Qt::Key_F4, Qt::NoModifier}, std::pair{Qt::Key_Down, Qt::AltModifier}}) {
        QTest::keyClick(cb, key, mods);
        ASSERT_TRUE(cb->view()->isVisible()) << key;
        EXPECT_TRUE(mese.DroppedDown());
        QTest::keyClick(cb->view(), Qt::Key_Escape);
        EXPECT_FALSE(cb->view()->isVisible());
        EXPECT_FALSE(mese.DroppedDown());
        EXPECT_TRUE(form.Visible());
        EXPECT_TRUE(log.empty());
    }
    // Picked in the real list with the arrows and Enter.
    QTest::keyClick(cb, Qt::Key_F4);
    QTest::keyClick(cb->view(), Qt::Key_Up);
    QTest::keyClick(cb->view(), Qt::Key_Return);
    EXPECT_FALSE(mese.DroppedDown());
    EXPECT_EQ(mese.Text(), "Febbraio");
    EXPECT_TRUE(log.empty());
    // A list opened with the mouse is known to the model, which closes it
    // when the focus leaves.
    cb->showPopup();
    EXPECT_TRUE(mese.DroppedDown());
    Ctl<ui::Edit>("txtGomme").SetFocus();
    EXPECT_FALSE(cb->view()->isVisible());
}

TEST_F(Keys, EnterAndEscapePressTheDefaultAndCancelButtons) {
    auto* le = Peer<QLineEdit>("txtGomme");
    Ctl<ui::Edit>("txtGomme").SetFocus();
    QTest::keyClick(le, Qt::Key_Return);
    QTest::keyClick(le, Qt::Key_Escape);
    EXPECT_EQ(log, (std::vector<std::string>{"btnImporta", "btnAnnulla"}));

    // In the calendar the arrows still move the day; Enter and Escape press
    // the commands.
    log.clear();
    auto& cal = Ctl<ui::Calendar>("calGiorno");
    auto* cw = Peer<QCalendarWidget>("calGiorno");
    cal.SetDate(*rtl::Date::FromYmd(2026, 3, 10));
    cal.SetFocus();
    QWidget* days = cw->focusProxy() ? cw->focusProxy() : cw;
    QTest::keyClick(days, Qt::Key_Right);
    EXPECT_EQ(cal.Date(), *rtl::Date::FromYmd(2026, 3, 11));
    QTest::keyClick(days, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(days, Qt::Key_Escape);
    EXPECT_EQ(log, (std::vector<std::string>{"btnImporta", "btnAnnulla"}));
}

TEST_F(Keys, EscapeEndsAModalWindowAsItsCancelButtonDoes) {
    ui::Form dialog(app, &form);
    ui::LoadLayout(dialog, R"(form TfrmDomanda caption="Domanda" client=200x100 border=single closebox=no
edit txtValore bounds=10,10,100,22
button btnChiudi bounds=10,40,80,25 text="Chiudi" cancel=yes
)");
    dialog.Get<ui::Button>("btnChiudi").OnClick = [&] { dialog.Close(); };
    QTimer::singleShot(0, [&] {
        dialog.Get<ui::Edit>("txtValore").SetFocus();
        QTest::keyClick(bridge->Widget(*dialog.FindControl("txtValore")), Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.ShowModal(), ui::ModalResult::Cancel);
    EXPECT_FALSE(bridge->Window(dialog).isVisible());
}

} // namespace
