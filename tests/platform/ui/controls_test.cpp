// The reading of layout lines shared by the parser and the build, and the
// control structs that the build generates from layouts (tools/controls),
// here from the small layouts of tests/platform/ui/controls.
#include <gtest/gtest.h>

#include <cxxabi.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <type_traits>

#include <unistd.h>

#include "AllKinds.controls.h"
#include "Shared.controls.h"
#include "SharedA.controls.h"
#include "platform/ui/Layout.h"
#include "platform/ui/LayoutSyntax.h"
#include "tests/support/Harness.h"

namespace {

std::string ReadFixture(const std::string& name) {
    std::ifstream in(std::string(CONTROLS_FIXTURES) + "/" + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Demangled(const std::type_info& t) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(t.name(), nullptr, nullptr, &status),
                                                std::free);
    return status == 0 ? name.get() : t.name();
}

// The class that the generated structs name for a kind is the class the
// parser creates for it, for every kind.
TEST(LayoutSyntax, EveryKindNamesTheClassTheParserCreates) {
    ts::Harness h;
    for (const char* kind : {"label", "edit", "button", "picture", "rectangle", "panel", "groupbox", "layout",
                             "listbox", "combo", "checkbox", "calendar", "memo", "grid", "timer", "chart"}) {
        SCOPED_TRACE(kind);
        ui::Form f(h.app);
        ui::LoadLayout(f, std::string("form TfrmProva\n") + kind + " ctlProva bounds=0,0,10,10\n");
        ui::Control* c = f.FindControl("ctlProva");
        ASSERT_NE(c, nullptr);
        std::string_view className = ui::ControlClassOf(kind);
        ASSERT_FALSE(className.empty());
        EXPECT_EQ(Demangled(typeid(*c)), "ui::" + std::string(className));
    }
    for (const char* word : {"form", "item", "column", "slider", ""})
        EXPECT_TRUE(ui::ControlClassOf(word).empty()) << word;
}

TEST(LayoutSyntax, ListsTheControlsInOrderWithoutItemsColumnsAndComments) {
    auto controls = ui::LayoutControls(ReadFixture("AllKinds.layout"), "AllKinds.layout");
    std::vector<std::string> names;
    for (auto& c : controls)
        names.push_back(c.name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"panContainer", "grpDati", "layPulsanti", "lblTitolo", "txtTarga",
                                        "btnOK", "imgLogo", "effTarga", "lstRecords", "txtProv", "chkFerie",
                                        "calData", "txtNote", "grdRecords", "tmrSlide", "chtTransiti"}));
    // A continuation line belongs to the control above it.
    EXPECT_EQ(controls[1].kind, "groupbox");
    EXPECT_EQ(controls[1].className, "Panel");
    EXPECT_EQ(controls[1].line, 4);
    EXPECT_EQ(controls[3].line, 7);
}

TEST(LayoutSyntax, MalformedControlLinesFailNamingSourceAndLine) {
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"form T\nlabel lblA\nslider sldB\n", "prova:3: unknown kind: slider"},
        {"form T\nlabel lblA\n\nedit lblA\n", "prova:4: duplicate control name: lblA"},
        {"form T\nlabel\n", "prova:2: label without a name"},
        {"form T\nlabel text=\"x\"\n", "prova:2: label without a name"},
        {"form T\nkind=label lblA\n", "prova:2: a line starts with its kind"},
        {"form T\nlabel lblA text=\"open\n", "prova:2: unterminated quoted text"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            ui::LayoutControls(c.text, "prova");
            ADD_FAILURE() << "no error";
        } catch (const ui::LayoutError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
}

// One member per control, typed by its kind, bound to the control of the
// form that loaded the layout.
TEST(GeneratedControls, OneMemberPerControlTypedByItsKind) {
    static_assert(std::is_same_v<decltype(controls::AllKinds::panContainer), ui::Panel&>);
    static_assert(std::is_same_v<decltype(controls::AllKinds::grpDati), ui::Panel&>);
    static_assert(std::is_same_v<decltype(controls::AllKinds::layPulsanti), ui::Panel&>);
    static_assert(std::is_same_v<decltype(controls::AllKinds::lblTitolo), ui::Label&>);
    static_assert(std::is_same_v<decltype(controls::AllKinds::txtTarga), ui::Edit&>);
    static_assert(std::is_same_v<decltype(controls::AllKinds::btnOK), ui::Button&>);
    static_assert(std::is_same_v<decltype(controls::AllKinds::imgLogo), ui::Picture&>);
    static_assert(std::is_same_v<decltype(controls::AllKinds::effTarga), ui::Rectangle&>);
    static_assert(std::is_same_v<decltype(controls::AllKinds::lstRecords), ui::ListBox&>);
    static_assert(std::is_same_v<decltype(controls::AllKinds::txtProv), ui::ComboEdit&>);
    static_assert(std::is_same_v<decltype(controls::AllKinds::chkFerie), ui::CheckBox&>);
    static_assert(std::is_same_v<decltype(controls::AllKinds::calData), ui::Calendar&>);
    static_assert(std::is_same_v<decltype(controls::AllKinds::txtNote), ui::Memo&>);
    static_assert(std::is_same_v<decltype(controls::AllKinds::grdRecords), ui::StringGrid&>);
    static_assert(std::is_same_v<decltype(controls::AllKinds::tmrSlide), ui::Timer&>);
    static_assert(std::is_same_v<decltype(controls::AllKinds::chtTransiti), ui::ChartView&>);
    // Taken from the window, never copied from another struct.
    static_assert(!std::is_copy_constructible_v<controls::AllKinds>);

    ts::Harness h;
    ui::Form f(h.app);
    ui::LoadLayout(f, ReadFixture("AllKinds.layout"), "AllKinds.layout");
    controls::AllKinds c(&f);
    EXPECT_EQ(&c.panContainer, f.FindControl("panContainer"));
    EXPECT_EQ(&c.grpDati, f.FindControl("grpDati"));
    EXPECT_EQ(&c.txtTarga, f.FindControl("txtTarga"));
    EXPECT_EQ(&c.txtProv, f.FindControl("txtProv"));
    EXPECT_EQ(&c.txtNote, f.FindControl("txtNote"));
    EXPECT_EQ(&c.chtTransiti, f.FindControl("chtTransiti"));
    EXPECT_EQ(c.lblTitolo.Text(), "Titolo");
}

// Built over a form whose layout lacks a control, the struct fails as Get
// does, naming the window and the control.
TEST(GeneratedControls, AFormWithoutTheControlFailsNamingIt) {
    ts::Harness h;
    ui::Form f(h.app);
    ui::LoadLayout(f, "form TfrmAltra\nlabel lblComune bounds=0,0,1,1\nlabel btnChiudi bounds=0,0,1,1\n");
    try {
        controls::Shared c(&f);
        ADD_FAILURE() << "no error";
    } catch (const ui::LayoutError& e) {
        EXPECT_NE(std::string(e.what()).find("TfrmAltra"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("btnChiudi"), std::string::npos) << e.what();
    }
}

template <class T>
concept HasLblComune = requires(T& t) {
    t.lblComune;
};
template <class T>
concept HasBtnChiudi = requires(T& t) {
    t.btnChiudi;
};
template <class T>
concept HasLblSoloA = requires(T& t) {
    t.lblSoloA;
};
template <class T>
concept HasImgStato = requires(T& t) {
    t.imgStato;
};

// A shared design holds what all its layouts declare with the same name and
// kind; each window's own struct holds only the rest, so a window deriving
// from both has each control once.
TEST(GeneratedControls, SharedDesignHoldsTheCommonControlsAndEachWindowTheRest) {
    static_assert(HasLblComune<controls::Shared> && HasBtnChiudi<controls::Shared>);
    static_assert(!HasLblSoloA<controls::Shared>);
    static_assert(!HasImgStato<controls::Shared>); // a picture in one, a label in the other
    static_assert(!HasLblComune<controls::SharedA> && !HasBtnChiudi<controls::SharedA>);
    static_assert(HasLblSoloA<controls::SharedA> && HasImgStato<controls::SharedA>);
    static_assert(std::is_same_v<decltype(controls::SharedA::imgStato), ui::Picture&>);

    struct WindowA : ui::Form, controls::Shared, controls::SharedA {
        explicit WindowA(ui::Application& app, std::string_view text)
            : ui::Form(app), controls::Shared((ui::LoadLayout(*this, text), this)), controls::SharedA(this) {}
    };
    ts::Harness h;
    WindowA w(h.app, ReadFixture("SharedA.layout"));
    EXPECT_EQ(&w.lblComune, w.FindControl("lblComune"));
    EXPECT_EQ(&w.lblSoloA, w.FindControl("lblSoloA"));
    EXPECT_EQ(&w.imgStato, w.FindControl("imgStato"));
}

// The generator fails the build on a malformed layout, naming file and line,
// and writes no header.
TEST(GeneratedControls, GeneratorRejectsAMalformedLayout) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("layout_controls_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    fs::path header = dir / "Broken.controls.h";
    fs::path err = dir / "err.txt";
    std::string fixture = std::string(CONTROLS_FIXTURES) + "/Broken.layout";
    std::string cmd = std::string("\"") + LAYOUT_CONTROLS + "\" \"" + header.string() + "\" Broken \"" +
                      fixture + "\" 2>\"" + err.string() + "\"";
    int rc = std::system(cmd.c_str());
    EXPECT_NE(rc, 0);
    EXPECT_FALSE(fs::exists(header));
    std::ifstream in(err);
    std::string message((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(message.find("Broken.layout:3: unknown kind: slider"), std::string::npos) << message;

    // A good layout gives a header that names it.
    std::string ok = std::string("\"") + LAYOUT_CONTROLS + "\" \"" + header.string() + "\" Good \"" +
                     CONTROLS_FIXTURES + "/SharedB.layout\"";
    EXPECT_EQ(std::system(ok.c_str()), 0);
    std::ifstream gen(header);
    std::string text((std::istreambuf_iterator<char>(gen)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("ui::Label& imgStato;"), std::string::npos) << text;
    EXPECT_NE(text.find("struct Good {"), std::string::npos) << text;
    fs::remove_all(dir);
}

} // namespace
