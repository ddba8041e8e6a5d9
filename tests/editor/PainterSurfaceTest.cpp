#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "editor/PainterSurface.h"

namespace {

constexpr QRgb kWhite = 0xffffffff;

QImage BlankImage() {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(kWhite);
    return image;
}

TEST(PainterSurface, DrawsSolidLinesInThePenColourWithoutTheLastPoint) {
    QImage image = BlankImage();
    {
        QPainter painter(&image);
        CPainterSurface surface(painter);
        const Pen previous = surface.SelectPen(Pen::Solid({0, 100, 255}));
        EXPECT_EQ(previous.style, PenStyle::Solid);
        surface.MoveTo(2, 5);
        surface.LineTo(10, 5);
    }
    EXPECT_EQ(image.pixel(2, 5), qRgb(0, 100, 255));
    EXPECT_EQ(image.pixel(9, 5), qRgb(0, 100, 255));
    EXPECT_EQ(image.pixel(10, 5), kWhite);
    EXPECT_EQ(image.pixel(1, 5), kWhite);
    EXPECT_EQ(image.pixel(5, 4), kWhite);
    EXPECT_EQ(image.pixel(5, 6), kWhite);
}

TEST(PainterSurface, NullPenTracesWithoutPaintingAndRestoresOnReselect) {
    QImage image = BlankImage();
    {
        QPainter painter(&image);
        CPainterSurface surface(painter);
        const Pen previous = surface.SelectPen(Pen::Null());
        surface.MoveTo(0, 0);
        surface.LineTo(15, 15);
        const Pen nullPen = surface.SelectPen(previous);
        EXPECT_EQ(nullPen.style, PenStyle::Null);
        // The current position moved with the traced line.
        surface.SelectPen(Pen::Solid({255, 0, 0}));
        surface.LineTo(15, 0);
    }
    EXPECT_EQ(image.pixel(7, 7), kWhite);
    EXPECT_EQ(image.pixel(15, 10), qRgb(255, 0, 0));
}

}  // namespace
