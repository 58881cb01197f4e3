// Every window of the program, shown in real Qt windows on the offscreen
// platform as the screenshot tool shows it, under real mouse events over the
// whole window (margins included) and into every control, and a few keys into
// every focusable control. The program must survive all of them.
#include "platform/qt/Backend.h"
#include "platform/qt/Bridge.h"
#include "platform/rtl/Files.h"
#include "platform/ui/Application.h"
#include "platform/ui/Input.h"
#include "platform/ui/Internal.h"
#include "shell/WindowSet.h"
#include "tests/platform/qt/QtApp.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

struct Windows : ::testing::Test {
    std::filesystem::path data =
        std::filesystem::temp_directory_path() / ("dorneval-windows-test-" + std::to_string(getpid()));
    void SetUp() override {
        std::filesystem::create_directories(data);
        rtl::SetDataFolderForTesting(data.string());
        QtApplication();
    }
    void TearDown() override {
        rtl::ResetDataFolder();
        std::error_code ec;
        std::filesystem::remove_all(data, ec);
    }
};

void Show(ui::Application& app, ui::Form& form) {
    ui::detail::Dispatch(app, [&] {
        form.Show();
        return true;
    });
    QApplication::processEvents();
}

void Wheel(QWidget& window, QPoint at) {
    QWidget* target = window.childAt(at);
    if (!target) target = &window;
    const QPointF local = target->mapFrom(&window, QPointF(at));
    QWheelEvent e(local, window.mapToGlobal(QPointF(at)), QPoint(), QPoint(0, -120), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &e);
}

// Move, press, release, double click, right click and wheel at one point of
// the window, through the window system's path (Qt finds the widget under it).
void Gestures(QWidget& window, QPoint at) {
    QWindow* handle = window.windowHandle();
    if (!handle || !window.isVisible() || !window.rect().contains(at)) return;
    QTest::mouseMove(handle, at);
    QTest::mouseClick(handle, Qt::LeftButton, {}, at);
    QTest::mouseDClick(handle, Qt::LeftButton, {}, at);
    QTest::mouseClick(handle, Qt::RightButton, {}, at);
    Wheel(window, at);
    QApplication::processEvents();
}

} // namespace

TEST_F(Windows, EveryWindowSurvivesRealMouseAndKeysAnywhere) {
    ui::Application app;
    WindowSet set(app);
    qtbackend::Session session(app, qtbackend::Mode::Unattended);
    auto* bridge = dynamic_cast<qtbackend::Bridge*>(app.GetBackend());
    ASSERT_NE(bridge, nullptr);
    const std::vector<ui::Form*> forms = app.Forms();
    ASSERT_FALSE(forms.empty());
    int tried = 0;
    for (ui::Form* form : forms) {
        const std::string name = form->ClassName();
        if (name.empty()) continue;
        SCOPED_TRACE(name);
        std::fprintf(stderr, "%s\n", name.c_str()); // names the window of a crash
        ++tried;
        Show(app, *form);
        qtbackend::FormWindow& w = bridge->Window(*form);
        ASSERT_TRUE(w.isVisible());

        // A coarse grid over the whole window, its edges and margins included.
        const int steps = 10;
        for (int i = 0; i <= steps; ++i)
            for (int j = 0; j <= steps; ++j) {
                if (!form->Visible()) Show(app, *form);
                Gestures(w, QPoint(std::min(w.width() - 1, w.width() * i / steps),
                                   std::min(w.height() - 1, w.height() * j / steps)));
            }

        // The centre of every control, and a few keys into every one that takes them.
        const std::vector<ui::Control*> controls = form->Controls();
        for (ui::Control* c : controls) {
            if (!form->Visible()) Show(app, *form);
            QWidget* peer = bridge->Widget(*c);
            if (!peer || !peer->isVisible()) continue;
            Gestures(w, peer->mapTo(&w, peer->rect().center()));
            if (!c->Focusable() || !c->IsShowing() || !c->Enabled() || !form->Visible()) continue;
            ui::detail::Dispatch(app, [&] { return ui::input::Focus(*c); });
            QApplication::processEvents();
            QPointer<QWidget> target = QApplication::focusWidget() ? QApplication::focusWidget() : peer;
            for (Qt::Key key : {Qt::Key_A, Qt::Key_1, Qt::Key_Left, Qt::Key_Down, Qt::Key_Backspace,
                                Qt::Key_Delete, Qt::Key_F2, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab}) {
                if (!form->Visible() || !target || !target->isVisible()) break;
                QTest::keyClick(target, key);
                QApplication::processEvents();
            }
        }
        ui::detail::Dispatch(app, [&] {
            form->Hide();
            return true;
        });
        QApplication::processEvents();
    }
    EXPECT_EQ(tried, int(forms.size()));
}
