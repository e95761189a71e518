#include "ui/kit/PaintedIcon.h"

#include <QApplication>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

namespace {

constexpr qreal CDesignSize = 16.0;

class TPaintedIconEngine final : public QIconEngine {
public:
    explicit TPaintedIconEngine(TIconDrawing ADrawing) : FDrawing(std::move(ADrawing)) {}

    void paint(QPainter* APainter, const QRect& ARect, QIcon::Mode AMode,
               QIcon::State AState) override {
        const qreal scale =
            APainter->device() != nullptr ? APainter->device()->devicePixelRatioF() : 1.0;
        const QPixmap image = pixmap(ARect.size() * scale, AMode, AState);
        APainter->drawPixmap(ARect, image);
    }

    QPixmap pixmap(const QSize& ASize, QIcon::Mode AMode, QIcon::State /*AState*/) override {
        QImage image(ASize, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            const qreal side = std::min(ASize.width(), ASize.height());
            painter.translate((ASize.width() - side) / 2.0, (ASize.height() - side) / 2.0);
            painter.scale(side / CDesignSize, side / CDesignSize);
            FDrawing(painter);
        }
        QPixmap result = QPixmap::fromImage(std::move(image));
        if (AMode != QIcon::Normal && AMode != QIcon::Active) {
            QStyleOption option;
            option.palette = QApplication::palette();
            result = QApplication::style()->generatedIconPixmap(AMode, result, &option);
        }
        return result;
    }

    QSize actualSize(const QSize& ASize, QIcon::Mode /*AMode*/, QIcon::State /*AState*/) override {
        return ASize;
    }

    QIconEngine* clone() const override { return new TPaintedIconEngine(FDrawing); }

private:
    TIconDrawing FDrawing;
};

} // namespace

QIcon PaintedIcon(TIconDrawing ADrawing) {
    return QIcon(new TPaintedIconEngine(std::move(ADrawing))); // the icon owns its engine
}
