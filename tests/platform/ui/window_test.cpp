// Windows, modal runs, dialogs, errors escaping handlers, timers, shell open.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <future>
#include <memory>
#include <new>
#include <stdexcept>
#include <utility>

#include "platform/rtl/Files.h"
#include "tests/platform/ui/TestForm.h"
#include "tests/support/Harness.h"

namespace {

class TfrmAltra : public TfrmProva {
public:
    using TfrmProva::TfrmProva;
};

TEST(Application, FirstWindowIsMainAndPerUseWindowsLeaveOnDestruction) {
    ts::Harness h;
    TfrmProva main(h.app);
    TfrmProva second(h.app);
    {
        auto perUse = std::make_unique<TfrmAltra>(h.app, &main);
        EXPECT_EQ(perUse->Owner(), &main);
        EXPECT_EQ(h.app.Forms().size(), 3u);
    }
    EXPECT_EQ(h.app.Forms(), (std::vector<ui::Form*>{&main, &second}));
    EXPECT_EQ(h.app.MainForm(), &main);
    h.app.Run();
    EXPECT_TRUE(main.Visible());
    EXPECT_FALSE(second.Visible());
}

TEST(Application, ClosingTheMainWindowTerminatesButTerminateRunsNoCloseHandler) {
    ts::Harness h;
    TfrmProva main(h.app);
    TfrmProva other(h.app);
    int closes = 0;
    other.OnClose = [&](ui::CloseAction&) { ++closes; };
    main.Show();
    other.Show();
    h.app.Terminate();
    EXPECT_TRUE(h.app.Terminated());
    EXPECT_EQ(closes, 0);

    ts::Harness h2;
    TfrmProva main2(h2.app);
    main2.Show();
    h2.CloseWindow(main2);
    EXPECT_TRUE(h2.app.Terminated());
    EXPECT_FALSE(main2.Visible());
}

TEST(Application, CloseBoxIsRefusedWhenTheWindowHasNone) {
    ts::Harness h;
    TfrmProva f(h.app);
    f.SetCloseBox(false);
    f.Show();
    EXPECT_FALSE(ui::input::CloseWindow(f));
    EXPECT_TRUE(f.Visible());
}

TEST(Modal, ButtonWithModalResultEndsTheRunAfterItsHandler) {
    ts::Harness h;
    TfrmProva owner(h.app);
    owner.Show();
    int closes = 0;
    bool visibleAfterClick = true;
    bool ownerReachableMeanwhile = true;
    h.OnModal<TfrmAltra>([&](TfrmAltra& d) {
        EXPECT_TRUE(d.Visible());
        EXPECT_TRUE(d.IsModal());
        EXPECT_EQ(h.app.ActiveModal(), &d);
        ownerReachableMeanwhile = ui::input::Click(owner.txtA);
        h.Click(d.cmdOK);
        visibleAfterClick = d.Visible();
        h.Focus(owner.txtA); // the owner takes input again once the dialog has ended
    });
    auto d = std::make_unique<TfrmAltra>(h.app, &owner);
    d->OnClose = [&](ui::CloseAction&) { ++closes; };
    EXPECT_EQ(d->ShowModal(), ui::ModalResult::OK);
    EXPECT_FALSE(ownerReachableMeanwhile);
    EXPECT_FALSE(visibleAfterClick);
    EXPECT_FALSE(d->Visible());
    EXPECT_EQ(h.app.ActiveModal(), nullptr);
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(h.ModalCount("TfrmProva"), 1);
}

TEST(Modal, CloseOrNothingGivesCancelAndTheWindowCanBeShownAgain) {
    ts::Harness h;
    TfrmProva owner(h.app);
    TfrmAltra d(h.app, &owner);
    int closes = 0;
    d.OnClose = [&](ui::CloseAction&) { ++closes; };
    h.OnModal<TfrmAltra>([](TfrmAltra& w) { w.Close(); });
    EXPECT_EQ(d.ShowModal(), ui::ModalResult::Cancel);
    EXPECT_EQ(closes, 1);
    h.OnModal<TfrmAltra>([](TfrmAltra&) {});
    EXPECT_EQ(d.ShowModal(), ui::ModalResult::Cancel);
    EXPECT_EQ(closes, 2);
    h.OnModal<TfrmAltra>([](TfrmAltra& w) { w.SetModalResult(ui::ModalResult::Yes); });
    EXPECT_EQ(d.ShowModal(), ui::ModalResult::Yes);
    EXPECT_FALSE(d.Visible());
}

TEST(Modal, OpeningAModalWindowFiresNoFocusEventsOnItsOwner) {
    ts::Harness h;
    TfrmProva owner(h.app);
    owner.Show();
    owner.txtA.SetFocus();
    int exits = 0;
    owner.txtA.OnExit = [&] { ++exits; };
    h.OnModal<TfrmAltra>([](TfrmAltra& d) {
        d.txtB.SetFocus();
        d.Close();
    });
    TfrmAltra(h.app, &owner).ShowModal();
    EXPECT_EQ(exits, 0);
    EXPECT_EQ(owner.Focused(), &owner.txtA);
}

TEST(Modal, UnexpectedModalWindowFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(
        {
            ts::Harness h;
            TfrmAltra d(h.app);
            EXPECT_EQ(d.ShowModal(), ui::ModalResult::Cancel);
        },
        "unexpected modal window: TfrmProva");
}

TEST(Modal, WithoutHarnessOrBackendShowModalCancels) {
    ui::Application app;
    TfrmProva f(app);
    EXPECT_EQ(f.ShowModal(), ui::ModalResult::Cancel);
    EXPECT_FALSE(f.Visible());
}

TEST(Dialogs, ExpectedDialogsAnswerInOrderWithTextsKeptExactly) {
    ts::Harness h;
    h.ExpectMessage(ui::DialogType::Warning, "Riga uno\r\nRiga due\n\rRiga tre", ui::Answer::OK);
    h.ExpectMessage(ui::DialogType::Confirmation, "Salvare?", ui::Answer::Yes);
    h.ExpectShowMessage("Fatto.");
    EXPECT_EQ(ui::MessageDlg("Riga uno\r\nRiga due\n\rRiga tre", ui::DialogType::Warning, ui::Buttons::OK),
              ui::Answer::OK);
    EXPECT_EQ(ui::MessageDlg("Salvare?", ui::DialogType::Confirmation, ui::Buttons::YesNo), ui::Answer::Yes);
    ui::ShowMessage("Fatto.");
}

TEST(Dialogs, YesNoQuestionDismissedWithoutAnswerIsNo) {
    ts::Harness h;
    for (ui::Answer dismissed : {ui::Answer::Cancel, ui::Answer::None}) {
        h.ExpectMessage(ui::DialogType::Confirmation, "Uscire?", dismissed);
        EXPECT_EQ(ui::MessageDlg("Uscire?", ui::DialogType::Confirmation, ui::Buttons::YesNo),
                  ui::Answer::No);
    }
}

TEST(Dialogs, UnexpectedOrDifferentDialogFailsAndShowsItsText) {
    EXPECT_NONFATAL_FAILURE(
        {
            ts::Harness h;
            ui::ShowMessage("Attenzione: password errata.");
        },
        "unexpected dialog: message \"Attenzione: password errata.\"");
    EXPECT_NONFATAL_FAILURE(
        {
            ts::Harness h;
            h.ExpectMessage(ui::DialogType::Warning, "Testo A");
            ui::MessageDlg("Testo B", ui::DialogType::Warning, ui::Buttons::OK);
        },
        "Testo B");
    EXPECT_NONFATAL_FAILURE(
        {
            ts::Harness h;
            h.ExpectMessage(ui::DialogType::Warning, "Testo");
            ui::MessageDlg("Testo", ui::DialogType::Error, ui::Buttons::OK);
        },
        "unexpected dialog: error");
}

TEST(Dialogs, ExpectedDialogNeverShownFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(
        {
            ts::Harness h;
            h.ExpectShowMessage("Mai mostrato.");
        },
        "expected dialog never shown: message \"Mai mostrato.\"");
}

TEST(Dialogs, InputQueryFileAndPrintDialogsAreScripted) {
    ts::Harness h;
    h.ExpectInputQuery(" Anno", "Anno:", "2026");
    h.ExpectInputQuery(" Anno", "Anno:", std::nullopt);
    h.ExpectOpenFile("/tmp/foto.jpg");
    h.ExpectSaveFile(std::nullopt);
    h.ExpectPrintDialog(2);
    std::string v = "2025";
    EXPECT_TRUE(ui::InputQuery(" Anno", "Anno:", v));
    EXPECT_EQ(v, "2026");
    EXPECT_FALSE(ui::InputQuery(" Anno", "Anno:", v));
    EXPECT_EQ(v, "2026");
    ui::FileDialogRequest r;
    r.title = "Carica foto";
    EXPECT_EQ(ui::OpenFileDialog(r), "/tmp/foto.jpg");
    EXPECT_EQ(ui::SaveFileDialog(r), std::nullopt);
    EXPECT_EQ(ui::PrintDialog(1), 2);
    EXPECT_EQ(h.FileDialogs().size(), 2u);
}

TEST(Errors, ExceptionEscapingAHandlerIsShownAndTheProgramGoesOn) {
    ts::Harness h;
    TfrmProva f(h.app);
    f.Show();
    int clicks = 0;
    f.cmdOK.SetModalResult(ui::ModalResult::None);
    f.cmdOK.OnClick = [&] {
        if (++clicks == 1) throw std::runtime_error("Impossibile aprire l'archivio.");
    };
    h.ExpectMessage(ui::DialogType::Error, "Impossibile aprire l'archivio.");
    h.Click(f.cmdOK);
    h.Verify();
    h.Click(f.cmdOK);
    EXPECT_EQ(clicks, 2);

    // Thrown from a key handler: the key goes no further.
    f.txtA.SetFocus();
    f.txtA.OnKeyDown = [](ui::KeyEvent&) { throw std::runtime_error("Tasto"); };
    h.ExpectMessage(ui::DialogType::Error, "Tasto");
    h.Type(f, "x");
    EXPECT_EQ(f.txtA.Text(), "");
}

// Whatever a handler throws reaches the box: a fault of the program and
// memory run out with their own text, a failure of no standard kind with a
// text of the box.
TEST(Errors, EveryKindOfFailureReachesTheBox) {
    ts::Harness h;
    TfrmProva f(h.app);
    f.Show();
    f.cmdOK.SetModalResult(ui::ModalResult::None);
    const std::pair<std::function<void()>, std::string> casi[] = {
        {[] { throw std::logic_error("indice 367 fuori dal planner"); }, "indice 367 fuori dal planner"},
        {[] { throw std::bad_alloc(); }, std::bad_alloc().what()},
        {[] { throw 42; }, "Errore sconosciuto."},
    };
    for (const auto& [lancia, testo] : casi) {
        SCOPED_TRACE(testo);
        f.cmdOK.OnClick = lancia;
        h.ExpectMessage(ui::DialogType::Error, testo);
        h.Click(f.cmdOK);
        h.Verify();
    }
}

TEST(Timers, TickAsOftenAsDueUnderAdvancedTime) {
    ts::Harness h;
    ui::Form f(h.app);
    auto& slow = f.Add<ui::Timer>("tmrSlow");
    auto& fast = f.Add<ui::Timer>("tmrFast");
    slow.SetInterval(300);
    fast.SetInterval(100);
    std::string order;
    slow.OnTimer = [&] { order += 'S'; };
    fast.OnTimer = [&] {
        order += 'F';
        if (order.size() >= 6) fast.SetEnabled(false);
    };
    h.Advance(250);
    EXPECT_EQ(order, "FF");
    h.Advance(
        400); // now 650: at 300 slow (created first) then fast; fast at 400, 500 (then off); slow at 600
    EXPECT_EQ(order, "FFSFFFS");
    slow.SetEnabled(false);
    h.Advance(1000);
    EXPECT_EQ(order, "FFSFFFS");
    slow.SetEnabled(true); // a new interval starts now
    h.Advance(299);
    EXPECT_EQ(order, "FFSFFFS");
    h.Advance(1);
    EXPECT_EQ(order, "FFSFFFSS");
}

TEST(Services, ShellOpenDropsSurroundingQuotesAndClipboardMayBeAbsent) {
    ts::Harness h;
    ui::ShellOpen("\"/dati/Guida.pdf\"");
    ui::ShellOpen("mailto:info@example.com");
    ui::ShellOpen("\"");
    EXPECT_EQ(h.ShellOpened(),
              (std::vector<std::string>{"/dati/Guida.pdf", "mailto:info@example.com", "\""}));
    EXPECT_TRUE(ui::SetClipboardText("Prenotato"));
    EXPECT_EQ(h.Clipboard(), "Prenotato");
    h.SetClipboardAvailable(false);
    EXPECT_FALSE(ui::SetClipboardText("altro"));
}

// The real opener is started directly with the target as its one argument:
// a fake xdg-open early on PATH records what it receives.
TEST(Services, OpenerGetsTheTargetAsOneArgumentWithoutAShell) {
    ts::Harness h;
    const std::string bin = h.DataFolder() + "bin";
    const std::string out = h.DataFolder() + "args.txt";
    rtl::CreateFolders(bin);
    rtl::WriteWholeFile(bin + "/xdg-open", "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > \"" + out +
                                               ".tmp\" && mv \"" + out + ".tmp\" \"" + out + "\"\n");
    ASSERT_EQ(chmod((bin + "/xdg-open").c_str(), 0755), 0);
    const char* oldPath = getenv("PATH");
    const std::string saved = oldPath ? oldPath : "";
    setenv("PATH", (bin + ":" + saved).c_str(), 1);
    const std::string target = "/dati/Scheda 1; touch " + h.DataFolder() + "hacked $(id)";
    const bool started = ui::SpawnOpener(target);
    setenv("PATH", saved.c_str(), 1);
    ASSERT_TRUE(started);
    for (int i = 0; i < 500 && !rtl::FileExists(out); ++i)
        usleep(10000);
    ASSERT_TRUE(rtl::FileExists(out));
    EXPECT_EQ(rtl::ReadWholeFile(out), "1|" + target);
    EXPECT_FALSE(rtl::FileExists(h.DataFolder() + "hacked"));
}

// The opener tells whether it opened the target: xdg-open exits with 0 only
// then (3 when no program takes the file's type, 4 when the program failed).
TEST(Services, OpenerTellsWhetherTheDesktopOpenedTheTarget) {
    ts::Harness h;
    const std::string bin = h.DataFolder() + "bin";
    rtl::CreateFolders(bin);
    const char* oldPath = getenv("PATH");
    const std::string saved = oldPath ? oldPath : "";
    for (int status : {0, 3, 4}) {
        rtl::WriteWholeFile(bin + "/xdg-open", "#!/bin/sh\nexit " + std::to_string(status) + "\n");
        ASSERT_EQ(chmod((bin + "/xdg-open").c_str(), 0755), 0);
        setenv("PATH", (bin + ":" + saved).c_str(), 1);
        auto opened = std::make_shared<std::promise<bool>>();
        const bool started = ui::SpawnOpener("/dati/Foglio.xls", [opened](bool o) { opened->set_value(o); });
        setenv("PATH", saved.c_str(), 1);
        ASSERT_TRUE(started);
        auto told = opened->get_future();
        ASSERT_EQ(told.wait_for(std::chrono::seconds(30)), std::future_status::ready) << status;
        EXPECT_EQ(told.get(), status == 0) << status;
    }
    // No opener at all: it cannot start, and the default services say so.
    setenv("PATH", bin.c_str(), 1);
    std::remove((bin + "/xdg-open").c_str());
    bool failed = false;
    ui::Services().ShellOpen("/dati/Foglio.xls", [&] { failed = true; });
    setenv("PATH", saved.c_str(), 1);
    EXPECT_TRUE(failed);
}

TEST(Harness, GivesEachTestItsOwnDataFolderAndClock) {
    std::string folder;
    {
        ts::Harness h;
        folder = h.DataFolder();
        EXPECT_EQ(rtl::DataFolder(), folder);
        h.SetToday(*rtl::Date::FromYmd(2026, 3, 5));
        EXPECT_EQ(rtl::FormatDate(rtl::Today()), "05/03/2026");
        rtl::WriteWholeFile(rtl::DataPath("x.txt"), "x");
    }
    EXPECT_NE(rtl::DataFolder(), folder);
    EXPECT_FALSE(rtl::FolderExists(folder));
}

} // namespace

namespace {

// A backend that records what the model tells it; its modal "loop" runs a
// scripted user and checks that the model ended it.
struct RecordingBackend : ui::Backend {
    std::vector<std::string> log;
    std::function<void(ui::Form&)> user;
    bool ended = false;
    std::size_t controlsAtDestruction = 0;

    void FormCreated(ui::Form&) override { log.push_back("created"); }
    void FormDestroyed(ui::Form& f) override {
        controlsAtDestruction = f.Controls().size();
        log.push_back("destroyed");
    }
    void FormShown(ui::Form&) override { log.push_back("shown"); }
    void FormHidden(ui::Form&) override { log.push_back("hidden"); }
    void PropertyChanged(ui::Control& c, ui::Property p) override {
        if (p == ui::Property::Text) log.push_back(c.Name() + ".text " + c.Text());
    }
    void FocusChanged(ui::Form&, ui::Control* c) override { log.push_back("focus " + (c ? c->Name() : "-")); }
    void RunModal(ui::Form& f) override {
        log.push_back("run modal");
        ended = false;
        if (user) user(f);
        EXPECT_TRUE(ended) << "the modal loop would never end";
    }
    void EndModal(ui::Form&) override {
        ended = true;
        log.push_back("end modal");
    }
    void Run(ui::Application&) override { log.push_back("run"); }
    void Terminate() override { log.push_back("terminate"); }
};

TEST(Backend, IsToldWhatARealWindowMustFollow) {
    ts::Harness h;
    RecordingBackend b;
    h.app.SetBackend(&b);
    {
        TfrmProva owner(h.app);
        h.app.Run();
        b.log.clear();
        owner.txtA.SetFocus();
        h.Type(owner, "k");

        auto d = std::make_unique<TfrmAltra>(h.app, &owner);
        b.user = [&](ui::Form&) { ASSERT_TRUE(ui::input::Click(d->cmdOK)); };
        EXPECT_EQ(d->ShowModal(), ui::ModalResult::OK);
        d.reset();
        EXPECT_EQ(b.controlsAtDestruction, 5u);
        EXPECT_EQ(b.log, (std::vector<std::string>{"focus txtA", "txtA.text k", "created", "cmdOK.text OK",
                                                   "shown", "run modal", "focus cmdOK", "focus -", "hidden",
                                                   "end modal", "destroyed"}));
        b.log.clear();
        h.CloseWindow(owner); // the main window: the run ends
        EXPECT_EQ(b.log, (std::vector<std::string>{"focus -", "hidden", "terminate"}));
    }
    h.app.SetBackend(nullptr);
}

} // namespace

namespace {

// Cells kept compactly: rewritten many times, cut by fewer columns or rows,
// each cell still reads what was last written into it, and a removed cell
// reads empty when its row or column comes back.
TEST(Grid, CellsKeepTheirLastTextThroughRewritesAndResizes) {
    ts::Harness h;
    ui::Form f(h.app);
    auto& g = f.Add<ui::StringGrid>("grdProva", nullptr);
    g.SetColumns({{"a", "A", 10}, {"b", "B", 10}, {"c", "C", 10}});
    g.SetRowCount(3);
    g.SetCell(2, 2, std::string(300, 'z'));
    for (int round = 0; round < 3000; ++round)
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 3; ++c)
                g.SetCell(c, r,
                          std::string(100, '-') + "r" + std::to_string(round) + "c" + std::to_string(c) +
                              "\xC3\xA0");
    EXPECT_EQ(g.Cell(1, 0), std::string(100, '-') + "r2999c1\xC3\xA0");
    EXPECT_EQ(g.CellView(2, 1), std::string(100, '-') + "r2999c2\xC3\xA0");
    EXPECT_EQ(g.Cell(2, 2), std::string(300, 'z'));
    EXPECT_EQ(g.Cell(0, 2), "");
    g.SetCell(0, 0, "");
    EXPECT_EQ(g.Cell(0, 0), "");
    EXPECT_EQ(g.Cell(1, 0), std::string(100, '-') + "r2999c1\xC3\xA0");

    g.SetColumns({{"a", "A", 10}, {"b", "B", 10}});
    EXPECT_EQ(g.Cell(2, 1), "");
    g.AddColumn({"c", "C", 10});
    EXPECT_EQ(g.Cell(2, 1), "");
    EXPECT_EQ(g.Cell(1, 1), std::string(100, '-') + "r2999c1\xC3\xA0");
    g.SetRowCount(1);
    g.SetRowCount(3);
    EXPECT_EQ(g.Cell(1, 1), "");
    EXPECT_EQ(g.Cell(1, 0), std::string(100, '-') + "r2999c1\xC3\xA0");
    EXPECT_THROW(g.SetCell(3, 0, "x"), std::out_of_range);
    EXPECT_EQ(g.Cell(5, 7), "");
}

// A source gives the cells of a grid until one is set: the set cell is read
// instead (also an empty text), the others still come from the source; rows
// and columns removed take their source cells and set cells with them; a new
// source drops every text held before.
TEST(Grid, SourceCellsUntilSetAndGoneWithTheirRowsAndColumns) {
    struct Fonte : ui::GridSource {
        std::string_view Cell(int col, int row, std::string& scratch) const override {
            return scratch = "s" + std::to_string(col) + "," + std::to_string(row);
        }
    };
    ts::Harness h;
    ui::Form f(h.app);
    auto& g = f.Add<ui::StringGrid>("grdProva", nullptr);
    g.SetColumns({{"a", "A", 10}, {"b", "B", 10}, {"c", "C", 10}});
    g.SetRowCount(2);
    g.SetCell(1, 1, "held before");
    g.SetSource(std::make_shared<Fonte>(), 4);
    EXPECT_EQ(g.RowCount(), 4);
    EXPECT_EQ(g.Cell(1, 1), "s1,1");
    EXPECT_EQ(g.SetOverSource(1, 1), nullptr);

    g.SetCell(1, 2, "typed");
    g.SetCell(2, 3, "");
    // A view of another cell made for reading, set as it is.
    g.SetCell(0, 3, g.CellView(0, 2));
    g.SetCell(0, 0, "s0,0"); // the source's own text: nothing set
    const struct {
        int col, row;
        const char* text;
        bool set;
    } cells[] = {
        {1, 2, "typed", true}, {2, 3, "", true},      {0, 3, "s0,2", true}, {0, 0, "s0,0", false},
        {2, 2, "s2,2", false}, {1, 3, "s1,3", false}, {3, 0, "", false},    {0, 4, "", false},
    };
    for (const auto& c : cells) {
        SCOPED_TRACE(std::to_string(c.col) + "," + std::to_string(c.row));
        EXPECT_EQ(g.Cell(c.col, c.row), c.text);
        EXPECT_EQ(g.SetOverSource(c.col, c.row) != nullptr, c.set);
    }

    // Fewer rows and columns, then as many again: what was removed reads empty.
    g.SetRowCount(3);
    g.SetColumns({{"a", "A", 10}, {"b", "B", 10}});
    g.SetRowCount(4);
    g.AddColumn({"c", "C", 10});
    EXPECT_EQ(g.Cell(1, 2), "typed");
    EXPECT_EQ(g.Cell(1, 1), "s1,1");
    EXPECT_EQ(g.Cell(1, 3), "");
    EXPECT_EQ(g.Cell(0, 3), "");
    EXPECT_EQ(g.SetOverSource(0, 3), nullptr);
    EXPECT_EQ(g.Cell(2, 0), "");
    g.SetCell(2, 0, "new");
    EXPECT_EQ(g.Cell(2, 0), "new");

    g.SetSource(nullptr, 2);
    EXPECT_EQ(g.Cell(1, 2), "");
    EXPECT_EQ(g.Cell(1, 1), "");
    g.SetCell(1, 1, "kept");
    EXPECT_EQ(g.Cell(1, 1), "kept");
}

} // namespace
