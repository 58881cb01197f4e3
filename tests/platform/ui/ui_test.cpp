#include <gtest/gtest.h>

#include "platform/ui/Ui.h"
#include "tests/support/Harness.h"

TEST(UiSmoke, FormShowsAndCloses) {
    ts::Harness h;
    ui::Form f(h.app);
    EXPECT_EQ(h.app.MainForm(), &f);
}
