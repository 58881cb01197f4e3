// The peer of a picture: a widget that draws the picture's bitmap as its
// wrap mode places it, grey like a disabled icon when disabled.
#include "platform/qt/Convert.h"
#include "platform/qt/Paint.h"
#include "platform/qt/peers/Peer.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace qtbackend {

namespace {

class PictureWidget : public QWidget {
public:
    PictureWidget(ui::Picture& picture, QWidget* parent) : QWidget(parent), picture_(&picture) {}
    void Detach() { picture_ = nullptr; }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!picture_) return;
        const ui::BitmapPtr bmp = picture_->Bitmap();
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
        if (picture_->Fill().kind != ui::Brush::Kind::None)
            p.fillRect(rect(), Qbrush(picture_->Fill(), rect()));
        if (shown.isNull()) return;
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const QSizeF img = cache_.size();
        QRectF target;
        switch (picture_->WrapMode()) {
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
    ui::Picture* picture_;
    const img::Bitmap* cachedFor_ = nullptr;
    QImage cache_;
    QImage disabled_;
};

class PicturePeer final : public Peer {
public:
    using Peer::Peer;
    ~PicturePeer() override {
        if (widget_) widget_->Detach();
    }

protected:
    QWidget* MakeWidget(QWidget* parent) override {
        widget_ = new PictureWidget(static_cast<ui::Picture&>(GetControl()), parent);
        return widget_;
    }
    void SyncOwn(ui::Property) override { widget_->update(); }

private:
    PictureWidget* widget_ = nullptr;
};

} // namespace

std::unique_ptr<Peer> MakePicturePeer(Bridge& bridge, ui::Control& control) {
    return std::make_unique<PicturePeer>(bridge, control);
}

} // namespace qtbackend
