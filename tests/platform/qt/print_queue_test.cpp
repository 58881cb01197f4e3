// Printing on a real print queue: the program's windows in Qt, the print
// dialog answered as a user answers it (the queue picked in its printer list),
// the job through a CUPS scheduler, and the PDF that the queue writes read
// back. Run by print_queue.sh, which starts a private scheduler with one
// queue and names it (and the file its jobs land in) in the environment.
#include "common/Archive.h"
#include "common/Records.h"
#include "gate/Statistiche.h"
#include "platform/qt/Backend.h"
#include "platform/qt/Bridge.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Files.h"
#include "platform/ui/Application.h"
#include "platform/ui/Internal.h"
#include "shell/WindowSet.h"
#include "tests/platform/qt/QtApp.h"
#include "tests/support/PdfFile.h"
#include "vehicles/Autoparco.h"
#include "vehicles/StampaAutomezzo.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace {

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// The output of a command (run through the shell; the names in it are ours).
std::string Output(const std::string& command) {
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[512];
        while (std::size_t n = std::fread(buf, 1, sizeof buf, p))
            out.append(buf, n);
        pclose(p);
    }
    return out;
}

int Lines(const std::string& text) {
    return int(std::count(text.begin(), text.end(), '\n'));
}

// A user at the screen: each step waits for its window or dialog to come up
// and answers it. The steps run from the event loops that the modal windows
// and dialogs open, so a click that opens one returns once all are answered.
class User {
public:
    struct Step {
        std::string what;
        std::function<bool()> done; // answers when its window is up; false: not yet
    };
    void Expect(std::string what, std::function<bool()> step) { steps_.push_back({std::move(what), step}); }

    void Start() {
        clock_.start();
        Poll();
    }
    // What is still waited for; empty when every step was answered.
    std::string Missing() const { return steps_.empty() ? std::string() : steps_.front().what; }

private:
    void Poll() {
        if (steps_.empty()) return;
        if (clock_.elapsed() > 60000) {
            // Nothing came up: close whatever is open so the test ends.
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
            return;
        }
        // Armed first, and the step taken out while it answers: an answer
        // may open a window of its own, whose loop goes on with the next step.
        QTimer::singleShot(20, &context_, [this] { Poll(); });
        Step step = std::move(steps_.front());
        steps_.pop_front();
        if (!step.done()) steps_.push_front(std::move(step));
    }
    std::deque<Step> steps_;
    QElapsedTimer clock_;
    QObject context_; // its end stops the polls still armed
};

// Shows a work window at a desktop's size: the offscreen screen is smaller
// than the windows' design. Modal windows and dialogs stay real.
void Show(ui::Application& app, qtbackend::Bridge& bridge, ui::Form& form) {
    bridge.SetUnattended(true);
    ui::detail::Dispatch(app, [&] {
        form.Show();
        return true;
    });
    bridge.SetUnattended(false);
    QApplication::processEvents();
}

// A click of the left button on a control's window, as the window system
// delivers it.
void Click(qtbackend::Bridge& bridge, ui::Control& c) {
    QWidget* peer = bridge.Widget(c);
    ASSERT_NE(peer, nullptr);
    QWidget* window = peer->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, peer->mapTo(window, peer->rect().center()));
}

// Keys typed into an edit after a click on it.
void Type(qtbackend::Bridge& bridge, ui::Control& c, const QString& text) {
    Click(bridge, c);
    QTest::keyClicks(QApplication::focusWidget(), text);
}

struct PrintQueue : ::testing::Test {
    std::string queue = Env("DORNEVAL_TEST_QUEUE");
    std::string output = Env("DORNEVAL_TEST_QUEUE_OUTPUT");
    std::filesystem::path data =
        std::filesystem::temp_directory_path() / ("dorneval-print-queue-" + std::to_string(getpid()));

    void SetUp() override {
        ASSERT_FALSE(queue.empty()) << "run through print_queue.sh, which starts the print queue";
        std::filesystem::create_directories(data);
        rtl::SetDataFolderForTesting(data.string());
        rtl::SetClock({*rtl::Date::FromYmd(2024, 3, 5), {10, 15, 0}});
        QtApplication();
    }
    void TearDown() override {
        rtl::ResetClock();
        rtl::ResetDataFolder();
        std::error_code ec;
        std::filesystem::remove_all(data, ec);
    }

    // The print dialog: the queue picked in the printer list, then "Print".
    // Its number of copies is left as the program preset it.
    bool ChoosePrinter() {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return false;
        auto* printers = dialog->findChild<QComboBox*>("printers");
        EXPECT_NE(printers, nullptr);
        if (!printers) {
            dialog->reject();
            return true;
        }
        const int index = printers->findText(QString::fromStdString(queue));
        EXPECT_GE(index, 0) << "the queue is not in the print dialog's list";
        printers->setCurrentIndex(index);
        if (auto* copies = dialog->findChild<QSpinBox*>("copies")) chosenCopies = copies->value();
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        return true;
    }

    // The jobs of the queue that have ended.
    int FinishedJobs() { return Lines(Output("lpstat -W completed -o '" + queue + "' 2>/dev/null")); }

    // Waits (30 seconds at most) until the queue holds no pending job and
    // `jobs` jobs have ended; then the file holds what the last job printed.
    void WaitForJobs(int jobs) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (std::chrono::steady_clock::now() < end) {
            if (Output("lpstat -o '" + queue + "' 2>/dev/null").empty() && FinishedJobs() >= jobs) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        EXPECT_EQ(FinishedJobs(), jobs);
    }

    int chosenCopies = 0;
};

} // namespace

TEST_F(PrintQueue, VehicleCardPrintsOnePortraitPageWithTheCard) {
    ui::Application app;
    WindowSet set(app);
    qtbackend::Session session(app, qtbackend::Mode::Interactive);
    auto& bridge = dynamic_cast<qtbackend::Bridge&>(*app.GetBackend());
    Show(app, bridge, *frmAutoparco);
    Type(bridge, frmAutoparco->txtTipo, "Furgone");
    Type(bridge, frmAutoparco->txtMarca, "Iveco");
    Type(bridge, frmAutoparco->txtModello, "Daily");
    Type(bridge, frmAutoparco->txtTarga, "cd456ef");
    const int before = FinishedJobs();

    User user;
    user.Expect("the print window of the card", [&] {
        for (ui::Form* f : app.Forms())
            if (auto* d = dynamic_cast<TfrmStampaAutomezzo*>(f);
                d && d->Visible() && bridge.Widget(d->btnStampa)) {
                Click(bridge, d->btnStampa);
                return true;
            }
        return false;
    });
    user.Expect("the print dialog", [&] { return ChoosePrinter(); });
    user.Start();
    Click(bridge, frmAutoparco->cmdStampa);
    ASSERT_EQ(user.Missing(), "");

    WaitForJobs(before + 1);
    const ts::pdf::Document pdf = ts::pdf::Read(output);
    ASSERT_EQ(pdf.pages.size(), 1u);
    EXPECT_NEAR(pdf.pages[0].width, 595.3, 2); // A4 portrait, in points
    EXPECT_NEAR(pdf.pages[0].height, 841.9, 2);
    const std::string& text = pdf.pages[0].text;
    for (const char* s : {"SCHEDA VEICOLO", "TIPO VEICOLO", "Furgone", "Iveco", "Daily", "TARGA", "CD456EF"})
        EXPECT_NE(text.find(s), std::string::npos) << s << " in:\n" << text;
    EXPECT_FALSE(pdf.pages[0].RunsAlongLongSide("COMPAGNIA ASSICURATIVA")); // upright, read across
}

TEST_F(PrintQueue, ChartPrintsALandscapePagePerCopy) {
    for (const char* day : {"10/01/2024", "04/03/2024", "05/03/2024"}) {
        common::Record r(common::TVisitaRec);
        r.Set("DataEnt", day);
        common::Archivio(rtl::DataPath("2024.vis"), common::TVisitaRec).Scrivi("", r);
    }
    ui::Application app;
    WindowSet set(app);
    qtbackend::Session session(app, qtbackend::Mode::Interactive);
    auto& bridge = dynamic_cast<qtbackend::Bridge&>(*app.GetBackend());
    Show(app, bridge, *frmStatistiche);
    ASSERT_EQ(frmStatistiche->txtAnno.Text(), "2024");
    Click(bridge, frmStatistiche->btnApri);
    QApplication::processEvents();
    ASSERT_TRUE(frmStatistiche->panContainer.Visible());
    const int before = FinishedJobs();

    User user;
    user.Expect("the question whether to print", [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return false;
        for (QAbstractButton* b : box->buttons())
            if (box->buttonRole(b) == QMessageBox::YesRole) b->click();
        EXPECT_NE(box->text().toStdString().find("stampare il presente grafico"), std::string::npos);
        return true;
    });
    user.Expect("the number of copies", [&] {
        auto* query = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        if (!query || !query->isVisible()) return false;
        query->setTextValue("2");
        query->accept();
        return true;
    });
    user.Expect("the print dialog", [&] { return ChoosePrinter(); });
    user.Start();
    Click(bridge, frmStatistiche->btnStampa);
    ASSERT_EQ(user.Missing(), "");
    EXPECT_EQ(chosenCopies, 2); // the copies asked for, preset in the dialog

    // One job per copy, each a landscape page with the chart; the file holds
    // the last.
    WaitForJobs(before + 2);
    const ts::pdf::Document pdf = ts::pdf::Read(output);
    ASSERT_EQ(pdf.pages.size(), 1u);
    const std::string& text = pdf.pages[0].text;
    for (const char* s : {"Statistiche mensili ingressi e uscite veicoli", "Gennaio", "Marzo", "Dicembre"})
        EXPECT_NE(text.find(s), std::string::npos) << s << " in:\n" << text;
    // Landscape: the title runs along the sheet's long side (the queue
    // turns a landscape page onto its upright sheet).
    EXPECT_TRUE(pdf.pages[0].RunsAlongLongSide("Statistiche mensili ingressi e uscite veicoli"));
}
