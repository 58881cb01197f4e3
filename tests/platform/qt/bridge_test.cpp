#include "platform/qt/Backend.h"
#include "platform/qt/Bridge.h"
#include "platform/ui/Input.h"
#include "platform/ui/Ui.h"
#include "tests/platform/qt/QtApp.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOption>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <map>

namespace {

const char* const kLayout =
    R"(form TfrmProva caption=" Prova finestra" client=420x320 border=single closebox=no position=screencenter fill=gradient:#FF4682B4:#FFFFFFFF
label lblTesto bounds=10,10,200,20 text="Etichetta"
rectangle effCampo bounds=6,36,208,30 fill=#FFFFFF00 visible=no hittest=no
edit txtCampo bounds=10,40,200,22 taborder=0
edit txtAltro bounds=10,66,200,22 taborder=1
button cmdOK bounds=10,95,80,25 text="OK" taborder=2
checkbox chkScelta bounds=100,95,110,20 text="Scelta" taborder=3
listbox lstVoci bounds=220,10,190,100 taborder=4
item lstVoci "Uno"
item lstVoci "Due"
item lstVoci "Tre"
combo cboTipo bounds=220,115,190,22 readonly=yes taborder=5
item cboTipo "Auto"
item cboTipo "Furgone"
memo memNote bounds=10,125,200,50 taborder=6
grid grdCosti bounds=220,145,190,90 rows=2 taborder=7
column grdCosti colData "Data" width=80
column grdCosti colImporto "Importo" width=80
calendar calGiorno bounds=10,180,200,130 taborder=8
picture imgLogo bounds=220,240,60,60
timer tmrScorri interval=20 enabled=no
)";

// One window of every control kind, shown through a Qt session.
struct Fixture : ts::QtForm {
    void SetUp() override {
        Load(kLayout, "test layout");
        if (!HasFatalFailure()) ShowActive();
    }
};

using Bridge = Fixture;

TEST_F(Bridge, KeysInTheRealWidgetReachTheHandlerWithCodeAndCharacter) {
    auto& edit = Ctl<ui::Edit>("txtCampo");
    edit.SetFocus();
    std::vector<std::pair<int, char32_t>> seen;
    edit.OnKeyDown = [&](ui::KeyEvent& k) { seen.emplace_back(k.key, k.ch); };
    auto* le = Peer<QLineEdit>("txtCampo");
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        QString text;
        int code;
        char32_t ch;
    } cases[] = {
        {Qt::Key_A, Qt::NoModifier, "a", 65, U'a'},
        {Qt::Key_B, Qt::ShiftModifier, "B", 66, U'B'},
        {Qt::Key_5, Qt::NoModifier, "5", 53, U'5'},
        {Qt::Key_Egrave, Qt::NoModifier, QString::fromUtf8("è"), 0, U'è'},
        {Qt::Key_Space, Qt::NoModifier, " ", 32, U' '},
        {Qt::Key_Return, Qt::NoModifier, "\r", 13, 0},
        {Qt::Key_Enter, Qt::KeypadModifier, "\r", 13, 0},
        {Qt::Key_Left, Qt::NoModifier, "", 37, 0},
        {Qt::Key_Backspace, Qt::NoModifier, "\b", 8, 0},
        {Qt::Key_Delete, Qt::NoModifier, "", 46, 0},
    };
    for (const auto& c : cases) {
        seen.clear();
        QKeyEvent press(QEvent::KeyPress, c.key, c.mods, c.text);
        QApplication::sendEvent(le, &press);
        ASSERT_EQ(seen.size(), 1u) << c.text.toStdString();
        EXPECT_EQ(seen[0].first, c.code) << c.text.toStdString();
        EXPECT_EQ(seen[0].second, c.ch) << c.text.toStdString();
    }
    // "aB5è " typed; Left, Backspace and Delete erased the è and the blank.
    EXPECT_EQ(edit.Text(), "aB5");
    EXPECT_EQ(le->text(), QString("aB5"));
}

TEST_F(Bridge, SwallowedKeyLeavesTheWidgetUnchanged) {
    auto& edit = Ctl<ui::Edit>("txtCampo");
    edit.SetFocus();
    edit.OnKeyDown = [](ui::KeyEvent& k) {
        if (k.ch >= U'0' && k.ch <= U'9') k.Swallow();
    };
    auto* le = Peer<QLineEdit>("txtCampo");
    QTest::keyClicks(le, "a1b2");
    EXPECT_EQ(edit.Text(), "ab");
    EXPECT_EQ(le->text(), QString("ab"));
}

TEST_F(Bridge, TabAndFocusFollowTheModel) {
    auto& first = Ctl<ui::Edit>("txtCampo");
    auto& second = Ctl<ui::Edit>("txtAltro");
    first.SetFocus();
    QWidget& win = bridge->Window(form);
    EXPECT_EQ(win.focusWidget(), Peer<QWidget>("txtCampo"));
    // A Tab swallowed by the handler moves nothing; a Tab let through moves.
    bool swallowTab = true;
    first.OnKeyDown = [&](ui::KeyEvent& k) {
        if (swallowTab && k.key == ui::vk::Tab) k.Swallow();
    };
    QTest::keyClick(Peer<QLineEdit>("txtCampo"), Qt::Key_Tab);
    EXPECT_EQ(form.Focused(), &first);
    swallowTab = false;
    QTest::keyClick(Peer<QLineEdit>("txtCampo"), Qt::Key_Tab);
    EXPECT_EQ(form.Focused(), &second);
    EXPECT_EQ(win.focusWidget(), Peer<QWidget>("txtAltro"));
    // A button reached by the keyboard is drawn as focused.
    Ctl<ui::Button>("cmdOK").SetFocus();
    QStyleOptionButton opt;
    opt.initFrom(Peer<QPushButton>("cmdOK"));
    EXPECT_TRUE(opt.state & QStyle::State_HasFocus);
    EXPECT_TRUE(opt.state & QStyle::State_KeyboardFocusChange);
    // A click into a field moves the model's focus.
    QTest::mouseClick(Peer<QLineEdit>("txtCampo"), Qt::LeftButton);
    EXPECT_EQ(form.Focused(), &first);
}

TEST_F(Bridge, AFieldReachedByTabShowsItsTextSelectedAndAClickLeavesTheCaret) {
    auto& first = Ctl<ui::Edit>("txtCampo");
    auto& second = Ctl<ui::Edit>("txtAltro");
    second.SetText("2026");
    first.SetFocus();
    QTest::keyClick(Peer<QLineEdit>("txtCampo"), Qt::Key_Tab);
    ASSERT_EQ(form.Focused(), &second);
    auto* le = Peer<QLineEdit>("txtAltro");
    EXPECT_EQ(le->selectedText(), QString("2026"));
    QTest::keyClicks(le, "2025");
    EXPECT_EQ(second.Text(), "2025");
    // A click into the other field: no text selected there.
    first.SetText("abc");
    QTest::mouseClick(Peer<QLineEdit>("txtCampo"), Qt::LeftButton);
    ASSERT_EQ(form.Focused(), &first);
    EXPECT_EQ(first.SelLength(), 0);
}

// An edit left by Enter or Tab keeps its selection in the model, but shows
// none once another control has the focus, also when its exit handler then
// restyles it (the yellow highlight going off).
TEST_F(Bridge, AFieldLeftShowsNoSelection) {
    auto& first = Ctl<ui::Edit>("txtCampo");
    auto& second = Ctl<ui::Edit>("txtAltro");
    first.SetText("01/12/2026");
    first.OnExit = [&] { first.SetFill(ui::Brush::Solid(0xFFF0F8FF)); };
    first.SetFocus();
    ASSERT_EQ(Peer<QLineEdit>("txtCampo")->selectedText(), QString("01/12/2026"));
    second.SetFocus();
    QApplication::processEvents();
    EXPECT_FALSE(Peer<QLineEdit>("txtCampo")->hasSelectedText());
    // Back in the field, the whole text is shown selected again.
    first.SetFocus();
    EXPECT_EQ(Peer<QLineEdit>("txtCampo")->selectedText(), QString("01/12/2026"));
}

TEST_F(Bridge, ModelPropertiesShowInTheWidgets) {
    Ctl<ui::Label>("lblTesto").SetText("Nuovo testo");
    EXPECT_EQ(Peer<QLabel>("lblTesto")->text(), QString("Nuovo testo"));
    Ctl<ui::Label>("lblTesto").SetText("<b>non è HTML</b>");
    EXPECT_EQ(Peer<QLabel>("lblTesto")->textFormat(), Qt::PlainText);

    auto& edit = Ctl<ui::Edit>("txtCampo");
    edit.SetText("AB123CD");
    edit.SetReadOnly(true);
    edit.SetPassword(true);
    auto* le = Peer<QLineEdit>("txtCampo");
    EXPECT_EQ(le->text(), QString("AB123CD"));
    EXPECT_TRUE(le->isReadOnly());
    EXPECT_EQ(le->echoMode(), QLineEdit::Password);

    Ctl<ui::Button>("cmdOK").SetText("Salva");
    Ctl<ui::Button>("cmdOK").SetEnabled(false);
    Ctl<ui::Button>("cmdOK").SetFontColor(0xFFDC143C);
    EXPECT_EQ(Peer<QPushButton>("cmdOK")->palette().color(QPalette::Active, QPalette::ButtonText),
              QColor(0xDC, 0x14, 0x3C));
    EXPECT_EQ(Peer<QPushButton>("cmdOK")->text(), QString("Salva"));
    EXPECT_FALSE(Peer<QPushButton>("cmdOK")->isEnabled());

    Ctl<ui::CheckBox>("chkScelta").SetChecked(true);
    EXPECT_TRUE(Peer<QCheckBox>("chkScelta")->isChecked());

    auto& list = Ctl<ui::ListBox>("lstVoci");
    list.AddItem("Quattro");
    list.SetItemIndex(3);
    auto* lv = Peer<QListView>("lstVoci");
    ASSERT_EQ(lv->model()->rowCount(), 4);
    EXPECT_EQ(lv->model()->index(3, 0).data().toString(), QString("Quattro"));
    EXPECT_EQ(lv->currentIndex().row(), 3);

    Ctl<ui::ComboEdit>("cboTipo").SetItemIndex(1);
    EXPECT_EQ(Peer<QComboBox>("cboTipo")->currentText(), QString("Furgone"));

    Ctl<ui::Memo>("memNote").SetLines({"prima", "seconda"});
    EXPECT_EQ(Peer<QPlainTextEdit>("memNote")->toPlainText(), QString("prima\nseconda"));

    Ctl<ui::StringGrid>("grdCosti").SetCell(1, 1, "12,50");
    QApplication::processEvents();
    auto* grid = Peer<QTableView>("grdCosti");
    EXPECT_EQ(grid->model()->index(1, 1).data().toString(), QString("12,50"));
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), QString("Data"));

    Ctl<ui::Calendar>("calGiorno").SetDate(*rtl::Date::FromYmd(2026, 3, 5));
    EXPECT_EQ(Peer<QCalendarWidget>("calGiorno")->selectedDate(), QDate(2026, 3, 5));

    Ctl<ui::Rectangle>("effCampo").SetVisible(true);
    EXPECT_TRUE(Peer<QWidget>("effCampo")->isVisibleTo(&bridge->Window(form)));
}

TEST_F(Bridge, ListScrollsSidewaysOverTheItemWidthOfTheModel) {
    auto& list = Ctl<ui::ListBox>("lstVoci");
    auto* lv = Peer<QListView>("lstVoci");
    // The width the scroll bar covers: what is shown plus what it scrolls to.
    const auto extent = [&] {
        QApplication::processEvents();
        return lv->horizontalScrollBar()->maximum() + lv->viewport()->width();
    };
    ASSERT_EQ(lv->horizontalScrollBar()->maximum(), 0) << "short lines in a box as wide as they are";

    // The widths list windows set; no line comes near them, the scroll bar still reaches the end.
    for (int width : {1600, 910, 760}) {
        list.SetItems(std::vector<std::string>{"Uno", "Due", "Tre"});
        list.SetItemWidth(width);
        EXPECT_EQ(extent(), width) << width;
        lv->horizontalScrollBar()->setValue(lv->horizontalScrollBar()->maximum());
        EXPECT_EQ(lv->visualRect(lv->model()->index(0, 0)).right() + 1, lv->viewport()->width()) << width;
    }
    // Filled again after the width was set, the list keeps it.
    list.SetItems(std::vector<std::string>{"Quattro"});
    EXPECT_EQ(extent(), 760);
    // A line wider than the item width is never cut.
    list.SetItems(std::vector<std::string>{std::string(300, 'W')});
    EXPECT_GT(extent(), 760);

    list.SetItems(std::vector<std::string>{"Uno"});
    list.SetItemWidth(0);
    EXPECT_EQ(extent(), lv->viewport()->width()) << "no item width: as wide as the box";
}

// A mouse-down handler runs when the button goes down, and what it shows is
// on screen while the button is held; the click waits for the release, and a
// release away from the control clicks nothing but still runs the mouse-up.
TEST_F(Bridge, MouseDownRunsAtThePressAndTheClickAtTheRelease) {
    auto& ok = Ctl<ui::Button>("cmdOK");
    auto& nota = Ctl<ui::Control>("lblTesto");
    nota.Hide();
    QApplication::processEvents();
    std::vector<std::string> seen;
    ok.OnMouseDown = [&](ui::MouseEvent&) {
        seen.push_back("down");
        nota.Show();
    };
    ok.OnClick = [&] { seen.push_back("click"); };
    ok.OnMouseUp = [&](ui::MouseEvent&) { seen.push_back("up"); };
    auto* button = Peer<QPushButton>("cmdOK");
    auto* label = bridge->Widget(nota);

    QTest::mousePress(button, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(seen, (std::vector<std::string>{"down"}));
    EXPECT_TRUE(label->isVisible()) << "shown while the button is held";
    QTest::mouseRelease(button, Qt::LeftButton);
    EXPECT_EQ(seen, (std::vector<std::string>{"down", "click", "up"}));

    seen.clear();
    QTest::mousePress(button, Qt::LeftButton);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-20, -20));
    EXPECT_EQ(seen, (std::vector<std::string>{"down", "up"})) << "released elsewhere: no click";

    // Without a mouse-down handler the whole click runs at the release.
    ok.OnMouseDown = nullptr;
    seen.clear();
    QTest::mousePress(button, Qt::LeftButton);
    EXPECT_TRUE(seen.empty());
    QTest::mouseRelease(button, Qt::LeftButton);
    EXPECT_EQ(seen, (std::vector<std::string>{"click", "up"}));
}

TEST_F(Bridge, UserActionsInTheWidgetsReachTheModel) {
    int clicks = 0;
    Ctl<ui::Button>("cmdOK").OnClick = [&] { ++clicks; };
    QTest::mouseClick(Peer<QPushButton>("cmdOK"), Qt::LeftButton);
    EXPECT_EQ(clicks, 1);

    QTest::mouseClick(Peer<QCheckBox>("chkScelta"), Qt::LeftButton);
    EXPECT_TRUE(Ctl<ui::CheckBox>("chkScelta").Checked());
    EXPECT_TRUE(Peer<QCheckBox>("chkScelta")->isChecked());

    auto& list = Ctl<ui::ListBox>("lstVoci");
    int doubleClicks = 0;
    list.OnDblClick = [&] { ++doubleClicks; };
    auto* lv = Peer<QListView>("lstVoci");
    const QPoint second = lv->visualRect(lv->model()->index(1, 0)).center();
    QTest::mouseClick(lv->viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(list.ItemIndex(), 1);
    const QPoint third = lv->visualRect(lv->model()->index(2, 0)).center();
    QTest::mouseDClick(lv->viewport(), Qt::LeftButton, {}, third);
    EXPECT_EQ(list.ItemIndex(), 2);
    EXPECT_EQ(doubleClicks, 1);

    auto* combo = Peer<QComboBox>("cboTipo");
    emit combo->activated(1);
    EXPECT_EQ(Ctl<ui::ComboEdit>("cboTipo").ItemIndex(), 1);
    EXPECT_EQ(Ctl<ui::ComboEdit>("cboTipo").Text(), "Furgone");

    auto* cal = Peer<QCalendarWidget>("calGiorno");
    emit cal->clicked(QDate(2026, 3, 5));
    EXPECT_EQ(Ctl<ui::Calendar>("calGiorno").Date(), *rtl::Date::FromYmd(2026, 3, 5));

    auto* grid = Peer<QTableView>("grdCosti");
    grid->model()->setData(grid->model()->index(0, 1), "7,00"); // as the cell editor commits it
    EXPECT_EQ(Ctl<ui::StringGrid>("grdCosti").Cell(1, 0), "7,00");
    // A column the model keeps read-only takes no edit from the view.
    Ctl<ui::StringGrid>("grdCosti").SetReadOnly(true);
    EXPECT_FALSE(grid->model()->flags(grid->model()->index(0, 1)) & Qt::ItemIsEditable);
    Ctl<ui::StringGrid>("grdCosti").SetReadOnly(false);

    auto& memo = Ctl<ui::Memo>("memNote");
    memo.SetFocus();
    QTest::keyClicks(Peer<QPlainTextEdit>("memNote"), "ab");
    QTest::keyClick(Peer<QPlainTextEdit>("memNote"), Qt::Key_Return);
    QTest::keyClicks(Peer<QPlainTextEdit>("memNote"), "c");
    EXPECT_EQ(memo.Text(), "ab\nc");
    EXPECT_EQ(Peer<QPlainTextEdit>("memNote")->toPlainText(), QString("ab\nc"));

    auto& timer = form.Get<ui::Timer>("tmrScorri");
    int ticks = 0;
    timer.OnTimer = [&] {
        if (++ticks == 2) timer.SetEnabled(false);
    };
    timer.SetEnabled(true);
    QTRY_COMPARE_WITH_TIMEOUT(ticks, 2, 5000);
}

TEST_F(Bridge, FieldHighlightDrawsTheBackgroundElement) {
    auto& edit = Ctl<ui::Edit>("txtCampo");
    ui::StyleElement* bg = edit.FindStyleResource("background");
    ASSERT_NE(bg, nullptr);
    ui::StyleRect& r = bg->AddRect();
    r.stroke = 0xFF87CEEB;
    auto* field = Peer<QLineEdit>("txtCampo");
    // Recolouring the rectangle through the edit shows at once: its fill
    // inside, its stroke as the one-pixel border.
    for (ui::Color fill : {0xFFFFFF00u, 0xFFF0F8FFu}) {
        edit.SetStyleRectFill(r, fill);
        const QImage shot = field->grab().toImage();
        const int w = shot.width(), h = shot.height();
        EXPECT_EQ(shot.pixelColor(w - 5, h / 2), QColor::fromRgba(fill));
        for (QPoint border : {QPoint(0, h / 2), QPoint(w - 1, h / 2), QPoint(w / 2, 0), QPoint(w / 2, h - 1)})
            EXPECT_EQ(shot.pixelColor(border), QColor(135, 206, 235)) << border.x() << "," << border.y();
        EXPECT_EQ(shot.pixelColor(1, h / 2), QColor::fromRgba(fill)) << "a border of one pixel";
    }
    // Drawn by the field itself: no style sheet to parse at each repaint.
    EXPECT_TRUE(field->styleSheet().isEmpty());
}

TEST_F(Bridge, DisabledControlsLookDisabled) {
    auto reddish = [](QColor c) { return c.red() > 150 && c.green() < 90 && c.blue() < 90; };
    // A command picture, all red: grey once disabled.
    auto bmp = std::make_shared<img::Bitmap>();
    bmp->width = bmp->height = 20;
    for (int i = 0; i < 400; ++i)
        bmp->rgba.insert(bmp->rgba.end(), {220, 20, 20, 255});
    auto& pic = Ctl<ui::Picture>("imgLogo");
    pic.SetBitmap(bmp);
    QWidget* picture = Peer<QWidget>("imgLogo");
    EXPECT_TRUE(reddish(picture->grab().toImage().pixelColor(30, 30)));
    pic.SetEnabled(false);
    EXPECT_FALSE(reddish(picture->grab().toImage().pixelColor(30, 30)));
    // A button in its own colour, and a filled edit: the platform's disabled colours.
    auto& ok = Ctl<ui::Button>("cmdOK");
    ok.SetFontColor(0xFFDC143C);
    ok.SetEnabled(false);
    const QPalette button = Peer<QPushButton>("cmdOK")->palette();
    EXPECT_EQ(button.color(QPalette::Disabled, QPalette::ButtonText),
              QApplication::palette().color(QPalette::Disabled, QPalette::ButtonText));
    EXPECT_EQ(button.color(QPalette::Active, QPalette::ButtonText), QColor(0xDC, 0x14, 0x3C));
    auto& edit = Ctl<ui::Edit>("txtCampo");
    edit.SetFill(ui::Brush::Solid(0xFFFFFF00));
    QWidget* field = Peer<QLineEdit>("txtCampo");
    const QColor enabled = field->grab().toImage().pixelColor(100, 11);
    EXPECT_EQ(enabled, QColor(255, 255, 0));
    edit.SetEnabled(false);
    const QColor disabled = field->grab().toImage().pixelColor(100, 11);
    EXPECT_NE(disabled, QColor(255, 255, 0));
    EXPECT_EQ(disabled, QApplication::palette().color(QPalette::Disabled, QPalette::Window));
}

TEST_F(Bridge, FormShowsCaptionSizeAndGradient) {
    QWidget& w = bridge->Window(form);
    EXPECT_EQ(w.windowTitle(), QString(" Prova finestra"));
    EXPECT_EQ(w.size(), QSize(420, 320));
    EXPECT_EQ(w.minimumSize(), w.maximumSize()); // fixed border
    EXPECT_FALSE(w.windowFlags() & Qt::WindowCloseButtonHint);
    const QImage shot = w.grab().toImage();
    // Steel blue at the top, fading to white at the bottom.
    const QColor top = shot.pixelColor(415, 0);
    EXPECT_NEAR(top.red(), 0x46, 3);
    EXPECT_NEAR(top.green(), 0x82, 3);
    EXPECT_NEAR(top.blue(), 0xB4, 3);
    const QColor bottom = shot.pixelColor(415, 319);
    EXPECT_GT(bottom.red(), 240);
    EXPECT_GT(bottom.green(), 240);
}

TEST_F(Bridge, ModalRunEndsWithTheButtonResult) {
    ui::Form dialog(app, &form);
    ui::LoadLayout(dialog,
                   R"(form TfrmDomanda caption="Domanda" client=200x100 border=single position=ownercenter
button cmdSi bounds=10,10,80,25 text="Sì" modalresult=ok
)");
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(bridge->Window(dialog).isVisible());
        EXPECT_EQ(bridge->Window(dialog).windowModality(), Qt::ApplicationModal);
        QTest::mouseClick(bridge->Widget(*dialog.FindControl("cmdSi")), Qt::LeftButton);
    });
    EXPECT_EQ(dialog.ShowModal(), ui::ModalResult::OK);
    EXPECT_FALSE(bridge->Window(dialog).isVisible());
}

TEST_F(Bridge, WindowManagerCloseWithoutCloseBoxIsNeverLost) {
    // A modal per-use window: the close acts as its cancel.
    {
        ui::Form dialog(app, &form);
        ui::LoadLayout(dialog, "form TfrmScelta caption=Scelta client=200x100 border=single closebox=no\n");
        bool closeRan = false;
        dialog.OnClose = [&](ui::CloseAction&) { closeRan = true; };
        QTimer::singleShot(0, [&] { bridge->Window(dialog).close(); });
        EXPECT_EQ(dialog.ShowModal(), ui::ModalResult::Cancel);
        EXPECT_TRUE(closeRan);
    }
    // A plain window: its close handler runs and it hides.
    ui::Form other(app);
    ui::LoadLayout(other, "form TfrmAltro caption=Altro client=200x100 border=single closebox=no\n");
    bool otherClosed = false;
    other.OnClose = [&](ui::CloseAction&) { otherClosed = true; };
    other.Show();
    bridge->Window(other).close();
    EXPECT_TRUE(otherClosed);
    EXPECT_FALSE(other.Visible());
    // The main window: the program ends.
    bridge->Window(form).close();
    EXPECT_TRUE(app.Terminated());
}

TEST_F(Bridge, RunEndsWhenNoWindowIsVisible) {
    form.Hide();
    bool stuck = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        stuck = true;
        QCoreApplication::exit(1);
    });
    watchdog.start(10000);
    // The main window hides itself once the loop runs: nothing is left to see.
    QTimer::singleShot(0, [&] { form.Hide(); });
    app.MainForm()->OnShow = [&] { QTimer::singleShot(0, [&] { form.Hide(); }); };
    session->Run();
    EXPECT_FALSE(stuck);
    EXPECT_TRUE(app.Terminated());
}

TEST_F(Bridge, DestroyedPerUseWindowLeavesNoPeers) {
    auto dialog = std::make_unique<ui::Form>(app, &form);
    ui::LoadLayout(*dialog, "form TfrmUso caption=Uso client=200x100\nedit txtUno bounds=1,1,50,20\n");
    dialog->Show();
    ui::Control* edit = dialog->FindControl("txtUno");
    QWidget* w = bridge->Widget(*edit);
    ASSERT_NE(w, nullptr);
    dialog.reset();
    EXPECT_EQ(bridge->Widget(*edit), nullptr);
    EXPECT_EQ(bridge->ControlOf(w), nullptr);
    QApplication::processEvents(); // the window is deleted later without touching the model
}

} // namespace

namespace {
TEST_F(Bridge, MaximisedWindowCentresItsDesignArea) {
    ui::Form big(app);
    ui::LoadLayout(big, R"(form TfrmMenu caption=Menu client=300x200 state=maximized
button btnUno bounds=0,0,100,30 text="Uno"
panel panMezzo bounds=0,0,100,50 dock=center
)");
    big.Show();
    QApplication::processEvents();
    qtbackend::FormWindow& w = bridge->Window(big);
    ASSERT_GT(w.width(), 300);
    ASSERT_GT(w.height(), 200);
    // The model works with the real client size...
    EXPECT_EQ(big.ClientWidth(), w.width());
    EXPECT_EQ(big.ClientHeight(), w.height());
    EXPECT_EQ(w.Client()->geometry(), w.rect());
    // ...and keeps the design area centred: the undocked button at its
    // corner, the docked panel centred by itself.
    const QRect button = bridge->Widget(*big.FindControl("btnUno"))->geometry();
    EXPECT_EQ(button.topLeft(), QPoint((w.width() - 300) / 2, (w.height() - 200) / 2));
    const QRect panel = bridge->Widget(*big.FindControl("panMezzo"))->geometry();
    EXPECT_NEAR(panel.center().x(), w.rect().center().x(), 1);
    EXPECT_NEAR(panel.center().y(), w.rect().center().y(), 1);
    EXPECT_EQ(bridge->Widget(*big.FindControl("btnUno"))->parentWidget(), w.Client());
}

TEST_F(Bridge, ApplicationKnowsTheRealScreenSize) {
    // Window code sizes panels and pictures from it.
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    EXPECT_EQ(QSize(app.ScreenWidth(), app.ScreenHeight()), screen);
    // Unattended, the common desktop size that maximised windows take.
    bridge->SetUnattended(true);
    EXPECT_EQ(QSize(app.ScreenWidth(), app.ScreenHeight()), QSize(1366, 768));
    bridge->SetUnattended(false);
    EXPECT_EQ(QSize(app.ScreenWidth(), app.ScreenHeight()), screen);
}

TEST_F(Bridge, ResizedWindowTellsTheModelItsClientSize) {
    ui::Form sized(app);
    ui::LoadLayout(sized, R"(form TfrmLista caption=Lista client=300x200 border=sizeable
panel panMezzo bounds=0,0,100,50 dock=center
)");
    sized.Show();
    QApplication::processEvents();
    std::vector<QSize> seen;
    sized.OnResize = [&] { seen.emplace_back(sized.ClientWidth(), sized.ClientHeight()); };
    bridge->Window(sized).resize(500, 400);
    QApplication::processEvents();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), QSize(500, 400));
    EXPECT_EQ(bridge->Widget(*sized.FindControl("panMezzo"))->geometry(), QRect(200, 175, 100, 50));
    // A size set by the model moves the real window and is not reported back.
    seen.clear();
    sized.SetClientSize(320, 240);
    QApplication::processEvents();
    EXPECT_EQ(bridge->Window(sized).size(), QSize(320, 240));
    EXPECT_EQ(seen, (std::vector<QSize>{QSize(320, 240)}));
}

// A real double click at a point of a widget, through the window system's
// path: press, release, then the second press that Qt turns into the double
// click, and its release.
void RealDoubleClick(QWidget* w, QPoint at) {
    QTest::mouseDClick(w->window()->windowHandle(), Qt::LeftButton, {}, w->mapTo(w->window(), at));
    QApplication::processEvents();
}

TEST_F(Bridge, RealDoubleClickGivesOneClickThenOneDoubleClick) {
    std::vector<std::string> log;
    for (const char* name : {"lblTesto", "imgLogo", "cmdOK", "chkScelta"}) {
        ui::Control& c = *form.FindControl(name);
        log.clear();
        c.OnClick = [&] { log.push_back("click"); };
        c.OnDblClick = [&] { log.push_back("dbl"); };
        QWidget* w = bridge->Widget(c);
        RealDoubleClick(w, w->rect().center());
        EXPECT_EQ(log, (std::vector<std::string>{"click", "dbl"})) << name;
    }
    auto& list = Ctl<ui::ListBox>("lstVoci");
    log.clear();
    list.OnClick = [&] { log.push_back("click " + std::to_string(list.ItemIndex())); };
    list.OnDblClick = [&] { log.push_back("dbl " + std::to_string(list.ItemIndex())); };
    auto* lv = Peer<QListView>("lstVoci");
    RealDoubleClick(lv->viewport(), lv->visualRect(lv->model()->index(2, 0)).center());
    EXPECT_EQ(log, (std::vector<std::string>{"click 2", "dbl 2"}));

    auto& cal = Ctl<ui::Calendar>("calGiorno");
    log.clear();
    cal.OnClick = [&] { log.push_back("click"); };
    cal.OnDblClick = [&] { log.push_back("dbl"); };
    auto* view = Peer<QCalendarWidget>("calGiorno")->findChild<QTableView*>();
    ASSERT_NE(view, nullptr);
    const QModelIndex day = view->model()->index(3, 3); // a day in the middle of the month
    RealDoubleClick(view->viewport(), view->visualRect(day).center());
    EXPECT_EQ(log, (std::vector<std::string>{"click", "dbl"}));
}

TEST_F(Bridge, SwallowedKeysNeverMoveTheCalendarOrTheGrid) {
    auto& cal = Ctl<ui::Calendar>("calGiorno");
    auto& grid = Ctl<ui::StringGrid>("grdCosti");
    const rtl::Date day = *rtl::Date::FromYmd(2026, 3, 5);
    cal.SetDate(day);
    grid.SelectCell(0, 0);
    bool swallow = true;
    auto handler = [&](ui::KeyEvent& k) {
        if (swallow) k.Swallow();
    };
    cal.OnKeyDown = handler;
    grid.OnKeyDown = handler;
    auto* qcal = Peer<QCalendarWidget>("calGiorno");
    auto* qgrid = Peer<QTableView>("grdCosti");
    QWidget* calKeys = qcal->focusProxy() ? qcal->focusProxy() : qcal;
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp,
                        Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End}) {
        cal.SetFocus();
        QTest::keyClick(calKeys, key);
        EXPECT_EQ(cal.Date(), day) << key;
        EXPECT_EQ(qcal->selectedDate(), QDate(2026, 3, 5)) << key;
        grid.SetFocus();
        QTest::keyClick(qgrid, key);
        EXPECT_EQ(grid.Col(), 0) << key;
        EXPECT_EQ(grid.Row(), 0) << key;
        EXPECT_EQ(qgrid->currentIndex().row(), 0) << key;
        EXPECT_EQ(qgrid->currentIndex().column(), 0) << key;
    }
    // Let through, the widgets move and the model follows.
    swallow = false;
    cal.SetFocus();
    QTest::keyClick(calKeys, Qt::Key_Right);
    EXPECT_EQ(cal.Date(), *rtl::Date::FromYmd(2026, 3, 6));
    grid.SetFocus();
    QTest::keyClick(qgrid, Qt::Key_Down);
    EXPECT_EQ(grid.Row(), 1);
}

TEST_F(Bridge, TypingIntoAGridCellEditsItThroughTheModel) {
    auto& grid = Ctl<ui::StringGrid>("grdCosti");
    auto* qgrid = Peer<QTableView>("grdCosti");
    std::string seen;
    grid.OnKeyDown = [&](ui::KeyEvent& k) { seen.push_back(char(k.ch)); };
    grid.SetFocus();
    grid.SelectCell(1, 0);
    QApplication::processEvents();
    QTest::keyClicks(qgrid, "12,5");
    EXPECT_EQ(seen, "12,5"); // every key reached the model first
    EXPECT_EQ(grid.Cell(1, 0), "12,5");
    EXPECT_EQ(qgrid->model()->index(0, 1).data().toString(), QString("12,5"));
    for (QLineEdit* editor : qgrid->findChildren<QLineEdit*>())
        EXPECT_FALSE(editor->isVisible()); // no cell editor of Qt's own behind the model
    // A read-only grid takes no typing.
    grid.SetReadOnly(true);
    QTest::keyClicks(qgrid, "9");
    EXPECT_EQ(grid.Cell(1, 0), "12,5");
    EXPECT_EQ(qgrid->model()->index(0, 1).data().toString(), QString("12,5"));
}

TEST_F(Bridge, GridChangesReachTheViewBatchedAndEditsGoThroughTheModel) {
    auto& grid = Ctl<ui::StringGrid>("grdCosti");
    auto* view = Peer<QTableView>("grdCosti");
    QAbstractItemModel* model = view->model();
    int inserted = 0, removed = 0, changed = 0;
    QObject::connect(model, &QAbstractItemModel::rowsInserted, [&] { ++inserted; });
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, [&] { ++removed; });
    QObject::connect(model, &QAbstractItemModel::dataChanged, [&] { ++changed; });
    // Filled row by row, as the windows fill their grids.
    for (int row = 0; row < 500; ++row) {
        grid.SetRowCount(row + 1);
        grid.SetCell(0, row, std::to_string(row));
        grid.SetCell(1, row, std::to_string(row * 2) + ",00");
    }
    QApplication::processEvents();
    EXPECT_EQ(inserted, 1);
    EXPECT_LE(changed, 1);
    ASSERT_EQ(model->rowCount(), 500);
    EXPECT_EQ(model->index(499, 1).data().toString(), QString("998,00"));
    // The selected cell shows also when chosen before the rows reached the view.
    grid.SetRowCount(600);
    grid.SelectCell(1, 550);
    EXPECT_EQ(view->currentIndex().row(), 550);
    EXPECT_EQ(view->currentIndex().column(), 1);
    grid.SetRowCount(3);
    QApplication::processEvents();
    EXPECT_EQ(removed, 1);
    EXPECT_EQ(model->rowCount(), 3);
    // An edit the window refuses leaves the model's text in the view.
    grid.OnCellEdited = [&](int col, int row) { grid.SetCell(col, row, "0,00"); };
    model->setData(model->index(2, 1), "abc");
    EXPECT_EQ(grid.Cell(1, 2), "0,00");
    EXPECT_EQ(model->index(2, 1).data().toString(), QString("0,00"));
}

TEST_F(Bridge, MemoSelectionGoesBothWaysAndIsCopied) {
    auto& memo = Ctl<ui::Memo>("memNote");
    memo.SetLines({"prima", "seconda"});
    memo.SetFocus();
    auto* te = Peer<QPlainTextEdit>("memNote");
    // Selected with the mouse: the model holds the selection, and a copy takes it.
    QTextCursor cur = te->textCursor();
    cur.setPosition(6);
    cur.setPosition(13, QTextCursor::KeepAnchor);
    te->setTextCursor(cur);
    EXPECT_EQ(memo.SelStart(), 6);
    EXPECT_EQ(memo.SelLength(), 7);
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(te, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString("seconda"));
    // Selected by the model: the widget shows it.
    memo.SetSelection(0, 5);
    EXPECT_EQ(te->textCursor().selectedText(), QString("prima"));
    memo.SetCaretPosition(2);
    EXPECT_FALSE(te->textCursor().hasSelection());
    EXPECT_EQ(te->textCursor().position(), 2);
}

TEST_F(Bridge, TextNeverEntersAFieldBehindTheModel) {
    // Middle-button pastes and dropped text would bypass the model and its
    // key filters: they never reach a text widget.
    struct Spy : QObject {
        int seen = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Drop || e->type() == QEvent::DragEnter) ++seen;
            if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease)
                seen += static_cast<QMouseEvent*>(e)->button() == Qt::MiddleButton;
            return false;
        }
    };
    for (const char* name : {"txtCampo", "memNote"}) {
        QWidget* w = Peer<QWidget>(name);
        if (auto* te = qobject_cast<QPlainTextEdit*>(w)) w = te->viewport();
        Spy spy;
        w->installEventFilter(&spy);
        QTest::mouseClick(w, Qt::MiddleButton, {}, QPoint(5, 5));
        QMimeData data;
        data.setText("XYZ");
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &drop);
        EXPECT_EQ(spy.seen, 0) << name;
        EXPECT_EQ(form.FindControl(name)->Text(), "") << name;
        w->removeEventFilter(&spy);
    }
    // Other controls still take the middle button.
    Spy spy;
    QWidget* list = Peer<QListView>("lstVoci")->viewport();
    list->installEventFilter(&spy);
    QTest::mouseClick(list, Qt::MiddleButton, {}, QPoint(5, 5));
    EXPECT_EQ(spy.seen, 2);
    list->removeEventFilter(&spy);
}

// Every real way text comes in (a key's text, an input method's commit,
// Ctrl+V, a grid's cell editor) passes the model's edit: what windows-1252
// cannot hold stays out, and the widget shows what the model holds.
TEST_F(Bridge, TextTheCodePageCannotHoldNeverEntersThroughTheRealWidgets) {
    auto& edit = Ctl<ui::Edit>("txtCampo");
    auto* le = Peer<QLineEdit>("txtCampo");
    edit.SetFocus();
    for (const char* text : {"é", "ł", "€", "🚗", "中", "Ÿ"}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8(text));
        QApplication::sendEvent(le, &press);
    }
    EXPECT_EQ(edit.Text(), "é€Ÿ");
    QInputMethodEvent composed;
    composed.setCommitString(QString::fromUtf8("ä\u0085ź™"));
    QApplication::sendEvent(le, &composed);
    EXPECT_EQ(edit.Text(), "é€Ÿä™");
    QGuiApplication::clipboard()->setText(QString::fromUtf8(" Łódź\u009F 🚗x"));
    QTest::keyClick(le, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.Text(), "é€Ÿä™ ód x");
    EXPECT_EQ(le->text(), QString::fromStdString(edit.Text()));

    auto& memo = Ctl<ui::Memo>("memNote");
    auto* te = Peer<QPlainTextEdit>("memNote");
    memo.SetFocus();
    QGuiApplication::clipboard()->setText(QString::fromUtf8("uno\u0085\r\ndue ł€"));
    QTest::keyClick(te, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(memo.Text(), "uno\ndue €");
    EXPECT_EQ(te->toPlainText(), QString::fromStdString(memo.Text()));

    // Qt's own cell editor hands its text to the model, which keeps what
    // the code page holds; the view shows the cell as kept.
    auto& grid = Ctl<ui::StringGrid>("grdCosti");
    auto* view = Peer<QTableView>("grdCosti");
    grid.SetFocus();
    const QModelIndex cell = view->model()->index(0, 1);
    view->setCurrentIndex(cell);
    view->edit(cell);
    QLineEdit* editor = nullptr;
    for (QLineEdit* e : view->findChildren<QLineEdit*>())
        if (e->isVisible()) editor = e;
    ASSERT_NE(editor, nullptr);
    editor->setText(QString::fromUtf8("12 €ł🚗\u0081,5"));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents(); // the editor's text is committed by a queued call
    EXPECT_EQ(grid.Cell(1, 0), "12 €,5");
    EXPECT_EQ(cell.data().toString(), QString::fromUtf8("12 €,5"));
}

TEST_F(Bridge, LayoutChartShowsItsPointsPainted) {
    ui::Form stats(app);
    ui::LoadLayout(stats, R"(form TfrmStatistiche caption=Statistiche client=520x340 border=single
chart ChartStats bounds=10,10,500,320 kind=bar legend=no title="Transiti"
)");
    stats.Show();
    auto& view = stats.Get<ui::ChartView>("ChartStats");
    QWidget* w = bridge->Widget(view);
    ASSERT_NE(w, nullptr);
    auto count = [&](QRgb want) {
        const QImage shot = w->grab().toImage();
        int n = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const QColor c = shot.pixelColor(x, y);
                n += std::abs(c.red() - qRed(want)) < 40 && std::abs(c.green() - qGreen(want)) < 40 &&
                     std::abs(c.blue() - qBlue(want)) < 40;
            }
        return n;
    };
    EXPECT_LT(count(qRgb(220, 0, 0)), 20);
    view.Chart().Add(10, "Gennaio", 0xFFDC0000);
    view.Chart().Add(20, "Febbraio", 0xFF0000DC);
    EXPECT_GT(count(qRgb(220, 0, 0)), 200);
    EXPECT_GT(count(qRgb(0, 0, 220)), 200);
    view.Chart().SetKind(chart::SeriesKind::Pie);
    ASSERT_EQ(view.Chart().Points().size(), 2u);
    EXPECT_EQ(view.Chart().Points()[0].label, "Gennaio");
    EXPECT_GT(count(qRgb(220, 0, 0)), 200);
}
} // namespace

namespace {

// Counts the paint events of the widgets it watches.
struct Pitture : QObject {
    std::map<QObject*, int> conta;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++conta[o];
        return false;
    }
};

} // namespace

// A step through records changes texts: only the edits whose text changed
// are drawn again, not the window beneath them, and a peer told of a change
// that leaves it as it is draws nothing.
TEST_F(Bridge, ChangedTextRepaintsTheEditAloneAndNoChangeRepaintsNothing) {
    auto* le = Peer<QLineEdit>("txtCampo");
    auto* altro = Peer<QLineEdit>("txtAltro");
    auto* ok = Peer<QPushButton>("cmdOK");
    auto* scelta = Peer<QCheckBox>("chkScelta");
    QWidget* sotto = le->parentWidget();
    ASSERT_NE(sotto, nullptr);
    QApplication::processEvents();
    Pitture p;
    for (QObject* o : std::initializer_list<QObject*>{le, altro, ok, scelta, sotto})
        o->installEventFilter(&p);

    Ctl<ui::Edit>("txtCampo").SetText("Fiat Ducato");
    for (ui::Property prop : {ui::Property::Text, ui::Property::Font, ui::Property::Other}) {
        bridge->PropertyChanged(Ctl<ui::Button>("cmdOK"), prop);
        bridge->PropertyChanged(Ctl<ui::CheckBox>("chkScelta"), prop);
    }
    QApplication::processEvents();
    EXPECT_EQ(le->text(), QString("Fiat Ducato"));
    EXPECT_GE(p.conta[le], 1);
    EXPECT_EQ(p.conta[sotto], 0);
    EXPECT_EQ(p.conta[altro], 0);
    EXPECT_EQ(p.conta[ok], 0);
    EXPECT_EQ(p.conta[scelta], 0);

    // A real change still reaches the widget.
    Ctl<ui::Button>("cmdOK").SetText("Avanti");
    Ctl<ui::CheckBox>("chkScelta").SetChecked(true);
    QApplication::processEvents();
    EXPECT_EQ(ok->text(), QString("Avanti"));
    EXPECT_TRUE(scelta->isChecked());
    EXPECT_GE(p.conta[ok], 1);
}
