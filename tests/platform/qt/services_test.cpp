#include "platform/qt/Backend.h"
#include "platform/qt/Print.h"
#include "platform/qt/Services.h"
#include "platform/ui/Application.h"
#include "tests/platform/qt/QtApp.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QTranslator>
#include <QTreeView>
#include <gtest/gtest.h>

using namespace qtbackend;

namespace {

enum class Act { Press, Escape, CloseBox };

// Answers the next modal message box: presses the button with that text, or
// Escape, or its close box. Records the texts of its buttons.
void AnswerNextBox(Act act, QString button, QStringList& buttons, QMessageBox::Icon& icon, QString& text) {
    QTimer::singleShot(0, [=, &buttons, &icon, &text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* b : box->buttons())
            buttons << b->text();
        icon = box->icon();
        text = box->text();
        switch (act) {
        case Act::Press:
            for (QAbstractButton* b : box->buttons())
                if (b->text() == button) b->click();
            break;
        case Act::Escape:
            QTest::keyClick(box, Qt::Key_Escape);
            break;
        case Act::CloseBox:
            box->close();
            break;
        }
    });
}

} // namespace

TEST(Services, MessageBoxReturnsThePressedButton) {
    QtApplication();
    PrintSetup print;
    QtServices services(print, false);
    const struct {
        ui::DialogType type;
        ui::Buttons buttons;
        Act act;
        const char* press;
        ui::Answer expected;
        QStringList texts;
        QMessageBox::Icon icon;
    } cases[] = {
        {ui::DialogType::Confirmation,
         ui::Buttons::YesNo,
         Act::Press,
         "Sì",
         ui::Answer::Yes,
         {"Sì", "No"},
         QMessageBox::Question},
        {ui::DialogType::Confirmation,
         ui::Buttons::YesNo,
         Act::Press,
         "No",
         ui::Answer::No,
         {"Sì", "No"},
         QMessageBox::Question},
        {ui::DialogType::Confirmation,
         ui::Buttons::YesNo,
         Act::Escape,
         "",
         ui::Answer::No,
         {"Sì", "No"},
         QMessageBox::Question},
        {ui::DialogType::Confirmation,
         ui::Buttons::YesNo,
         Act::CloseBox,
         "",
         ui::Answer::No,
         {"Sì", "No"},
         QMessageBox::Question},
        {ui::DialogType::Warning,
         ui::Buttons::OKCancel,
         Act::Press,
         "OK",
         ui::Answer::OK,
         {"OK", "Annulla"},
         QMessageBox::Warning},
        {ui::DialogType::Warning,
         ui::Buttons::OKCancel,
         Act::Escape,
         "",
         ui::Answer::Cancel,
         {"OK", "Annulla"},
         QMessageBox::Warning},
        {ui::DialogType::Error,
         ui::Buttons::OK,
         Act::Press,
         "OK",
         ui::Answer::OK,
         {"OK"},
         QMessageBox::Critical},
        {ui::DialogType::Information,
         ui::Buttons::OKCancel,
         Act::Press,
         "Annulla",
         ui::Answer::Cancel,
         {"OK", "Annulla"},
         QMessageBox::Information},
        {ui::DialogType::Plain,
         ui::Buttons::OK,
         Act::Escape,
         "",
         ui::Answer::OK,
         {"OK"},
         QMessageBox::NoIcon},
    };
    for (const auto& c : cases) {
        QStringList buttons;
        QMessageBox::Icon icon{};
        QString text;
        AnswerNextBox(c.act, QString::fromUtf8(c.press), buttons, icon, text);
        EXPECT_EQ(services.Message(c.type, "Attenzione:\n\rriga due", c.buttons), c.expected) << c.press;
        QStringList sortedExpected = c.texts, sortedSeen = buttons;
        sortedExpected.sort();
        sortedSeen.sort();
        EXPECT_EQ(sortedSeen, sortedExpected);
        EXPECT_EQ(icon, c.icon);
        EXPECT_EQ(text, QString("Attenzione:\nriga due")); // an LF CR pair is one line break
    }
}

TEST(Services, InputQueryGivesTheTypedValueOnlyWhenConfirmed) {
    QtApplication();
    PrintSetup print;
    QtServices services(print, false);
    for (bool confirm : {true, false}) {
        QTimer::singleShot(0, [confirm] {
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->textValue(), QString("1"));
            dialog->setTextValue("3");
            if (confirm)
                dialog->accept();
            else
                dialog->reject();
        });
        std::string value = "1";
        EXPECT_EQ(services.InputQuery("Stampa", "Numero di copie:", value), confirm);
        EXPECT_EQ(value, confirm ? "3" : "1");
    }
}

TEST(Services, UnattendedAnswersWithoutShowing) {
    QtApplication();
    PrintSetup print;
    QtServices services(print, true);
    EXPECT_EQ(services.Message(ui::DialogType::Confirmation, "?", ui::Buttons::YesNo), ui::Answer::No);
    EXPECT_EQ(services.Message(ui::DialogType::Warning, "!", ui::Buttons::OKCancel), ui::Answer::OK);
    std::string v = "x";
    EXPECT_FALSE(services.InputQuery("a", "b", v));
    EXPECT_FALSE(services.OpenFile({}).has_value());
    EXPECT_FALSE(services.PrintDialog(1).has_value());
}

TEST(Services, FileFiltersBecomeQtFilters) {
    EXPECT_EQ(FileFilter("Immagini JPEG|*.jpg;*.jpeg|Bitmap|*.bmp"),
              QString("Immagini JPEG (*.jpg *.jpeg);;Bitmap (*.bmp)"));
    EXPECT_EQ(FileFilter("Tutti i file|*.*"), QString("Tutti i file (*.*)"));
    EXPECT_EQ(FileFilter(""), QString());
}

TEST(Services, StandardDialogsSpeakItalianAndShowEachFilterOnce) {
    QtApplication();
    ui::Application app;
    qtbackend::Session session(app, qtbackend::Mode::Unattended); // loads Qt's Italian catalogues
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Open);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QString("Annulla"));

    QFileDialog dialog;
    ui::FileDialogRequest r;
    r.title = "Carica foto";
    r.filter = "Immagine JPEG (*.jpg; *.jpeg)|*.jpg;*.jpeg|Immagine Bitmap (*.bmp)|*.bmp";
    SetUpFileDialog(dialog, r, false);
    auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    ASSERT_NE(types, nullptr);
    QStringList shown;
    for (int i = 0; i < types->count(); ++i)
        shown << types->itemText(i);
    EXPECT_EQ(shown, QStringList({"Immagine JPEG (*.jpg; *.jpeg)", "Immagine Bitmap (*.bmp)"}));
    const std::pair<const char*, const char*> labels[] = {{"lookInLabel", "Cerca in:"},
                                                          {"fileNameLabel", "&Nome del file:"},
                                                          {"fileTypeLabel", "File di tipo:"}};
    for (const auto& [name, text] : labels) {
        auto* label = dialog.findChild<QLabel*>(name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), QString(text)) << name;
    }
    QPrinter printer;
    QPrintDialog print(&printer);
    QStringList buttons;
    for (QAbstractButton* b : print.findChildren<QAbstractButton*>())
        buttons << b->text();
    EXPECT_TRUE(buttons.contains("Annulla")) << buttons.join('|').toStdString();
    EXPECT_TRUE(buttons.contains("&Opzioni >>")) << buttons.join('|').toStdString();
}

namespace {

// Asked after every other catalogue, it records each text that none of them
// translates.
class Untranslated : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override {
        const QString key = QString::fromUtf8(context) + " | " + QString::fromUtf8(source);
        // Qt asks for its layout direction; no catalogue names it, which means left to right.
        if (key != "QGuiApplication | QT_LAYOUT_DIRECTION" && !seen.contains(key)) seen << key;
        return {};
    }
    bool isEmpty() const override { return false; }
    mutable QStringList seen;
};

// Every text a widget shows: captions, tab titles, list entries and tooltips.
QStringList TextsOf(const QWidget& top) {
    QStringList out;
    for (const QWidget* w : top.findChildren<QWidget*>()) {
        if (auto* l = qobject_cast<const QLabel*>(w)) out << l->text();
        if (auto* b = qobject_cast<const QAbstractButton*>(w)) out << b->text();
        if (auto* g = qobject_cast<const QGroupBox*>(w)) out << g->title();
        if (auto* t = qobject_cast<const QTabWidget*>(w))
            for (int i = 0; i < t->count(); ++i)
                out << t->tabText(i);
        if (auto* c = qobject_cast<const QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i)
                out << c->itemText(i);
        out << w->toolTip();
    }
    out.removeAll(QString());
    return out;
}

// The file list of a file dialog, once it has read its folder and the type
// of every entry (which Qt finds after the names).
QTreeView& FileList(QFileDialog& dialog, int rows) {
    auto* view = dialog.findChild<QTreeView*>("treeView");
    EXPECT_NE(view, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        const QModelIndex root = view->rootIndex();
        if (view->model()->rowCount(root) != rows) return false;
        for (int row = 0; row < rows; ++row)
            if (view->model()->index(row, 2, root).data().toString().isEmpty()) return false;
        return true;
    }));
    QTest::qWait(300); // the columns follow what the list shows
    return *view;
}

} // namespace

// Opening every standard dialog the program uses leaves no text untranslated,
// and the print dialog's page range says "Pagine", not "Pages".
TEST(Services, StandardDialogsLeaveNoTextInEnglish) {
    QtApplication();
    Untranslated untranslated;
    QCoreApplication::installTranslator(&untranslated); // before the catalogues: asked last
    {
        ui::Application app;
        qtbackend::Session session(app, qtbackend::Mode::Unattended);
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("Documenti");
        for (bool save : {false, true}) {
            QFileDialog dialog;
            ui::FileDialogRequest r;
            r.initialDir = dir.path().toStdString();
            SetUpFileDialog(dialog, r, save);
            dialog.show();
            const QTreeView& view = FileList(dialog, 1);
            EXPECT_EQ(view.model()->index(0, 2, view.rootIndex()).data().toString().toStdString(),
                      "Cartella");
        }
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        QPrintDialog print(&printer);
        print.show();
        const QStringList texts = TextsOf(print);
        EXPECT_FALSE(texts.contains("Pages")) << texts.join(" | ").toStdString();
        EXPECT_TRUE(texts.contains("Pagine")) << texts.join(" | ").toStdString();
        auto* properties = print.findChild<QPushButton*>("properties");
        ASSERT_NE(properties, nullptr);
        QTimer::singleShot(0, [] {
            if (QWidget* w = QApplication::activeModalWidget()) w->close();
        });
        properties->click();
        QMessageBox box(QMessageBox::Warning, "Avviso", "Testo", QMessageBox::Ok | QMessageBox::Cancel);
        box.show();
        QInputDialog query;
        query.show();
    }
    QCoreApplication::removeTranslator(&untranslated);
    EXPECT_TRUE(untranslated.seen.isEmpty()) << untranslated.seen.join("\n").toStdString();
}

// The open and save dialogs open large enough for every column of the file
// list to read whole, sizes and dates written in Italian.
TEST(Services, FileDialogColumnsReadWhole) {
    QtApplication();
    ui::Application app;
    qtbackend::Session session(app, qtbackend::Mode::Unattended);
    QTemporaryDir start, dir;
    QDir(start.path()).mkdir("Foto");
    QDir(dir.path()).mkdir("Documenti allegati");
    QFile file(dir.filePath("Scheda_Veicolo_12.jpg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(2500, 'x'));
    file.close();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ASSERT_TRUE(
        file.setFileTime(QDateTime(QDate(2024, 12, 3), QTime(10, 30)), QFileDevice::FileModificationTime));
    file.close();
    QFileDialog dialog;
    ui::FileDialogRequest r;
    r.title = "Carica foto";
    r.initialDir = start.path().toStdString();
    SetUpFileDialog(dialog, r, false);
    dialog.show();
    FileList(dialog, 1);
    // The user moves to another folder, where a file then comes with a
    // longer type: the columns follow.
    dialog.setDirectory(dir.path());
    FileList(dialog, 2);
    QFile text(dir.filePath("Note.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("Libretto di circolazione\n");
    text.close();
    QTreeView& view = FileList(dialog, 3);
    const QHeaderView& header = *view.header();
    int total = 0;
    for (int c = 0; c < header.count(); ++c) {
        if (header.isSectionHidden(c)) continue;
        total += header.sectionSize(c);
        const QString heading = view.model()->headerData(c, Qt::Horizontal).toString();
        EXPECT_GE(header.sectionSize(c), header.sectionSizeHint(c)) << "heading " << heading.toStdString();
        for (int row = 0; row < 3; ++row) {
            const QModelIndex cell = view.model()->index(row, c, view.rootIndex());
            EXPECT_GE(header.sectionSize(c), view.sizeHintForIndex(cell).width())
                << cell.data().toString().toStdString() << " under " << heading.toStdString();
        }
    }
    EXPECT_LE(total, view.viewport()->width()); // no scrolling sideways
    auto* places = dialog.findChild<QListView*>("sidebar");
    ASSERT_NE(places, nullptr);
    for (int row = 0; row < places->model()->rowCount(); ++row) {
        const QModelIndex place = places->model()->index(row, 0);
        EXPECT_LE(places->sizeHintForIndex(place).width(), places->viewport()->width())
            << place.data().toString().toStdString();
    }
    QModelIndex jpg;
    for (int row = 0; row < 3; ++row)
        if (view.model()->index(row, 0, view.rootIndex()).data().toString() == "Scheda_Veicolo_12.jpg")
            jpg = view.model()->index(row, 0, view.rootIndex());
    ASSERT_TRUE(jpg.isValid());
    const QString size = jpg.siblingAtColumn(1).data().toString(),
                  date = jpg.siblingAtColumn(3).data().toString();
    EXPECT_FALSE(size.contains("bytes")) << size.toStdString();
    EXPECT_TRUE(size.contains("2,")) << size.toStdString(); // about 2.4 KiB, Italian decimal comma
    EXPECT_TRUE(date.startsWith("03/12/")) << date.toStdString();
    EXPECT_TRUE(date.contains("10:30")) << date.toStdString();
    EXPECT_EQ(jpg.siblingAtColumn(2).data().toString().toStdString(), "Immagine JPEG");
}

// An opener that fails (no program for the file's type) is told once it has
// ended, on the user-interface thread, through the event loop.
TEST(QtServicesTest, AFailedOpenerIsToldThroughTheEventLoop) {
    QtApplication();
    ui::Application app;
    QTemporaryDir bin;
    ASSERT_TRUE(bin.isValid());
    QFile script(bin.filePath("xdg-open"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\necho \"$1\" > \"" + bin.filePath("aperto").toUtf8() + "\"\nexit 3\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray saved = qgetenv("PATH");
    qputenv("PATH", bin.path().toUtf8() + ":" + saved);
    PrintSetup print;
    QtServices services(print, false);
    const QThread* told = nullptr;
    services.ShellOpen("/dati/Foglio 1.xls", [&] { told = QThread::currentThread(); });
    qputenv("PATH", saved);
    EXPECT_EQ(told, nullptr); // not from inside the call: the opener runs on its own
    ASSERT_TRUE(QTest::qWaitFor([&] { return told != nullptr; }, 30000));
    EXPECT_EQ(told, qApp->thread());
    QFile aperto(bin.filePath("aperto"));
    ASSERT_TRUE(aperto.open(QIODevice::ReadOnly));
    EXPECT_EQ(aperto.readAll(), QByteArray("/dati/Foglio 1.xls\n"));
}
