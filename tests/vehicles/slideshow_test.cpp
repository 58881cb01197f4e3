// The slide show under advanced time, and the photo zoom.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/Archive.h"
#include "common/Records.h"
#include "platform/image/Image.h"
#include "platform/rtl/Files.h"
#include "tests/support/Drawing.h"
#include "tests/support/Harness.h"
#include "vehicles/Slideshow_Automezzi.h"
#include "vehicles/Zoom.h"

namespace {

void ScriviVeicoli(int quanti) {
    common::Record r(common::TAutomezzoRec);
    for (int i = 0; i < quanti; ++i) {
        r.Set("Targa", "AA00" + std::to_string(i) + "AA");
        common::Archivio(rtl::DataPath("Parco_Automezzi.pro"), common::TAutomezzoRec).Scrivi("", r);
    }
}

void ScriviFoto(int numero, int larghezza, int altezza) {
    rtl::CreateFolders(rtl::DataPath("Autoparco"));
    img::SaveJpeg(ts::Filled(larghezza, altezza, 0xFF3366CC),
                  rtl::DataPath("Autoparco/Scheda_Veicolo_" + std::to_string(numero) + ".jpg"));
}

// Width of the picture shown, 0 for the placeholder.
int Mostrata(TfrmSlideshow_Automezzi& w) {
    if (w.imgFoto.Bitmap() == w.imgBianco.Bitmap()) return 0;
    return w.imgFoto.Bitmap() ? w.imgFoto.Bitmap()->width : -1;
}

TEST(SlideShow, ShowsEveryPhotoInRecordOrderAndStartsAgain) {
    ts::Harness h;
    ScriviVeicoli(3);
    ScriviFoto(1, 40, 20);
    ScriviFoto(3, 30, 30); // record 2 has no photo
    TfrmSlideshow_Automezzi w(h.app);
    w.Show();
    EXPECT_TRUE(w.Timer.Enabled());
    ASSERT_NE(w.imgBianco.Bitmap(), nullptr);
    EXPECT_EQ(Mostrata(w), 0);

    struct Passo {
        std::string posizione;
        int foto;
    };
    const Passo attesi[] = {{"1", 40}, {"2", 0}, {"3", 30}, {"0", 30}, {"1", 40}, {"2", 0}};
    for (const Passo& p : attesi) {
        h.Advance(6000);
        EXPECT_EQ(w.lblPosizione.Text(), p.posizione);
        EXPECT_EQ(Mostrata(w), p.foto) << p.posizione;
    }
    h.Click(w.imgFoto);
    EXPECT_FALSE(w.Visible());
    h.Advance(6000);
    EXPECT_EQ(w.lblPosizione.Text(), "2");
}

TEST(SlideShow, MissingPhotoFolderIsCreated) {
    ts::Harness h;
    ScriviVeicoli(1);
    TfrmSlideshow_Automezzi w(h.app);
    w.Show();
    h.Advance(6000);
    EXPECT_EQ(Mostrata(w), 0);
    EXPECT_TRUE(rtl::FolderExists(h.DataFolder() + "Autoparco"));
}

TEST(SlideShow, EmptyArchiveEndsTheShow) {
    ts::Harness h;
    TfrmSlideshow_Automezzi w(h.app);
    w.Show();
    h.Advance(5999);
    EXPECT_TRUE(w.Visible());
    h.ExpectMessage(ui::DialogType::Information, "L'archivio non contiene nessuna scheda.");
    h.Advance(1);
    EXPECT_FALSE(w.Visible());
    EXPECT_FALSE(w.Timer.Enabled());
    EXPECT_EQ(w.lblPosizione.Text(), "");
    EXPECT_TRUE(rtl::FileExists(h.DataFolder() + "Parco_Automezzi.pro"));
}

// Records whether the show's timer runs while each message is open.
struct HarnessConTimer : ts::Harness {
    ui::Timer* timer = nullptr;
    std::vector<bool> attivoDuranteMessaggio;
    ui::Answer Message(ui::DialogType type, const std::string& text, ui::Buttons buttons) override {
        if (timer) attivoDuranteMessaggio.push_back(timer->Enabled());
        return ts::Harness::Message(type, text, buttons);
    }
};

TEST(SlideShow, AccessFailureIsReportedWithTheShowPaused) {
    HarnessConTimer h;
    rtl::CreateFolders(h.DataFolder() + "Parco_Automezzi.pro"); // cannot be opened as an archive
    TfrmSlideshow_Automezzi w(h.app);
    h.timer = &w.Timer;
    w.Show();
    h.ExpectMessage(ui::DialogType::Error, std::string(common::kMsgAccessoArchivio));
    h.Advance(6000);
    h.ExpectMessage(ui::DialogType::Error, std::string(common::kMsgAccessoArchivio));
    h.Advance(6000);
    EXPECT_EQ(h.attivoDuranteMessaggio, (std::vector<bool>{false, false}));
    EXPECT_TRUE(w.Timer.Enabled());
    EXPECT_TRUE(w.Visible());
}

TEST(PhotoZoom, ShowsThePictureItIsGivenAndClosesOnAClick) {
    ts::Harness h;
    h.app.SetScreenSize(1280, 800);
    TfrmZoom w(h.app);
    auto foto = std::make_shared<const img::Bitmap>(ts::Filled(50, 25, 0xFF00FF00));
    w.imgFoto.SetBitmap(foto);
    w.Show();
    EXPECT_EQ(w.imgFoto.Bitmap(), foto);
    EXPECT_EQ(w.imgFoto.Width(), h.app.ScreenWidth() - 60);
    EXPECT_EQ(w.imgFoto.Height(), h.app.ScreenHeight() - 90);
    h.Click(w.imgFoto);
    EXPECT_FALSE(w.Visible());
    w.Show();
    h.Click(w.panContainer);
    EXPECT_FALSE(w.Visible());
}

} // namespace
