#include "platform/qt/Bridge.h"

#include "platform/qt/Convert.h"
#include "platform/qt/FontMap.h"
#include "platform/qt/Grid.h"
#include "platform/qt/KeyMap.h"
#include "platform/qt/Paint.h"
#include "platform/ui/Input.h"
#include "platform/ui/Internal.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <QStyledItemDelegate>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

namespace qtbackend {

namespace {

// Kinds whose Qt widget edits text.
bool IsTextKind(ui::ControlKind k) {
    return k == ui::ControlKind::Edit || k == ui::ControlKind::Memo || k == ui::ControlKind::ComboEdit;
}

bool IsNavigationKey(int key) {
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

// ---------------------------------------------------------------------------
// Peer widgets that draw the model themselves. Each keeps a pointer to its
// control, cleared when the form goes away.

struct Peer {
    ui::Control* control = nullptr;
    virtual ~Peer() = default;
};

class PictureWidget : public QWidget, public Peer {
public:
    explicit PictureWidget(QWidget* parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        auto* pic = dynamic_cast<ui::Picture*>(control);
        if (!pic) return;
        const ui::BitmapPtr bmp = pic->Bitmap();
        if (bmp.get() != cachedFor_) {
            cachedFor_ = bmp.get();
            cache_ = bmp ? ToImage(*bmp) : QImage();
            disabled_ = QImage();
        }
        if (!isEnabled() && !cache_.isNull() && disabled_.isNull()) {
            // A picture used as a command, disabled: drawn as the platform
            // draws a disabled icon.
            QStyleOption opt;
            opt.initFrom(this);
            disabled_ =
                style()->generatedIconPixmap(QIcon::Disabled, QPixmap::fromImage(cache_), &opt).toImage();
        }
        const QImage& shown = isEnabled() ? cache_ : disabled_;
        QPainter p(this);
        if (pic->Fill().kind != ui::Brush::Kind::None) p.fillRect(rect(), Qbrush(pic->Fill(), rect()));
        if (shown.isNull()) return;
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const QSizeF img = cache_.size();
        QRectF target;
        switch (pic->WrapMode()) {
        case ui::Picture::Wrap::Stretch:
            target = rect();
            break;
        case ui::Picture::Wrap::Original:
            target = QRectF(QPointF(0, 0), img);
            break;
        case ui::Picture::Wrap::Center:
            target = QRectF(QPointF((width() - img.width()) / 2, (height() - img.height()) / 2), img);
            break;
        case ui::Picture::Wrap::Fit: {
            const QSizeF fitted = img.scaled(size(), Qt::KeepAspectRatio);
            target =
                QRectF(QPointF((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
            break;
        }
        }
        p.drawImage(target, shown);
    }
    void changeEvent(QEvent* e) override {
        if (e->type() == QEvent::EnabledChange) update();
        QWidget::changeEvent(e);
    }

private:
    const img::Bitmap* cachedFor_ = nullptr;
    QImage cache_;
    QImage disabled_;
};

// Rectangles, panels, group boxes and bare layouts.
class ShapeWidget : public QWidget, public Peer {
public:
    explicit ShapeWidget(QWidget* parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        if (!control) return;
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(rect());
        if (auto* rc = dynamic_cast<ui::Rectangle*>(control)) {
            const double t =
                rc->Stroke().kind == ui::Brush::Kind::None ? 0 : std::max(0, rc->StrokeThickness());
            const QRectF inner = r.adjusted(t / 2, t / 2, -t / 2, -t / 2);
            p.setBrush(Qbrush(rc->Fill(), r));
            if (t > 0)
                p.setPen(QPen(Qbrush(rc->Stroke(), r), t));
            else
                p.setPen(Qt::NoPen);
            if (rc->CornerRadius() > 0)
                p.drawRoundedRect(inner, rc->CornerRadius(), rc->CornerRadius());
            else
                p.drawRect(inner);
            return;
        }
        if (control->Kind() == ui::ControlKind::Layout) return;
        p.fillRect(r, Qbrush(control->Fill(), r));
        if (control->Kind() == ui::ControlKind::GroupBox) {
            p.setFont(Qfont(control->GetFont()));
            const QFontMetrics fm(p.font());
            const QRectF frame = r.adjusted(0.5, fm.height() / 2.0, -0.5, -0.5);
            p.setPen(QPen(QColor(0xA0, 0xA0, 0xA0), 1));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(frame, 3, 3);
            const QString title = Qs(control->Text());
            if (!title.isEmpty()) {
                const QRectF box(8, 0, fm.horizontalAdvance(title) + 8, fm.height());
                p.fillRect(box, palette().window());
                if (control->Fill().kind != ui::Brush::Kind::None)
                    p.fillRect(box, Qbrush(control->Fill(), r));
                p.setPen(ToQColor(control->GetFont().color));
                p.drawText(box, Qt::AlignCenter, title);
            }
        }
    }
};

// A chart control: paints its chart model.
class ChartWidget : public QWidget, public Peer {
public:
    explicit ChartWidget(QWidget* parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        auto* view = dynamic_cast<ui::ChartView*>(control);
        if (!view) return;
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        if (view->Fill().kind != ui::Brush::Kind::None) p.fillRect(rect(), Qbrush(view->Fill(), rect()));
        PaintChart(p, view->Chart(), QRectF(rect()));
    }
};

class ListModel : public QAbstractListModel {
public:
    explicit ListModel(QObject* parent) : QAbstractListModel(parent) {}
    ui::ListBox* list = nullptr;

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() || !list ? 0 : int(list->Count());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!list || !index.isValid() || std::size_t(index.row()) >= list->Count()) return {};
        const auto row = std::size_t(index.row());
        switch (role) {
        case Qt::DisplayRole: {
            const ui::ItemText text = list->Items()[row];
            return QString::fromUtf8(text.data(), qsizetype(text.size()));
        }
        case Qt::FontRole:
            return Qfont(list->FontOfItem(row));
        case Qt::ForegroundRole:
            return QBrush(ToQColor(list->FontOfItem(row).color));
        case Qt::BackgroundRole:
            if (const ui::ItemStyle* s = list->ItemStyleAt(row); s && s->background)
                return QBrush(ToQColor(*s->background));
            return {};
        default:
            return {};
        }
    }
    void Reset() {
        beginResetModel();
        endResetModel();
    }
};

class ListDelegate : public QStyledItemDelegate {
public:
    explicit ListDelegate(QObject* parent) : QStyledItemDelegate(parent) {}
    int itemHeight = 0;
    int itemWidth = 0;
    // An item is at least as wide as the list's item width, so the horizontal
    // scroll bar reaches that far even when no line is as long.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        if (itemHeight > 0) s.setHeight(itemHeight);
        if (itemWidth > s.width()) s.setWidth(itemWidth);
        return s;
    }
};

class ListView : public QListView, public Peer {
public:
    explicit ListView(QWidget* parent)
        : QListView(parent), model(new ListModel(this)), delegate(new ListDelegate(this)) {
        setModel(model);
        setItemDelegate(delegate);
        setUniformItemSizes(true); // lists of 100,000 lines stay fast
        setSelectionMode(QAbstractItemView::SingleSelection);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
    }
    ListModel* model;
    ListDelegate* delegate;
};

QLineEdit* LineEditOf(QWidget* q) {
    if (auto* le = qobject_cast<QLineEdit*>(q)) return le;
    if (auto* cb = qobject_cast<QComboBox*>(q)) return cb->lineEdit();
    return nullptr;
}

// Style sheets are parsed again at every setStyleSheet, which costs far more
// than the text change that usually comes with it: a peer's style is set
// only when it really changes. The same holds for fonts and palettes.
void SetStyleIfChanged(QWidget* w, const QString& css) {
    if (w->styleSheet() != css) w->setStyleSheet(css);
}
void SetFontIfChanged(QWidget* w, const QFont& f) {
    if (w->font() != f || !w->testAttribute(Qt::WA_SetFont)) w->setFont(f);
}
void SetPaletteIfChanged(QWidget* w, const QPalette& p) {
    if (w->palette() != p || !w->testAttribute(Qt::WA_SetPalette)) w->setPalette(p);
}
// Whether a change of this property may change a peer's look: a new text,
// caret or selection leaves font, colours and style as they are.
bool ChangesLook(ui::Property p) {
    return p != ui::Property::Text && p != ui::Property::Caret && p != ui::Property::Selection;
}

// The look of an edit: its "background" style element's rectangle gives the
// fill and the border (the field highlight); without one, the edit's fill.
struct EditColors {
    ui::Color fill, stroke;
};
EditColors GetEditColors(ui::Edit& e) {
    EditColors c{e.Fill().kind == ui::Brush::Kind::Solid && e.Fill().color ? e.Fill().color
                                                                           : ui::colors::White,
                 0xFFA0A0A0};
    if (ui::StyleElement* bg = e.FindStyleResource("background"); bg && !bg->children.empty()) {
        const ui::StyleRect& r = *bg->children.back();
        if (r.fill) c.fill = r.fill;
        if (r.stroke) c.stroke = r.stroke;
    }
    return c;
}

// Whether the edit's style paints every pixel of it: a solid fill and border.
bool EditOpaque(ui::Edit& e) {
    const EditColors c = GetEditColors(e);
    return (c.fill >> 24) == 0xFF && (c.stroke >> 24) == 0xFF;
}

QString EditStyleSheet(ui::Edit& e, const char* widgetClass) {
    const auto [fill, stroke] = GetEditColors(e);
    // Disabled, the platform's disabled colours.
    const QPalette pal = QApplication::palette();
    return QStringLiteral("%1 { background-color: %2; border: 1px solid %3; color: %4; padding: 0px 2px; } "
                          "%1:disabled { background-color: %5; border-color: %6; color: %7; }")
        .arg(QLatin1String(widgetClass), CssColor(fill), CssColor(stroke), CssColor(e.GetFont().color),
             pal.color(QPalette::Disabled, QPalette::Window).name(),
             pal.color(QPalette::Disabled, QPalette::Mid).name(),
             pal.color(QPalette::Disabled, QPalette::Text).name());
}

} // namespace

// ---------------------------------------------------------------------------
// FormWindow

FormWindow::FormWindow(Bridge& bridge, ui::Form& form)
    : QWidget(nullptr, Qt::Window), bridge_(bridge), form_(&form), client_(new QWidget(this)) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus); // takes the keys when no control has the focus
    client_->setObjectName(QStringLiteral("client"));
    client_->setMouseTracking(true);
}

void FormWindow::PlaceClient() {
    client_->setGeometry(rect());
}

void FormWindow::resizeEvent(QResizeEvent*) {
    PlaceClient();
    if (form_) bridge_.WindowResized(*form_, size());
}

void FormWindow::paintEvent(QPaintEvent*) {
    if (!form_) return;
    QPainter p(this);
    p.fillRect(rect(), Qbrush(form_->Fill(), rect()));
}

void FormWindow::closeEvent(QCloseEvent* e) {
    // The model decides what a close does; the window hides when the model
    // hides the form.
    e->ignore();
    if (form_) bridge_.CloseRequested(*form_);
}

// ---------------------------------------------------------------------------
// Bridge

Bridge::Bridge(ui::Application& app) : app_(app) {
    // Window code sizes pictures and panels from the screen.
    const QSize screen = ScreenSize();
    app_.SetScreenSize(screen.width(), screen.height());
    qApp->installEventFilter(this);
    QApplication::setQuitOnLastWindowClosed(false);
    // Timers run whether or not their window was ever shown.
    for (ui::Form* f : app_.Forms())
        for (ui::Control* c : f->Controls())
            if (c->Kind() == ui::ControlKind::Timer) ControlCreated(*c);
}

Bridge::~Bridge() {
    qApp->removeEventFilter(this);
    for (auto& [form, w] : windows_) {
        w->Detach();
        delete w;
    }
    for (auto& [c, t] : timers_)
        delete t;
}

void Bridge::SetUnattended(bool u) {
    unattended_ = u;
    const QSize screen = ScreenSize();
    app_.SetScreenSize(screen.width(), screen.height());
}

QSize Bridge::ScreenSize() const {
    if (unattended_) return QSize(1366, 768);
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

FormWindow& Bridge::Window(ui::Form& f) {
    if (auto it = windows_.find(&f); it != windows_.end()) return *it->second;
    auto* w = new FormWindow(*this, f);
    windows_[&f] = w;
    for (ui::Control* c : f.Controls())
        CreatePeer(*w, *c);
    SyncForm(f);
    return *w;
}

QWidget* Bridge::Widget(const ui::Control& c) const {
    auto it = widgets_.find(&c);
    return it == widgets_.end() ? nullptr : it->second;
}

ui::Control* Bridge::ControlOf(const QObject* o) const {
    for (; o; o = o->parent()) {
        if (auto it = controls_.find(o); it != controls_.end()) return it->second;
        if (dynamic_cast<const FormWindow*>(o)) return nullptr;
    }
    return nullptr;
}

void Bridge::CreatePeer(FormWindow& w, ui::Control& c) {
    if (c.Kind() == ui::ControlKind::Timer) return; // timers have no widget (see ControlCreated)
    QWidget* parent = c.Parent() ? Widget(*c.Parent()) : nullptr;
    if (!parent) parent = w.Client();
    QWidget* q = nullptr;
    std::vector<QWidget*> inner; // inner widgets that receive the mouse for the control
    switch (c.Kind()) {
    case ui::ControlKind::Label: {
        auto* l = new QLabel(parent);
        l->setTextFormat(Qt::PlainText);
        q = l;
        break;
    }
    case ui::ControlKind::Edit: {
        auto* le = new QLineEdit(parent);
        le->setContextMenuPolicy(Qt::NoContextMenu);
        connect(le, &QLineEdit::cursorPositionChanged, this, [this, le, &c](int, int pos) {
            if (syncing_) return;
            auto& e = static_cast<ui::Edit&>(c);
            if (!le->hasSelectedText()) e.SetCaretPosition(ToChars(le->text(), pos));
        });
        connect(le, &QLineEdit::selectionChanged, this, [this, le, &c] {
            if (syncing_ || !le->hasSelectedText()) return;
            auto& e = static_cast<ui::Edit&>(c);
            const int start = ToChars(le->text(), le->selectionStart());
            e.SetSelection(start, ToChars(le->text(), le->selectionEnd()) - start);
        });
        q = le;
        break;
    }
    case ui::ControlKind::Button:
        q = new QPushButton(parent);
        break;
    case ui::ControlKind::Picture:
        q = new PictureWidget(parent);
        break;
    case ui::ControlKind::Rectangle:
    case ui::ControlKind::Panel:
    case ui::ControlKind::GroupBox:
    case ui::ControlKind::Layout:
        q = new ShapeWidget(parent);
        break;
    case ui::ControlKind::ListBox: {
        auto* lv = new ListView(parent);
        lv->model->list = static_cast<ui::ListBox*>(&c);
        inner.push_back(lv->viewport());
        q = lv;
        break;
    }
    case ui::ControlKind::ComboEdit: {
        auto* cb = new QComboBox(parent);
        cb->setInsertPolicy(QComboBox::NoInsert);
        connect(cb, &QComboBox::activated, this, [this, &c](int index) {
            if (syncing_) return;
            ui::input::SelectItem(static_cast<ui::ComboEdit&>(c), index);
        });
        q = cb;
        break;
    }
    case ui::ControlKind::CheckBox:
        q = new QCheckBox(parent);
        break;
    case ui::ControlKind::Calendar: {
        auto* cal = new QCalendarWidget(parent);
        cal->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        cal->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
        // The month's name in the header opens its menu without a drop
        // arrow drawn under it.
        cal->setStyleSheet(QStringLiteral(
            "QToolButton#qt_calendar_monthbutton::menu-indicator { image: none; width: 0px; }"));
        auto pick = [this, &c](QDate d) {
            if (syncing_) return;
            if (auto date = rtl::Date::FromYmd(d.year(), d.month(), d.day()))
                ui::input::PickDate(static_cast<ui::Calendar&>(c), *date);
        };
        connect(cal, &QCalendarWidget::clicked, this, pick);
        connect(cal, &QCalendarWidget::selectionChanged, this, [this, cal, &c] {
            // The day moved (by keyboard, or by the mouse just before its
            // click, which reports itself through clicked): no click here.
            if (syncing_) return;
            const QDate d = cal->selectedDate();
            const rtl::Date m = static_cast<ui::Calendar&>(c).Date();
            if (QDate(m.Year(), m.Month(), m.Day()) == d) return;
            if (auto date = rtl::Date::FromYmd(d.year(), d.month(), d.day()))
                ui::input::MoveDate(static_cast<ui::Calendar&>(c), *date);
        });
        connect(cal, &QCalendarWidget::activated, this, [this, &c](QDate) {
            // The first press of the double click already picked the day.
            if (!syncing_ && c.OnDblClick) ui::input::SecondClick(c);
        });
        q = cal;
        break;
    }
    case ui::ControlKind::Memo: {
        auto* te = new QPlainTextEdit(parent);
        te->setContextMenuPolicy(Qt::NoContextMenu);
        // The caret and the selection made with the mouse enter the model
        // (a copy takes the model's selection).
        auto caret = [this, te, &c] {
            if (syncing_) return;
            auto& m = static_cast<ui::Edit&>(c);
            const QString text = te->toPlainText();
            const QTextCursor cur = te->textCursor();
            if (cur.hasSelection()) {
                const int start = ToChars(text, cur.selectionStart());
                m.SetSelection(start, ToChars(text, cur.selectionEnd()) - start);
            } else {
                m.SetCaretPosition(ToChars(text, cur.position()));
            }
        };
        connect(te, &QPlainTextEdit::cursorPositionChanged, this, caret);
        connect(te, &QPlainTextEdit::selectionChanged, this, caret);
        inner.push_back(te->viewport());
        q = te;
        break;
    }
    case ui::ControlKind::StringGrid: {
        auto& g = static_cast<ui::StringGrid&>(c);
        auto* gv = new GridView(g, parent);
        connect(gv->selectionModel(), &QItemSelectionModel::currentChanged, this,
                [this, &g](const QModelIndex& current, const QModelIndex&) {
                    if (syncing_ || !current.isValid()) return;
                    ui::input::SelectCell(g, current.column(), current.row());
                });
        gv->Model()->onEdit = [this, &g](int col, int row, const std::string& text) {
            return !syncing_ && ui::input::EditCell(g, col, row, text);
        };
        inner.push_back(gv->viewport());
        q = gv;
        break;
    }
    case ui::ControlKind::Chart:
        q = new ChartWidget(parent);
        break;
    case ui::ControlKind::Timer:
        return;
    }
    if (auto* peer = dynamic_cast<Peer*>(q)) peer->control = &c;
    q->setObjectName(Qs(c.Name()));
    widgets_[&c] = q;
    controls_[q] = &c;
    for (QWidget* i : inner) {
        controls_[i] = &c;
        i->setMouseTracking(true);
    }
    w.controls.push_back(&c);
    q->setAttribute(Qt::WA_NoMousePropagation);
    q->setMouseTracking(true);
    q->setFocusPolicy(c.Focusable() ? Qt::ClickFocus : Qt::NoFocus);
    if (auto* cb = qobject_cast<QComboBox*>(q)) cb->setFocusPolicy(Qt::ClickFocus);
    SyncAll(c);
}

void Bridge::ControlCreated(ui::Control& c) {
    if (c.Kind() == ui::ControlKind::Timer) {
        if (timers_.count(&c)) return;
        auto* t = new QTimer;
        timers_[&c] = t;
        connect(t, &QTimer::timeout, this, [&c] { ui::input::TimerTick(static_cast<ui::Timer&>(c)); });
        SyncControl(c, ui::Property::Timer);
        return;
    }
    auto it = windows_.find(&c.GetForm());
    if (it != windows_.end()) {
        CreatePeer(*it->second, c);
        if (QWidget* q = Widget(c)) q->raise();
    }
}

void Bridge::FormDestroyed(ui::Form& f) {
    if (auto loop = modalLoops_.find(&f); loop != modalLoops_.end()) loop->second->exit();
    for (ui::Control* c : f.Controls()) {
        if (auto t = timers_.find(c); t != timers_.end()) {
            delete t->second;
            timers_.erase(t);
        }
    }
    auto it = windows_.find(&f);
    if (it == windows_.end()) return;
    FormWindow* w = it->second;
    windows_.erase(it);
    for (ui::Control* c : w->controls) {
        if (QWidget* q = Widget(*c)) {
            if (auto* peer = dynamic_cast<Peer*>(q)) peer->control = nullptr;
            if (auto* lv = dynamic_cast<ListView*>(q)) lv->model->list = nullptr;
            if (auto* gv = dynamic_cast<GridView*>(q)) gv->Detach();
            controls_.erase(q);
            if (auto* lv = qobject_cast<QAbstractScrollArea*>(q)) controls_.erase(lv->viewport());
            if (QLineEdit* le = LineEditOf(q)) controls_.erase(le);
        }
        widgets_.erase(c);
        if (pressed_ == c) pressed_ = nullptr;
        if (skipRelease_ == c) skipRelease_ = nullptr;
    }
    w->controls.clear();
    w->Detach();
    w->hide();
    w->deleteLater();
}

void Bridge::SyncForm(ui::Form& f) {
    auto it = windows_.find(&f);
    if (it == windows_.end()) return;
    FormWindow& w = *it->second;
    ++syncing_;
    w.setWindowTitle(Qs(f.Caption()));
    w.setFont(Qfont(f.GetFont()));
    Qt::WindowFlags flags = Qt::Window;
    if (f.GetBorderStyle() == ui::BorderStyle::None)
        flags |= Qt::FramelessWindowHint;
    else if (!f.CloseBox())
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    else if (f.GetBorderStyle() == ui::BorderStyle::Single)
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
    else
        flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint;
    if (w.windowFlags() != flags) {
        const bool visible = w.isVisible();
        w.setWindowFlags(flags);
        if (visible) w.show();
    }
    const QSize client(f.ClientWidth(), f.ClientHeight());
    if (f.GetWindowState() == ui::WindowState::Maximized) {
        w.setMinimumSize(0, 0);
        w.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        if (!w.isVisible()) w.resize(client);
    } else if (f.GetBorderStyle() == ui::BorderStyle::Sizeable) {
        w.setMinimumSize(0, 0);
        w.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        w.resize(client);
    } else {
        w.setFixedSize(client);
    }
    w.PlaceClient();
    w.update();
    --syncing_;
}

void Bridge::FormChanged(ui::Form& f) {
    SyncForm(f);
}

void Bridge::WindowResized(ui::Form& f, QSize size) {
    if (syncing_ || size.isEmpty()) return;
    if (size == QSize(f.ClientWidth(), f.ClientHeight())) return;
    ui::input::Resize(f, size.width(), size.height());
}

void Bridge::PlaceWindow(ui::Form& f, FormWindow& w) {
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    QRect around = avail;
    auto centreOn = [&](ui::Form* other) {
        if (!other) return;
        auto it = windows_.find(other);
        if (it != windows_.end() && it->second->isVisible()) around = it->second->frameGeometry();
    };
    switch (f.Position()) {
    case ui::FormPosition::Default:
        if (f.Left() || f.Top()) {
            w.move(f.Left(), f.Top());
            return;
        }
        break;
    case ui::FormPosition::ScreenCenter:
        break;
    case ui::FormPosition::OwnerFormCenter:
        centreOn(f.Owner());
        break;
    case ui::FormPosition::MainFormCenter:
        centreOn(app_.MainForm());
        break;
    }
    const QSize size = w.frameGeometry().size().expandedTo(w.size());
    QPoint topLeft = around.center() - QPoint(size.width() / 2, size.height() / 2);
    topLeft.setX(std::clamp(topLeft.x(), avail.left(), std::max(avail.left(), avail.right() - size.width())));
    topLeft.setY(std::clamp(topLeft.y(), avail.top(), std::max(avail.top(), avail.bottom() - size.height())));
    w.move(topLeft);
}

void Bridge::FormShown(ui::Form& f) {
    FormWindow& w = Window(f);
    SyncForm(f);
    if (f.IsModal()) {
        w.setWindowModality(Qt::ApplicationModal);
        if (ui::Form* owner = f.Owner()) {
            w.winId(); // the native window exists from now on
            if (auto it = windows_.find(owner); it != windows_.end() && it->second->windowHandle())
                w.windowHandle()->setTransientParent(it->second->windowHandle());
        }
    }
    if (f.GetWindowState() == ui::WindowState::Maximized) {
        if (unattended_) {
            // No real screen: take a common desktop size, at least the design size.
            w.resize(ScreenSize().expandedTo(QSize(f.ClientWidth(), f.ClientHeight())));
            w.show();
        } else {
            // Also without a window manager to maximise it, it covers the screen.
            if (QScreen* screen = QGuiApplication::primaryScreen())
                w.setGeometry(screen->availableGeometry());
            w.showMaximized();
        }
    } else {
        PlaceWindow(f, w);
        w.show();
    }
    if (!unattended_) {
        w.raise();
        w.activateWindow();
    }
    if (ui::Control* focused = f.Focused()) FocusChanged(f, focused);
}

void Bridge::FormHidden(ui::Form& f) {
    auto it = windows_.find(&f);
    if (it != windows_.end()) {
        it->second->hide();
        if (!f.IsModal()) it->second->setWindowModality(Qt::NonModal);
    }
    QTimer::singleShot(0, this, [this] { CheckVisibleWindows(); });
}

void Bridge::CheckVisibleWindows() {
    // The program never keeps running without a visible window: a user could
    // not reach it any more.
    if (!running_ || app_.Terminated() || !modalLoops_.empty()) return;
    for (ui::Form* f : app_.Forms())
        if (f->Visible()) return;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && !dynamic_cast<FormWindow*>(top)) return; // a dialog still open
    app_.Terminate();
}

void Bridge::FocusChanged(ui::Form& f, ui::Control* c) {
    auto it = windows_.find(&f);
    if (it == windows_.end()) return;
    ++syncing_;
    QWidget* q = c ? Widget(*c) : nullptr;
    if (q && c->IsShowing())
        q->setFocus(Qt::OtherFocusReason);
    else
        it->second->setFocus(Qt::OtherFocusReason); // a hidden control: the window takes its keys
    // The model moves the focus for Tab and the Enter chains: the style then
    // marks the focused button or check box, as after a keyboard move.
    it->second->window()->setAttribute(Qt::WA_KeyboardFocusChange, true);
    --syncing_;
}

void Bridge::RunModal(ui::Form& f) {
    FormWindow& w = Window(f);
    if (!w.isVisible()) FormShown(f);
    if (unattended_) return; // nobody would answer: the run ends at once, cancelled
    QEventLoop loop;
    modalLoops_[&f] = &loop;
    loop.exec(QEventLoop::DialogExec);
    modalLoops_.erase(&f);
    if (auto it = windows_.find(&f); it != windows_.end() && !it->second->isVisible())
        it->second->setWindowModality(Qt::NonModal);
}

void Bridge::EndModal(ui::Form& f) {
    if (auto it = modalLoops_.find(&f); it != modalLoops_.end()) it->second->exit();
}

void Bridge::Run(ui::Application&) {
    running_ = true;
    QTimer::singleShot(0, this, [this] { CheckVisibleWindows(); });
    QApplication::exec();
    running_ = false;
}

void Bridge::Terminate() {
    for (auto& [form, loop] : modalLoops_)
        loop->exit();
    QCoreApplication::exit(0);
}

void Bridge::CloseRequested(ui::Form& f) {
    if (!f.Visible()) return;
    if (ui::input::CloseWindow(f)) return;
    // The window has no close box, yet the window manager closed it: the
    // request is not lost. The form closes as its own code would close it:
    // its close handler runs, a modal run ends as cancelled, and closing the
    // main window ends the program.
    ui::detail::Dispatch(app_, [&] {
        f.Close();
        return true;
    });
    QTimer::singleShot(0, this, [this] { CheckVisibleWindows(); });
}

// ---------------------------------------------------------------------------
// Model -> widgets

void Bridge::SyncAll(ui::Control& c) {
    QWidget* q = Widget(c);
    if (!q) return;
    ++syncing_;
    q->setGeometry(c.Left(), c.Top(), c.Width(), c.Height());
    q->setVisible(c.Visible());
    q->setEnabled(c.Enabled());
    q->setAttribute(Qt::WA_TransparentForMouseEvents, !c.HitTest());
    --syncing_;
    for (ui::Property p : {ui::Property::Cursor, ui::Property::Font, ui::Property::Items,
                           ui::Property::Columns, ui::Property::Other})
        SyncControl(c, p);
}

void Bridge::SyncControl(ui::Control& c, ui::Property p) {
    if (c.Kind() == ui::ControlKind::Timer) {
        if (auto it = timers_.find(&c); it != timers_.end()) {
            auto& t = static_cast<ui::Timer&>(c);
            it->second->setInterval(std::max(1, t.Interval()));
            if (t.Enabled() && !it->second->isActive()) it->second->start();
            if (!t.Enabled()) it->second->stop();
        }
        return;
    }
    QWidget* q = Widget(c);
    if (!q) return;
    ++syncing_;
    struct Done {
        int& n;
        ~Done() { --n; }
    } done{syncing_};
    switch (p) {
    case ui::Property::Bounds:
        q->setGeometry(c.Left(), c.Top(), c.Width(), c.Height());
        return;
    case ui::Property::Visible:
        q->setVisible(c.Visible());
        return;
    case ui::Property::Enabled:
        q->setEnabled(c.Enabled());
        return;
    case ui::Property::Hint:
        return; // hints reach the status line through the windows' own handlers
    case ui::Property::TabOrder:
        return;
    case ui::Property::Cursor:
        switch (c.GetCursor()) {
        case ui::Cursor::Default:
            q->unsetCursor();
            break;
        case ui::Cursor::Arrow:
            q->setCursor(Qt::ArrowCursor);
            break;
        case ui::Cursor::Hand:
            q->setCursor(Qt::PointingHandCursor);
            break;
        case ui::Cursor::IBeam:
            q->setCursor(Qt::IBeamCursor);
            break;
        case ui::Cursor::Wait:
            q->setCursor(Qt::WaitCursor);
            break;
        }
        return;
    default:
        break;
    }

    switch (c.Kind()) {
    case ui::ControlKind::Label: {
        auto& l = static_cast<ui::Label&>(c);
        auto* w = static_cast<QLabel*>(q);
        const QString text = Qs(l.Text());
        if (w->text() != text) w->setText(text);
        if (!ChangesLook(p)) return;
        SetFontIfChanged(w, Qfont(l.GetFont()));
        w->setAlignment(Qalign(l.Align()) | (l.WordWrap() ? Qt::AlignTop : Qt::AlignVCenter));
        w->setWordWrap(l.WordWrap());
        QPalette pal = w->palette();
        SetEnabledColor(pal, QPalette::WindowText, ToQColor(l.GetFont().color));
        const bool filled = l.Fill().kind == ui::Brush::Kind::Solid && l.Fill().color;
        if (filled) pal.setColor(QPalette::Window, ToQColor(l.Fill().color));
        w->setAutoFillBackground(filled);
        SetPaletteIfChanged(w, pal);
        return;
    }
    case ui::ControlKind::Edit: {
        auto& e = static_cast<ui::Edit&>(c);
        auto* le = static_cast<QLineEdit*>(q);
        const QString text = Qs(e.Text());
        if (le->text() != text) le->setText(text);
        if (ChangesLook(p)) {
            le->setReadOnly(e.ReadOnly());
            le->setEchoMode(e.Password() ? QLineEdit::Password : QLineEdit::Normal);
            le->setAlignment(Qalign(e.Align()) | Qt::AlignVCenter);
            SetFontIfChanged(le, Qfont(e.GetFont()));
            SetStyleIfChanged(le, EditStyleSheet(e, "QLineEdit"));
            // An edit that covers itself is drawn without what lies beneath:
            // a changed text repaints the edit alone, not the panels under it.
            le->setAttribute(Qt::WA_OpaquePaintEvent, EditOpaque(e));
        }
        // Only the focused edit shows its selection: one left by Enter or Tab
        // keeps it in the model but is drawn with the caret alone, as Qt does
        // itself when a field loses the focus.
        if (e.SelLength() > 0 && e.IsFocused())
            le->setSelection(ToUtf16(text, e.SelStart()),
                             ToUtf16(text, e.SelStart() + e.SelLength()) - ToUtf16(text, e.SelStart()));
        else
            le->setCursorPosition(ToUtf16(text, e.CaretPosition()));
        return;
    }
    case ui::ControlKind::Button: {
        // Each property set only when it differs: a set repaints the button.
        auto* b = static_cast<QPushButton*>(q);
        const QString text = Qs(c.Text());
        if (b->text() != text) b->setText(text);
        SetFontIfChanged(b, Qfont(c.GetFont()));
        QPalette pal = b->palette();
        SetEnabledColor(pal, QPalette::ButtonText, ToQColor(c.GetFont().color));
        SetPaletteIfChanged(b, pal);
        return;
    }
    case ui::ControlKind::CheckBox: {
        auto& cbm = static_cast<ui::CheckBox&>(c);
        auto* cb = static_cast<QCheckBox*>(q);
        const QString text = Qs(c.Text());
        if (cb->text() != text) cb->setText(text);
        SetFontIfChanged(cb, Qfont(c.GetFont()));
        if (cb->isChecked() != cbm.Checked()) cb->setChecked(cbm.Checked());
        QPalette pal = cb->palette();
        SetEnabledColor(pal, QPalette::WindowText, ToQColor(c.GetFont().color));
        SetPaletteIfChanged(cb, pal);
        return;
    }
    case ui::ControlKind::ListBox: {
        auto& l = static_cast<ui::ListBox&>(c);
        auto* lv = static_cast<ListView*>(q);
        // The item size is set before the reset, which lays the items out again.
        lv->delegate->itemHeight = l.ItemHeight();
        lv->delegate->itemWidth = l.ItemWidth();
        if (p == ui::Property::Items || p == ui::Property::ItemStyle) lv->model->Reset();
        lv->setFont(Qfont(l.ItemFont()));
        lv->setVerticalScrollBarPolicy(l.ShowScrollBars() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        lv->setHorizontalScrollBarPolicy(l.ShowScrollBars() ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        if (l.Fill().kind == ui::Brush::Kind::Solid && l.Fill().color)
            SetStyleIfChanged(
                lv, QStringLiteral("QListView { background-color: %1; }").arg(CssColor(l.Fill().color)));
        const QModelIndex current = l.ItemIndex() >= 0 ? lv->model->index(l.ItemIndex()) : QModelIndex();
        if (current.isValid()) {
            lv->selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
            lv->scrollTo(current);
        } else {
            lv->selectionModel()->clearSelection();
        }
        return;
    }
    case ui::ControlKind::ComboEdit: {
        auto& cm = static_cast<ui::ComboEdit&>(c);
        auto* cb = static_cast<QComboBox*>(q);
        const bool editable = !cm.ReadOnly();
        if (cb->isEditable() != editable) {
            if (QLineEdit* old = cb->lineEdit()) controls_.erase(old);
            cb->setEditable(editable);
            if (QLineEdit* le = cb->lineEdit()) {
                controls_[le] = &c;
                le->setContextMenuPolicy(Qt::NoContextMenu);
            }
        }
        if (p == ui::Property::Items || cb->count() != int(cm.Items().size())) {
            cb->clear();
            for (const auto& item : cm.Items())
                cb->addItem(Qs(item));
        }
        cb->setFont(Qfont(cm.GetFont()));
        cb->setCurrentIndex(cm.ItemIndex());
        const QString text = Qs(cm.Text());
        if (QLineEdit* le = cb->lineEdit()) {
            if (le->text() != text) le->setText(text);
            le->setCursorPosition(ToUtf16(text, cm.CaretPosition()));
        } else if (cm.ItemIndex() < 0) {
            cb->setCurrentIndex(cb->findText(text));
        }
        return;
    }
    case ui::ControlKind::Calendar: {
        auto& cal = static_cast<ui::Calendar&>(c);
        auto* w = static_cast<QCalendarWidget*>(q);
        const QDate d(cal.Date().Year(), cal.Date().Month(), cal.Date().Day());
        if (d.isValid() && w->selectedDate() != d) w->setSelectedDate(d);
        w->setFont(Qfont(cal.GetFont()));
        return;
    }
    case ui::ControlKind::Memo: {
        auto& m = static_cast<ui::Memo&>(c);
        auto* te = static_cast<QPlainTextEdit*>(q);
        const QString text = Qs(m.Text());
        if (te->toPlainText() != text) te->setPlainText(text);
        if (ChangesLook(p)) {
            te->setReadOnly(m.ReadOnly());
            te->setLineWrapMode(m.WordWrap() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
            SetFontIfChanged(te, Qfont(m.GetFont()));
            SetStyleIfChanged(te, EditStyleSheet(m, "QPlainTextEdit"));
        }
        QTextCursor cur = te->textCursor();
        const int size = int(text.size());
        if (m.SelLength() > 0) {
            const int from = std::min(ToUtf16(text, m.SelStart()), size);
            const int to = std::min(ToUtf16(text, m.SelStart() + m.SelLength()), size);
            if (cur.selectionStart() != from || cur.selectionEnd() != to) {
                cur.setPosition(from);
                cur.setPosition(to, QTextCursor::KeepAnchor);
                te->setTextCursor(cur);
            }
        } else {
            const int pos = std::min(ToUtf16(text, m.CaretPosition()), size);
            if (cur.hasSelection() || cur.position() != pos) {
                cur.setPosition(pos);
                te->setTextCursor(cur);
            }
        }
        return;
    }
    case ui::ControlKind::StringGrid: {
        auto* gv = static_cast<GridView*>(q);
        if (p == ui::Property::Cells || p == ui::Property::RowCount) {
            // One notice for all the changes of this turn of the event loop.
            if (gv->Model()->NoteChange(p == ui::Property::Cells))
                QMetaObject::invokeMethod(
                    this,
                    [this, view = QPointer<GridView>(gv)] {
                        if (!view) return;
                        ++syncing_;
                        view->Model()->Flush();
                        --syncing_;
                    },
                    Qt::QueuedConnection);
            return;
        }
        gv->setFont(Qfont(c.GetFont()));
        gv->SyncFromGrid();
        return;
    }
    case ui::ControlKind::Picture:
    case ui::ControlKind::Rectangle:
    case ui::ControlKind::Panel:
    case ui::ControlKind::GroupBox:
    case ui::ControlKind::Layout:
    case ui::ControlKind::Chart:
        q->update();
        return;
    case ui::ControlKind::Timer:
        return;
    }
}

void Bridge::PropertyChanged(ui::Control& c, ui::Property p) {
    SyncControl(c, p);
}

// ---------------------------------------------------------------------------
// Widgets -> model

bool Bridge::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::InputMethod: {
        if (!watched->isWidgetType()) return false;
        auto* fw = dynamic_cast<FormWindow*>(static_cast<QWidget*>(watched)->window());
        if (!fw || !fw->GetForm()) return false;
        const bool eaten = HandleKeyEvent(*fw, watched, event);
        QTimer::singleShot(0, this, [this] { CheckVisibleWindows(); });
        return eaten;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return HandleMouseEvent(watched, event);
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        // Dropped text would enter a field behind the model and its key
        // filters: text fields take none.
        ui::Control* c = ControlOf(watched);
        if (!c || !IsTextKind(c->Kind())) return false;
        event->ignore();
        return true;
    }
    case QEvent::FocusIn: {
        if (syncing_ || !watched->isWidgetType()) return false;
        auto* fw = dynamic_cast<FormWindow*>(static_cast<QWidget*>(watched)->window());
        if (!fw || !fw->GetForm()) return false;
        ui::Form& f = *fw->GetForm();
        ui::Control* c = ControlOf(watched);
        // Only a click moves the model's focus; Qt's own moves (window
        // activation, popups) give way to the model's focus.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (c && c->Focusable() && reason == Qt::MouseFocusReason && f.Focused() != c) ui::input::Focus(*c);
        if (f.Focused() != c) {
            // The model kept the focus elsewhere: the widgets follow it.
            ui::Form* form = &f;
            QTimer::singleShot(0, this, [this, form] {
                if (windows_.count(form)) FocusChanged(*form, form->Focused());
            });
        }
        return false;
    }
    default:
        return false;
    }
}

bool Bridge::HandleKeyEvent(FormWindow& w, QObject* receiver, QEvent* event) {
    ui::Form& f = *w.GetForm();
    ui::Control* c = ControlOf(receiver);
    QWidget* peer = c ? Widget(*c) : nullptr;
    // Inside a grid's cell editor Qt edits the cell; the grid reports the edit.
    if (c && c->Kind() == ui::ControlKind::StringGrid && receiver != peer) return false;
    const bool qtNavigates =
        c && (c->Kind() == ui::ControlKind::Calendar || c->Kind() == ui::ControlKind::StringGrid);

    if (event->type() == QEvent::InputMethod) {
        // Text composed by an input method (accented letters, dead keys).
        const QString commit = static_cast<QInputMethodEvent*>(event)->commitString();
        for (char32_t ch : commit.toUcs4())
            ui::input::PressKey(f, ui::input::KeyCodeFor(ch), ch);
        return true;
    }
    auto* ke = static_cast<QKeyEvent*>(event);
    const ui::Mod mods = Qmods(ke->modifiers());
    const WinKey k = MapKey(ke->key(), ke->modifiers(), ke->text());
    if (event->type() == QEvent::KeyRelease) {
        if (ke->isAutoRepeat()) return true; // a held key repeats its key down only
        if (k.code || k.ch) ui::input::KeyUp(f, std::uint16_t(k.code), k.ch, mods);
        return !(qtNavigates && IsNavigationKey(ke->key()));
    }

    auto* edit = dynamic_cast<ui::Edit*>(f.Focused());
    if (edit && ke->matches(QKeySequence::Paste)) {
        // Pasted text passes the same key filters as typed text.
        if (!edit->ReadOnly()) ui::input::Paste(f, QGuiApplication::clipboard()->text().toStdString());
        return true;
    }
    if (edit && (ke->matches(QKeySequence::Copy) || ke->matches(QKeySequence::Cut))) {
        if (!edit->Password() && edit->SelLength() > 0) {
            const std::u32string text = ui::detail::Decode(edit->Text());
            const std::u32string part =
                text.substr(std::size_t(edit->SelStart()), std::size_t(edit->SelLength()));
            QGuiApplication::clipboard()->setText(QString::fromStdU32String(part));
            if (ke->matches(QKeySequence::Cut) && !edit->ReadOnly()) ui::input::KeyDown(f, ui::vk::Delete, 0);
        }
        return true;
    }
    if (edit && ke->matches(QKeySequence::SelectAll)) {
        edit->SelectAll();
        return true;
    }
    if (!k.code && !k.ch) return true;
    ui::KeyEvent key{std::uint16_t(k.code), k.ch, mods};
    const bool taken = ui::input::KeyDown(f, key);
    // A calendar or grid moves through its days or cells itself, but only
    // with a key the handlers let through as it came, while it still holds
    // the focus; a swallowed or changed key never reaches the widget.
    const bool letThrough =
        taken && !key.Swallowed() && key.key == k.code && key.ch == k.ch && f.Focused() == c;
    return !(qtNavigates && IsNavigationKey(ke->key()) && letThrough);
}

void Bridge::PressDown(ui::Control& c, const ui::MouseEvent& m, bool qtHandles) {
    // Text fields keep their whole click at the release, where their
    // focus and caret are settled.
    if (qtHandles || !c.OnMouseDown) return;
    downRun_ = &c;
    ui::input::PressMouse(c, m);
}

bool Bridge::HandleMouseEvent(QObject* receiver, QEvent* event) {
    if (!receiver->isWidgetType()) return false;
    auto* rw = static_cast<QWidget*>(receiver);
    auto* me = static_cast<QMouseEvent*>(event);
    // Every point below is mapped here, once, by mapBetween.
    const QPoint at = me->position().toPoint();
    if (auto* fw = dynamic_cast<FormWindow*>(rw->window()); fw && (rw == fw || rw == fw->Client())) {
        // The window's own background (also the margins of a maximised window
        // around its design area), in the coordinates of the controls' area.
        if (fw->GetForm() && event->type() == QEvent::MouseMove)
            ui::input::FormMouseMove(*fw->GetForm(), Qmouse(*me, MapBetween(rw, fw->Client(), at)));
        return false;
    }
    auto it = controls_.find(receiver);
    if (it == controls_.end()) return false;
    ui::Control& c = *it->second;
    QWidget* peer = Widget(c);
    if (!peer) return false;
    const QPoint inPeer = MapBetween(rw, peer, at);
    const ui::MouseEvent m = Qmouse(*me, inPeer);
    const ui::ControlKind kind = c.Kind();
    const bool qtHandles = kind == ui::ControlKind::Edit || kind == ui::ControlKind::Memo ||
                           kind == ui::ControlKind::ComboEdit || kind == ui::ControlKind::Calendar ||
                           kind == ui::ControlKind::StringGrid;
    const bool left = me->button() == Qt::LeftButton;
    // The middle button pastes the window system's selection into text
    // widgets on some desktops, behind the model: text fields ignore it.
    if ((me->button() == Qt::MiddleButton || (me->buttons() & Qt::MiddleButton)) && IsTextKind(kind) &&
        event->type() != QEvent::MouseMove)
        return true;

    switch (event->type()) {
    case QEvent::MouseMove:
        ui::input::MouseMove(c, m);
        return false;
    case QEvent::MouseButtonPress:
        if (!left) return false;
        if (kind == ui::ControlKind::ListBox) {
            // The second press of a double click: the double click follows.
            if (me->flags() & Qt::MouseEventCreatedDoubleClick) return true;
            auto* lv = static_cast<ListView*>(peer);
            const QModelIndex index = lv->indexAt(MapBetween(peer, lv->viewport(), inPeer));
            if (index.isValid())
                ui::input::SelectItem(static_cast<ui::ListBox&>(c), index.row());
            else
                ui::input::Focus(c);
            return true;
        }
        pressed_ = &c;
        PressDown(c, m, qtHandles);
        return !(qtHandles || kind == ui::ControlKind::Button);
    case QEvent::MouseButtonRelease: {
        if (!left) return false;
        ui::Control* pressed = pressed_;
        const bool downRun = downRun_ == &c;
        pressed_ = nullptr;
        downRun_ = nullptr;
        if (kind == ui::ControlKind::ListBox) return true;
        if (skipRelease_ == &c) {
            skipRelease_ = nullptr;
        } else if (pressed == &c && peer->rect().contains(inPeer) && kind != ui::ControlKind::ComboEdit &&
                   kind != ui::ControlKind::Calendar && kind != ui::ControlKind::StringGrid) {
            if (downRun)
                ui::input::ReleaseMouse(c, m, true);
            else
                ui::input::Click(c);
            QTimer::singleShot(0, this, [this] { CheckVisibleWindows(); });
        } else if (downRun) {
            // Released elsewhere: no click, but the mouse-up that undoes
            // what the press showed.
            ui::input::ReleaseMouse(c, m, false);
        }
        return !(qtHandles || kind == ui::ControlKind::Button);
    }
    case QEvent::MouseButtonDblClick:
        if (!left) return false;
        if (kind == ui::ControlKind::ListBox) {
            auto* lv = static_cast<ListView*>(peer);
            const QModelIndex index = lv->indexAt(MapBetween(peer, lv->viewport(), inPeer));
            // The first press selected the item and clicked it.
            if (index.isValid()) ui::input::SecondClickItem(static_cast<ui::ListBox&>(c), index.row());
            QTimer::singleShot(0, this, [this] { CheckVisibleWindows(); });
            return true;
        }
        if (kind == ui::ControlKind::Calendar || kind == ui::ControlKind::StringGrid) return false;
        if (c.OnDblClick) {
            // The first click already went through on its release: the
            // double click takes the second press and release.
            ui::input::SecondClick(c);
            skipRelease_ = &c;
            QTimer::singleShot(0, this, [this] { CheckVisibleWindows(); });
        } else {
            pressed_ = &c; // a second plain click
            PressDown(c, m, qtHandles);
        }
        return !qtHandles;
    default:
        return false;
    }
}

} // namespace qtbackend
