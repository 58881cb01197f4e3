#pragma once
// One Qt application object for the whole test program (offscreen platform),
// and a fixture that shows one form of a layout through a Qt session.
#include "platform/qt/Backend.h"
#include "platform/qt/Bridge.h"
#include "platform/ui/Ui.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <memory>

QApplication& QtApplication();

namespace ts {

struct QtForm : ::testing::Test {
    ui::Application app;
    ui::Form form{app};
    std::unique_ptr<qtbackend::Session> session;
    qtbackend::Bridge* bridge = nullptr;

    // Loads the layout into the form and starts the Qt session over it.
    void Load(const char* layout, const char* what) {
        QtApplication();
        ui::LoadLayout(form, layout, what);
        session = std::make_unique<qtbackend::Session>(app);
        bridge = dynamic_cast<qtbackend::Bridge*>(app.GetBackend());
        ASSERT_NE(bridge, nullptr);
    }
    // Shows the form as the active window, painted.
    void ShowActive() {
        form.Show();
        QApplication::setActiveWindow(&bridge->Window(form));
        QApplication::processEvents();
    }
    void TearDown() override { session.reset(); }

    template <class W> W* Peer(const char* name) {
        auto* w = dynamic_cast<W*>(bridge->Widget(*form.FindControl(name)));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    template <class C> C& Ctl(const char* name) { return form.Get<C>(name); }
};

} // namespace ts
