#include "platform/qt/Services.h"

#include "platform/qt/Print.h"
#include "platform/ui/Application.h"
#include "platform/ui/Internal.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QInputDialog>
#include <QListView>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <mutex>

namespace qtbackend {

QString DialogText(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

QString FileFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        out << parts[i].trimmed() + QStringLiteral(" (") + patterns.trimmed() + QLatin1Char(')');
    }
    return out.join(QStringLiteral(";;"));
}

QWidget* DialogParent() {
    if (QWidget* w = QApplication::activeModalWidget()) return w;
    return QApplication::activeWindow();
}

ui::Answer QtServices::Message(ui::DialogType type, const std::string& text, ui::Buttons buttons) {
    if (unattended_) return buttons == ui::Buttons::YesNo ? ui::Answer::No : ui::Answer::OK;
    QMessageBox box(DialogParent());
    box.setTextFormat(Qt::PlainText);
    box.setText(DialogText(text));
    switch (type) {
    case ui::DialogType::Plain:
        box.setWindowTitle(QStringLiteral("Dorneval"));
        box.setIcon(QMessageBox::NoIcon);
        break;
    case ui::DialogType::Warning:
        box.setWindowTitle(QStringLiteral("Avviso"));
        box.setIcon(QMessageBox::Warning);
        break;
    case ui::DialogType::Error:
        box.setWindowTitle(QStringLiteral("Errore"));
        box.setIcon(QMessageBox::Critical);
        break;
    case ui::DialogType::Information:
        box.setWindowTitle(QStringLiteral("Informazione"));
        box.setIcon(QMessageBox::Information);
        break;
    case ui::DialogType::Confirmation:
        box.setWindowTitle(QStringLiteral("Conferma"));
        box.setIcon(QMessageBox::Question);
        break;
    }
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    switch (buttons) {
    case ui::Buttons::OK:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setEscapeButton(ok);
        break;
    case ui::Buttons::OKCancel:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        cancel = box.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole);
        box.setEscapeButton(cancel);
        break;
    case ui::Buttons::YesNo:
        yes = box.addButton(QStringLiteral("Sì"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
        // Escape and the close box answer No: only an explicit Yes confirms.
        box.setEscapeButton(no);
        break;
    }
    box.setDefaultButton(ok ? ok : yes);
    box.exec();
    QAbstractButton* pressed = box.clickedButton();
    if (pressed && pressed == ok) return ui::Answer::OK;
    if (pressed && pressed == yes) return ui::Answer::Yes;
    if (buttons == ui::Buttons::YesNo) return ui::Answer::No;
    if (buttons == ui::Buttons::OKCancel) return ui::Answer::Cancel;
    return ui::Answer::OK;
}

bool QtServices::InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
    if (unattended_) return false;
    QInputDialog dialog(DialogParent());
    dialog.setWindowTitle(QString::fromStdString(caption));
    dialog.setLabelText(DialogText(prompt));
    dialog.setTextValue(QString::fromStdString(value));
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Annulla"));
    if (dialog.exec() != QDialog::Accepted) return false;
    value = dialog.textValue().toStdString();
    return true;
}

namespace {

// Qt's file list writes sizes and dates in the system's locale, which is not
// Italian on every machine: they are written again in the program's Italian.
class ItalianFileList : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (files && role == Qt::DisplayRole && index.isValid()) {
            const QModelIndex source = mapToSource(index);
            if (index.column() == kSizeColumn && !files->isDir(source))
                return QLocale().formattedDataSize(files->size(source));
            if (index.column() == kDateColumn)
                return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
        }
        return QIdentityProxyModel::data(index, role);
    }

private:
    static constexpr int kSizeColumn = 1, kDateColumn = 3;
};

// Size, type and date as wide as their contents and headings; the name takes
// the width that is left, as long as that holds a name of some length.
void FitFileColumns(QTreeView& view) {
    QHeaderView* header = view.header();
    int others = 0;
    for (int c = 1; c < header->count(); ++c) {
        if (header->isSectionHidden(c)) continue;
        view.resizeColumnToContents(c);
        others += header->sectionSize(c);
    }
    const int shortest = view.fontMetrics().averageCharWidth() * 20;
    header->resizeSection(0, std::max(shortest, view.viewport()->width() - others));
}

// The list of places at the left as wide as its widest entry ("Computer").
void FitPlaces(QFileDialog& dialog) {
    auto* splitter = dialog.findChild<QSplitter*>(QStringLiteral("splitter"));
    auto* places = dialog.findChild<QListView*>(QStringLiteral("sidebar"));
    if (!splitter || !places || splitter->count() != 2) return;
    const int wanted = places->sizeHintForColumn(0) + 2 * places->frameWidth() +
                       places->verticalScrollBar()->sizeHint().width();
    QList<int> sizes = splitter->sizes();
    const int total = sizes[0] + sizes[1];
    if (sizes[0] >= wanted || total <= wanted) return;
    splitter->setSizes({wanted, total - wanted});
}

} // namespace

void SetUpFileDialog(QFileDialog& dialog, const ui::FileDialogRequest& r, bool save) {
    dialog.setWindowTitle(QString::fromStdString(r.title));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    auto* list = new ItalianFileList(&dialog);
    dialog.setProxyModel(list);
    // Large enough for the columns of the detail view to read whole.
    const QScreen* screen = dialog.screen() ? dialog.screen() : QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableGeometry().size() * 0.9 : QSize(1000, 640);
    dialog.resize(std::min(1000, room.width()), std::min(640, room.height()));
    if (auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        // Qt reads a folder's names first and the types and sizes after them:
        // the columns follow the list shortly after each change.
        auto* refit = new QTimer(view);
        refit->setSingleShot(true);
        refit->setInterval(50);
        QObject::connect(refit, &QTimer::timeout, view, [view] { FitFileColumns(*view); });
        auto later = [refit] { refit->start(); };
        QObject::connect(list, &QAbstractItemModel::rowsInserted, refit, later);
        QObject::connect(list, &QAbstractItemModel::dataChanged, refit, later);
        QObject::connect(list, &QAbstractItemModel::layoutChanged, refit, later);
        QObject::connect(list, &QAbstractItemModel::modelReset, refit, later);
        if (auto* files = qobject_cast<QFileSystemModel*>(list->sourceModel()))
            QObject::connect(files, &QFileSystemModel::directoryLoaded, refit, later);
        QTimer::singleShot(0, view, [view, &dialog] { // once the dialog is shown
            FitPlaces(dialog);
            FitFileColumns(*view);
        });
    }
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QString filter = FileFilter(r.filter);
    if (!filter.isEmpty()) {
        const QStringList filters = filter.split(QStringLiteral(";;"));
        // The program's descriptions name their patterns themselves
        // ("Immagine JPEG (*.jpg; *.jpeg)"): Qt's own copy is not shown.
        dialog.setOption(QFileDialog::HideNameFilterDetails, true);
        dialog.setNameFilters(filters);
        if (r.filterIndex >= 1 && r.filterIndex <= filters.size())
            dialog.selectNameFilter(filters[r.filterIndex - 1]);
    }
    if (!r.initialDir.empty()) dialog.setDirectory(QString::fromStdString(r.initialDir));
    if (!r.fileName.empty()) dialog.selectFile(QString::fromStdString(r.fileName));
    if (!r.defaultExt.empty()) dialog.setDefaultSuffix(QString::fromStdString(r.defaultExt));
    dialog.setLabelText(QFileDialog::Accept, save ? QStringLiteral("Salva") : QStringLiteral("Apri"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Annulla"));
}

std::optional<std::string> QtServices::FileDialog(const ui::FileDialogRequest& r, bool save) {
    if (unattended_) return std::nullopt;
    QFileDialog dialog(DialogParent());
    SetUpFileDialog(dialog, r, save);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtServices::OpenFile(const ui::FileDialogRequest& r) {
    return FileDialog(r, false);
}

std::optional<std::string> QtServices::SaveFile(const ui::FileDialogRequest& r) {
    return FileDialog(r, true);
}

std::optional<int> QtServices::PrintDialog(int copies) {
    if (unattended_) return std::nullopt;
    if (!print_.Choose(DialogParent(), copies, QStringLiteral("Dorneval"))) return std::nullopt;
    return print_.GetPrinter().copyCount();
}

bool QtServices::SetClipboardText(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return false;
    clipboard->setText(QString::fromStdString(text));
    return true;
}

struct QtServices::Openers {
    std::mutex mutex;
    std::unique_ptr<QObject> context; // none once the services are gone
};

QtServices::QtServices(PrintSetup& print, bool unattended)
    : print_(print), unattended_(unattended), openers_(std::make_shared<Openers>()) {
    openers_->context = std::make_unique<QObject>();
}

QtServices::~QtServices() {
    // A report still queued goes with its object.
    std::lock_guard lock(openers_->mutex);
    openers_->context.reset();
}

void QtServices::ShellOpen(const std::string& target, const std::function<void()>& failed) {
    if (unattended_) return;
    const bool started = ui::SpawnOpener(target, [openers = openers_, failed](bool opened) {
        if (opened || !failed) return;
        std::lock_guard lock(openers->mutex);
        if (!openers->context) return;
        QMetaObject::invokeMethod(
            openers->context.get(),
            [failed] {
                if (ui::Application::Exists())
                    ui::detail::Dispatch(ui::Application::Current(), [&] {
                        failed();
                        return true;
                    });
            },
            Qt::QueuedConnection);
    });
    if (!started && failed) failed();
}

void QtServices::ShowWaitCursor(bool on) {
    if (on)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
    // Shown now: the program waits without returning to its event loop.
    QGuiApplication::sync();
}

} // namespace qtbackend
