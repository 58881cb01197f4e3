#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/image/Image.h"
#include "tests/support/Accounts.h"
#include "tests/support/Bounded.h"
#include "tests/support/Drawing.h"
#include "tests/vehicles/VehicleCard.h"
#include "vehicles/Zoom.h"

using vt::CardTest;

namespace {

// A 24-bit bitmap file of w x h pixels of one colour, written out by hand.
std::string BmpFile(int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const int row = (w * 3 + 3) / 4 * 4;
    const std::uint32_t size = 54 + std::uint32_t(row * h);
    std::string f(size, '\0');
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            f[at + std::size_t(i)] = char((v >> (8 * i)) & 0xFF);
    };
    f[0] = 'B';
    f[1] = 'M';
    put32(2, size);
    put32(10, 54);
    put32(14, 40);
    put32(18, std::uint32_t(w));
    put32(22, std::uint32_t(h));
    f[26] = 1;
    f[28] = 24;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::size_t at = 54 + std::size_t(y * row + x * 3);
            f[at] = char(b);
            f[at + 1] = char(g);
            f[at + 2] = char(r);
        }
    return f;
}

bool IsJpeg(const std::string& bytes) {
    return bytes.size() > 2 && bytes.substr(0, 2) == "\xFF\xD8";
}

class PhotoTest : public CardTest {
protected:
    std::string Photo(int n) const { return Path("Autoparco/Scheda_Veicolo_" + std::to_string(n) + ".jpg"); }
    std::string Fixture(const std::string& name, const std::string& bytes) const {
        const std::string p = Path(name);
        rtl::WriteWholeFile(p, bytes);
        return p;
    }
    void LoadPicture(const std::string& file) {
        h.ExpectOpenFile(file);
        h.Click(card.btnCaricaFoto);
        h.Verify();
    }
    bool ShowsPlaceholder() const { return card.imgFoto.Bitmap() == card.imgBianco.Bitmap(); }
    // "Salva" of a card whose photo cannot be stored: the card's message,
    // then the photo warning.
    void SaveWithoutPhoto(const std::string& expected) {
        h.ExpectMessage(ui::DialogType::Information, expected);
        h.ExpectMessage(ui::DialogType::Warning, kFotoNonSalvata);
        h.Click(card.cmdSalva);
        h.Verify();
    }
    static constexpr const char* kFotoNonSalvata =
        "Attenzione: non è stato possibile salvare la foto del veicolo.";
};

} // namespace

TEST_F(PhotoTest, BitmapIsStoredAsJpegAndFollowsTheRecordNumber) {
    LoadPicture(Fixture("foto.bmp", BmpFile(8, 4, 200, 30, 30)));
    const auto& request = h.FileDialogs().back();
    EXPECT_EQ(request.title, "Selezionare un file di immagine in formato Jpeg o Bitmap.");
    EXPECT_EQ(request.filter, "Immagine JPEG (*.jpg; *.jpeg)|*.jpg;*.jpeg|Immagine Bitmap (*.bmp)|*.bmp");
    EXPECT_EQ(card.imgFoto.Bitmap()->width, 8);
    EXPECT_FALSE(rtl::FileExists(Photo(1))); // only shown until the card is saved
    FillRequired();
    Save(vt::kInserita);
    ASSERT_TRUE(IsJpeg(rtl::ReadWholeFile(Photo(1))));
    EXPECT_EQ(img::LoadFile(Photo(1)).width, 8);

    // A second vehicle saved without a photo gets the placeholder.
    h.Click(card.cmdNuovo);
    FillRequired("Furgone");
    Save(vt::kInserita);
    EXPECT_EQ(img::LoadFile(Photo(2)).width, card.imgBianco.Bitmap()->width);

    // Browsing shows each vehicle's own photo; a picture loaded and not saved
    // is dropped by the next browse.
    LoadPicture(Fixture("altra.bmp", BmpFile(6, 6, 0, 0, 200)));
    h.Click(card.cmdPrimo);
    EXPECT_EQ(card.imgFoto.Bitmap()->width, 8);
    h.Click(card.cmdAvanti);
    EXPECT_EQ(card.imgFoto.Bitmap()->width, card.imgBianco.Bitmap()->width);
    EXPECT_EQ(img::LoadFile(Photo(2)).width, card.imgBianco.Bitmap()->width);
}

// The photo file is written again only when the picture changed, so a
// stored photo does not lose quality at every save of its card.
TEST_F(PhotoTest, UnchangedPhotoIsNotRewritten) {
    AddRecord("Auto");
    rtl::CreateFolders(Path("Autoparco"));
    const std::string original = img::EncodeJpeg(ts::Filled(20, 10, 0xFF336699), 40);
    rtl::WriteWholeFile(Photo(1), original);
    h.Click(card.cmdPrimo);
    EXPECT_EQ(card.imgFoto.Bitmap()->width, 20);
    Save(vt::kModificata);
    Save(vt::kModificata);
    EXPECT_EQ(rtl::ReadWholeFile(Photo(1)), original);

    // Cleared and saved: the placeholder replaces it.
    h.Click(card.btnCancFoto);
    EXPECT_TRUE(ShowsPlaceholder());
    EXPECT_EQ(rtl::ReadWholeFile(Photo(1)), original); // not before the save
    Save(vt::kModificata);
    EXPECT_EQ(img::LoadFile(Photo(1)).width, card.imgBianco.Bitmap()->width);
}

TEST_F(PhotoTest, MissingOrUnreadablePhotoShowsThePlaceholder) {
    AddRecord("Uno");
    AddRecord("Due");
    // Record 1 has no photo file: the placeholder, which the save stores.
    h.Click(card.cmdPrimo);
    EXPECT_TRUE(ShowsPlaceholder());
    EXPECT_TRUE(rtl::FolderExists(Path("Autoparco")));
    Save(vt::kModificata);
    EXPECT_TRUE(IsJpeg(rtl::ReadWholeFile(Photo(1))));

    // Record 2 has a photo file that cannot be read: it is shown as the
    // placeholder, and a save of the card never overwrites it.
    rtl::WriteWholeFile(Photo(2), "not a picture");
    h.Click(card.cmdUltimo);
    EXPECT_TRUE(ShowsPlaceholder());
    Save(vt::kModificata);
    EXPECT_EQ(rtl::ReadWholeFile(Photo(2)), "not a picture");

    // A chosen file that is no picture shows the placeholder and leaves the
    // stored photo alone as well.
    LoadPicture(Fixture("rotta.jpg", "\xFF\xD8 broken"));
    EXPECT_TRUE(ShowsPlaceholder());
    Save(vt::kModificata);
    EXPECT_EQ(rtl::ReadWholeFile(Photo(2)), "not a picture");

    // Cancelling the open dialog changes nothing.
    card.imgFoto.SetBitmap(std::make_shared<const img::Bitmap>(ts::Filled(5, 5, 0xFF00FF00)));
    const ui::BitmapPtr shown = card.imgFoto.Bitmap();
    h.ExpectOpenFile(std::nullopt);
    h.Click(card.btnCaricaFoto);
    EXPECT_EQ(card.imgFoto.Bitmap(), shown);
}

// A photo that cannot be written where it belongs (a folder, a FIFO or a
// link to nothing in its place) is said after the card's message; the record
// is saved, the card keeps showing the photo chosen, whatever was in the
// photo's place stays, and the next save once the place is free stores it.
TEST_F(PhotoTest, APhotoThatCannotBeStoredIsSaidAndTheCardKeepsIt) {
    rtl::CreateFolders(Path("Autoparco"));
    const struct {
        const char* what;
        std::function<void(const std::string&)> block;
    } places[] = {
        {"folder", [](const std::string& p) { std::filesystem::create_directory(p); }},
        {"fifo", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }},
        {"link to nothing",
         [&](const std::string& p) { std::filesystem::create_symlink(Path("altrove.jpg"), p); }},
    };
    ts::Bounded([&] { // a FIFO must never be waited on
        int numero = 0;
        for (const auto& place : places) {
            SCOPED_TRACE(place.what);
            ++numero;
            place.block(Photo(numero));
            h.Click(card.cmdNuovo);
            LoadPicture(Fixture("foto.bmp", BmpFile(8, 4, 200, 30, 30)));
            FillRequired("Tipo " + std::to_string(numero));
            SaveWithoutPhoto(vt::kInserita);
            SaveWithoutPhoto(vt::kModificata);
            EXPECT_EQ(card.lblPosizione.Text(), std::to_string(numero));
            EXPECT_EQ(card.imgFoto.Bitmap()->width, 8);
            EXPECT_FALSE(std::filesystem::is_regular_file(Photo(numero)));
            EXPECT_FALSE(std::filesystem::exists(Path("altrove.jpg")));

            std::filesystem::remove(Photo(numero));
            Save(vt::kModificata);
            EXPECT_EQ(img::LoadFile(Photo(numero)).width, 8);
        }
    });
}

// On a full file system the photo is not stored, and said so; the record,
// stored elsewhere, is saved. The photo folder is a small file system filled
// up; where the machine refuses a mount, every write past 8 KiB fails as on a
// full disk (the record is smaller, the photo larger).
TEST_F(PhotoTest, APhotoOnAFullDiskIsSaid) {
    const bool montato = ts::MountRefused().empty();
    img::Bitmap rumore{200, 200, std::vector<std::uint8_t>(200 * 200 * 4)};
    std::uint32_t x = 12345;
    for (std::uint8_t& b : rumore.rgba)
        b = std::uint8_t((x = x * 1103515245u + 12345u) >> 24);
    ts::Bounded([&] {
        if (montato) {
            ASSERT_TRUE(ts::PrivateMounts());
            ASSERT_TRUE(ts::MountSmall(Path("Autoparco"), 64 * 1024));
            const int fd = ::open(Path("Autoparco/pieno").c_str(), O_WRONLY | O_CREAT, 0600);
            const std::string block(4096, 'x');
            while (::write(fd, block.data(), block.size()) > 0) {
            }
            ::close(fd);
        } else {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit piccolo{8 * 1024, 8 * 1024};
            ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &piccolo), 0);
        }
        card.imgFoto.SetBitmap(std::make_shared<const img::Bitmap>(rumore));
        FillRequired();
        SaveWithoutPhoto(vt::kInserita);
        EXPECT_EQ(card.imgFoto.Bitmap()->width, 200);
        EXPECT_FALSE(std::filesystem::exists(Photo(1)));
        EXPECT_EQ(rtl::ListFiles(Path("Autoparco")),
                  montato ? std::vector<std::string>{"pieno"} : std::vector<std::string>{});
        EXPECT_EQ(Archive().size(), vehicles::TAutomezzoRec.size);
    });
}

TEST_F(PhotoTest, CopyOfThePhoto) {
    LoadPicture(Fixture("foto.bmp", BmpFile(10, 5, 10, 200, 10)));
    const ui::BitmapPtr shown = card.imgFoto.Bitmap();

    // A name typed without an extension still gives a JPEG file.
    h.ExpectSaveFile(Path("copia"));
    h.Click(card.btnSalvaFoto);
    const auto& request = h.FileDialogs().back();
    EXPECT_EQ(request.title, "Selezionare la cartella in cui si desidera salvare il file Jpeg.");
    EXPECT_EQ(request.filter, "File Jpeg (*.jpg)|*.jpg");
    EXPECT_EQ(request.fileName, "Foto.jpg");
    EXPECT_TRUE(IsJpeg(rtl::ReadWholeFile(Path("copia.jpg"))));
    EXPECT_EQ(img::LoadFile(Path("copia.jpg")).width, 10);

    // A copy that cannot be written leaves the shown photo as it was.
    h.ExpectSaveFile(Path("manca/cartella/Foto.jpg"));
    h.Click(card.btnSalvaFoto);
    EXPECT_EQ(card.imgFoto.Bitmap(), shown);
    EXPECT_FALSE(rtl::FileExists(Path("manca/cartella/Foto.jpg")));

    h.ExpectSaveFile(std::nullopt);
    h.Click(card.btnSalvaFoto);
    EXPECT_EQ(card.imgFoto.Bitmap(), shown);
}

TEST_F(PhotoTest, ZoomShowsThePictureOfTheCard) {
    LoadPicture(Fixture("foto.bmp", BmpFile(12, 6, 90, 90, 90)));
    img::Bitmap zoomed;
    h.OnModal<TfrmZoom>([&](TfrmZoom& z) { zoomed = *z.imgFoto.Bitmap(); });
    h.Click(card.btnZoomFoto);
    EXPECT_EQ(zoomed, *card.imgFoto.Bitmap());
    EXPECT_EQ(zoomed.width, 12);
}
