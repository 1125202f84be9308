// Draws the splash picture (491 x 203: the emblem, a bell under a roof, beside the program's
// name) and writes it as a GIF with our own writer: colours reduced by median cut, a comment
// naming the picture.
#include "controls/pictures/formats/colorreduction.h"
#include "controls/pictures/gifpicture.h"
#include "controls/pictures/qtpixels.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <exception>

namespace {

using namespace duebell::pictures;

const QColor Paper(0xFB, 0xF8, 0xF1);
const QColor Ink(0x1F, 0x4E, 0x5F);
const QColor Gold(0xD9, 0xA4, 0x41);
const QColor Muted(0x5C, 0x6B, 0x70);

// A bell under a roof in a disc, centred on `centre`.
void DrawEmblem(QPainter& painter, QPointF centre) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(Ink);
    painter.drawEllipse(centre, 66, 66);

    // The roof: a chevron over the bell.
    QPainterPath roof;
    roof.moveTo(centre + QPointF(-40, -12));
    roof.lineTo(centre + QPointF(0, -44));
    roof.lineTo(centre + QPointF(40, -12));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Paper, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(roof);

    // The bell: a dome widening to a flared rim, its clapper beneath.
    QPainterPath bell;
    bell.moveTo(centre + QPointF(-26, 30));
    bell.cubicTo(centre + QPointF(-18, 20), centre + QPointF(-20, -24), centre + QPointF(0, -24));
    bell.cubicTo(centre + QPointF(20, -24), centre + QPointF(18, 20), centre + QPointF(26, 30));
    bell.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Gold);
    painter.drawPath(bell);
    painter.drawRoundedRect(QRectF(centre + QPointF(-30, 27), QSizeF(60, 7)), 3, 3);
    painter.drawEllipse(centre + QPointF(0, 40), 6.5, 6.5);
    painter.drawEllipse(centre + QPointF(0, -27), 4.5, 4.5);
}

QImage DrawSplash() {
    QImage image(491, 203, QImage::Format_RGB32);
    image.fill(Paper);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    DrawEmblem(painter, QPointF(101, 98));

    QFont name(QStringLiteral("Liberation Serif"));
    name.setPixelSize(70);
    name.setBold(true);
    painter.setFont(name);
    painter.setPen(Ink);
    painter.drawText(QPointF(190, 108), QStringLiteral("Duebell"));

    painter.setPen(QPen(Gold, 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(192, 126), QPointF(452, 126));

    QFont line(QStringLiteral("Liberation Sans"));
    line.setPixelSize(15);
    painter.setFont(line);
    painter.setPen(Muted);
    painter.drawText(QPointF(192, 152), QStringLiteral("Loan book for instalment contracts"));

    // A band along the foot of the picture.
    painter.fillRect(QRectF(0, 195, 491, 8), Ink);
    return image;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.gif>\n", argv[0]);
        return 2;
    }
    try {
        const TIndexedImage reduced =
            ReduceColors(ToRgbImage(DrawSplash()), 256, TPaletteMethod::MedianCut);
        TGifPicture picture;
        picture.AddFrame(ToQImage(reduced));
        picture.SetComment("Duebell splash picture");
        picture.SaveToFile(QString::fromLocal8Bit(argv[1]));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
