// The booking dialogs shown in real Qt widgets: what a user types, picks and
// copies reaches the model, and what the model refuses never shows.
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "bookings/Giorno.h"
#include "bookings/Intervallo.h"
#include "planner/Planning.h"
#include "platform/qt/Backend.h"
#include "platform/qt/Bridge.h"
#include "platform/ui/Input.h"
#include "tests/platform/qt/QtApp.h"

namespace {

struct QtDialoghi : ::testing::Test {
    ui::Application app;
    ui::Form main{app};
    TfrmPlanning planner{app};
    std::unique_ptr<qtbackend::Session> session;
    qtbackend::Bridge* bridge = nullptr;

    void SetUp() override {
        QtApplication();
        frmPlanning = &planner;
        // Unattended: a message is answered at once (a question with No).
        session = std::make_unique<qtbackend::Session>(app, qtbackend::Mode::Unattended);
        bridge = dynamic_cast<qtbackend::Bridge*>(app.GetBackend());
        ASSERT_NE(bridge, nullptr);
    }
    void TearDown() override {
        session.reset();
        frmPlanning = nullptr;
    }
    void Mostra(ui::Form& f) {
        f.Show();
        QApplication::setActiveWindow(&bridge->Window(f));
        QApplication::processEvents();
    }
    template <class W> W* Peer(ui::Control& c) {
        auto* w = dynamic_cast<W*>(bridge->Widget(c));
        EXPECT_NE(w, nullptr) << c.Name();
        return w;
    }
    static void Tasto(QWidget* w, Qt::Key key, const QString& text = {},
                      Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, mods, text);
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, key, mods, text);
        QApplication::sendEvent(w, &release);
    }
};

} // namespace

TEST_F(QtDialoghi, SelectorsTakeOnlyPickedValuesByMouseOrKeyAndShowTheirFrame) {
    TfrmIntervallo dlg(app, &planner, &planner);
    dlg.lblAnnoInizio.SetText("2024");
    dlg.lblAnnoFine.SetText("2024");
    Mostra(dlg);
    auto* combo = Peer<QComboBox>(dlg.txtGiornoInizio);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 31);
    EXPECT_FALSE(bridge->Widget(dlg.effGiornoInizio)->isVisible());

    // Picked from the list: the value and the yellow frame.
    ASSERT_TRUE(ui::input::Focus(dlg.txtGiornoInizio));
    emit combo->activated(11);
    QApplication::processEvents();
    EXPECT_EQ(dlg.txtGiornoInizio.Text(), "12");
    EXPECT_EQ(combo->currentText(), QString("12"));
    EXPECT_TRUE(bridge->Widget(dlg.effGiornoInizio)->isVisible());

    // The box takes no typing; the keys of a list pick a value in it.
    EXPECT_FALSE(combo->isEditable());
    QTest::keyClicks(combo, "25");
    EXPECT_EQ(dlg.txtGiornoInizio.Text(), "25");
    Tasto(combo, Qt::Key_Down);
    EXPECT_EQ(dlg.txtGiornoInizio.Text(), "26");
    EXPECT_EQ(combo->currentText(), QString("26"));
    QTest::keyClicks(combo, "ax");
    EXPECT_EQ(dlg.txtGiornoInizio.Text(), "26");
    // Alt+Down opens the real list; Escape there closes it and the dialog stays.
    Tasto(combo, Qt::Key_Down, {}, Qt::AltModifier);
    ASSERT_TRUE(combo->view()->isVisible());
    QTest::keyClick(combo->view(), Qt::Key_Escape);
    EXPECT_FALSE(combo->view()->isVisible());
    EXPECT_TRUE(dlg.Visible());
    EXPECT_EQ(dlg.txtGiornoInizio.Text(), "26");

    // Backspace empties it at once.
    Tasto(combo, Qt::Key_Backspace, "\b");
    QApplication::processEvents();
    EXPECT_EQ(dlg.txtGiornoInizio.Text(), "");
    EXPECT_EQ(combo->currentText(), QString());

    // Enter moves on; the frame follows the focus.
    Tasto(combo, Qt::Key_Return, "\r");
    QApplication::processEvents();
    EXPECT_EQ(dlg.Focused(), &dlg.txtMeseInizio);
    EXPECT_FALSE(bridge->Widget(dlg.effGiornoInizio)->isVisible());
    EXPECT_TRUE(bridge->Widget(dlg.effMeseInizio)->isVisible());
}

TEST_F(QtDialoghi, EnterInTheRangeTextDoesNotPressApply) {
    TfrmIntervallo dlg(app, &planner, &planner);
    Mostra(dlg);
    auto* le = Peer<QLineEdit>(dlg.txtPrenotazione);
    ASSERT_NE(le, nullptr);
    QTest::keyClicks(le, "Rossi");
    Tasto(le, Qt::Key_Return, "\r");
    QApplication::processEvents();
    // A press would have found the start day empty and put the focus there.
    EXPECT_EQ(dlg.Focused(), &dlg.btnChiudi);
    EXPECT_TRUE(dlg.Visible());
    EXPECT_EQ(dlg.txtPrenotazione.Text(), "Rossi");
}

TEST_F(QtDialoghi, TypingSwitchesThePicturesAtOnceAndTheCopyReadsBack) {
    TfrmGiorno dlg(app, &planner, &planner);
    dlg.lblMemory.SetText("gen_01");
    Mostra(dlg);
    auto* le = Peer<QLineEdit>(dlg.txtPrenotazione);
    ASSERT_NE(le, nullptr);
    QWidget* occupata = bridge->Widget(dlg.icoOccupata);
    QWidget* libera = bridge->Widget(dlg.icoLibera);
    EXPECT_TRUE(libera->isVisible());
    QTest::keyClicks(le, "  Rossi  ");
    QApplication::processEvents();
    EXPECT_TRUE(occupata->isVisible());
    EXPECT_FALSE(libera->isVisible());

    // Enter in the text neither applies nor closes.
    Tasto(le, Qt::Key_Return, "\r");
    QApplication::processEvents();
    EXPECT_TRUE(dlg.Visible());
    EXPECT_EQ(planner.Cella(0).mem.Text(), "");

    QGuiApplication::clipboard()->setText("prima");
    ASSERT_TRUE(ui::input::Click(dlg.cmdClipboard));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString("  Rossi  "));
    ASSERT_TRUE(ui::input::Click(dlg.cmdClipboard));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString("  Rossi  ")) << "replaced, not appended";

    ASSERT_TRUE(ui::input::Click(dlg.cmdCancella));
    QApplication::processEvents();
    EXPECT_EQ(le->text(), QString());
    EXPECT_TRUE(libera->isVisible());
    EXPECT_FALSE(occupata->isVisible());
}
