#include "platform/qt/Backend.h"
#include "platform/qt/Print.h"
#include "platform/qt/Services.h"
#include "platform/ui/Application.h"
#include "tests/platform/qt/QtApp.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace qtbackend;

namespace {

enum class Act { Press, Escape, CloseBox };

// Answers the next modal message box: presses the button with that text, or
// Escape, or its close box. Records the texts of its buttons.
void answerNextBox(Act act, QString button, QStringList& buttons, QMessageBox::Icon& icon, QString& text) {
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
    qtApp();
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
        answerNextBox(c.act, QString::fromUtf8(c.press), buttons, icon, text);
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
    qtApp();
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
    qtApp();
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
    EXPECT_EQ(fileFilter("Immagini JPEG|*.jpg;*.jpeg|Bitmap|*.bmp"),
              QString("Immagini JPEG (*.jpg *.jpeg);;Bitmap (*.bmp)"));
    EXPECT_EQ(fileFilter("Tutti i file|*.*"), QString("Tutti i file (*.*)"));
    EXPECT_EQ(fileFilter(""), QString());
}

TEST(Services, StandardDialogsSpeakItalianAndShowEachFilterOnce) {
    qtApp();
    ui::Application app;
    qtbackend::Session session(app, qtbackend::Mode::Unattended); // loads Qt's Italian catalogues
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Open);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QString("Annulla"));

    QFileDialog dialog;
    ui::FileDialogRequest r;
    r.title = "Carica foto";
    r.filter = "Immagine JPEG (*.jpg; *.jpeg)|*.jpg;*.jpeg|Immagine Bitmap (*.bmp)|*.bmp";
    setUpFileDialog(dialog, r, false);
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
