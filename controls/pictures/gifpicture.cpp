#include "controls/pictures/gifpicture.h"

#include "controls/pictures/formats/colorreduction.h"
#include "controls/pictures/formats/gifread.h"
#include "controls/pictures/formats/gifwrite.h"
#include "controls/pictures/formats/pictureerrors.h"
#include "controls/pictures/pictureregistry.h"
#include "controls/pictures/qtpixels.h"

#include <QIODevice>
#include <QMimeData>
#include <QPainter>
#include <algorithm>
#include <cstring>

namespace duebell::pictures {

namespace {

// The bitmap as palette indices: indexed bitmaps keep their table, others are reduced.
TIndexedImage IndexedFrom(const QImage& bitmap) {
    const QImage::Format format = bitmap.format();
    const bool indexed = format == QImage::Format_Mono || format == QImage::Format_MonoLSB ||
                         format == QImage::Format_Indexed8;
    if (!indexed || bitmap.colorCount() < 1 || bitmap.colorCount() > 256) {
        return ReduceColors(ToRgbImage(bitmap), 256, TPaletteMethod::Histogram);
    }
    const QImage bytes = bitmap.convertToFormat(QImage::Format_Indexed8);
    TIndexedImage result{bytes.width(), bytes.height(), {}, {}};
    const QList<QRgb> table = bitmap.colorTable();
    result.palette.assign(table.begin(), table.end());
    result.indices.resize(static_cast<std::size_t>(bytes.width()) * bytes.height());
    const std::uint8_t last = static_cast<std::uint8_t>(table.size() - 1);
    for (int y = 0; y < bytes.height(); ++y) {
        const uchar* row = bytes.constScanLine(y);
        std::uint8_t* out = result.indices.data() + static_cast<std::size_t>(y) * bytes.width();
        for (int x = 0; x < bytes.width(); ++x) {
            out[x] = std::min(row[x], last);
        }
    }
    return result;
}

// Pads a table to the next power of two from 2 with black, and makes every entry opaque.
TColorTable PaddedTable(const TColorTable& palette) {
    std::size_t size = 2;
    while (size < palette.size()) {
        size *= 2;
    }
    TColorTable table(size, MakeArgb(0, 0, 0));
    for (std::size_t i = 0; i < palette.size(); ++i) {
        table[i] = palette[i] | 0xFF000000;
    }
    return table;
}

int FirstTransparentEntry(const TColorTable& palette) {
    const auto it =
        std::find_if(palette.begin(), palette.end(), [](TArgb c) { return AlphaOf(c) == 0; });
    return it == palette.end() ? -1 : static_cast<int>(it - palette.begin());
}

// The area frames cover: the logical screen, or the frames' extent when it has no size.
QSize CanvasSize(const TGifSharedImage& image) {
    if (image.width > 0 && image.height > 0) {
        return {image.width, image.height};
    }
    QSize size;
    for (const TGifPictureFrame& frame : image.frames) {
        size = size.expandedTo(QSize(frame.left + frame.width, frame.top + frame.height));
    }
    return size;
}

} // namespace

TGifPicture::TGifPicture() : image_(std::make_shared<TGifSharedImage>()) {}

void TGifPicture::Forget() const {
    drawn_.clear();
    drawnBytes_ = 0;
}

TGifSharedImage& TGifPicture::Edit() {
    Forget();
    if (image_.use_count() > 1) {
        image_ = std::make_shared<TGifSharedImage>(*image_);
    }
    return *image_;
}

void TGifPicture::Assign(const TGifPicture& source) {
    Forget();
    image_ = source.image_;
    current_ = 0;
}

void TGifPicture::Assign(const QImage& bitmap) {
    TGifPicture fresh;
    fresh.AddFrame(bitmap);
    Forget();
    image_ = fresh.image_;
    current_ = 0;
}

void TGifPicture::Draw(QPainter& painter, const QPoint& at) const {
    painter.drawImage(at, Bitmap());
}

void TGifPicture::StretchDraw(QPainter& painter, const QRect& rect) const {
    painter.drawImage(rect, Bitmap());
}

void TGifPicture::Load(const QByteArray& bytes, qint64* consumed) {
    ByteReader in(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                  static_cast<std::size_t>(bytes.size()));
    TGifReadOptions options;
    options.tolerateDamage = tolerateDamage_;
    options.progress = onProgress_;
    image_ = std::make_shared<TGifSharedImage>(ReadGif(in, options));
    Forget();
    current_ = 0;
    if (consumed != nullptr) {
        *consumed = static_cast<qint64>(in.Position());
    }
}

void TGifPicture::LoadFromStream(QIODevice& stream) {
    const qint64 start = stream.pos();
    const QByteArray bytes = stream.readAll();
    qint64 consumed = 0;
    try {
        Load(bytes, &consumed);
    } catch (...) {
        if (!stream.isSequential()) {
            stream.seek(start);
        }
        throw;
    }
    if (!stream.isSequential()) {
        stream.seek(start + consumed);
    }
}

void TGifPicture::SaveToStream(QIODevice& stream) const {
    const std::string bytes = WriteGif(*image_);
    if (stream.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
        static_cast<qint64>(bytes.size())) {
        throw EWriteError();
    }
}

void TGifPicture::LoadFromFile(const QString& fileName) {
    Load(ReadWholeFile(fileName), nullptr);
}

void TGifPicture::SaveToFile(const QString& fileName) const {
    WriteWholeFile(fileName, QByteArray::fromStdString(WriteGif(*image_)));
}

void TGifPicture::LoadFromMimeData(const QMimeData& data) {
    for (const char* format : {GifMimeType, GifClipboardFormat}) {
        if (data.hasFormat(QString::fromLatin1(format))) {
            Load(data.data(QString::fromLatin1(format)), nullptr);
            return;
        }
    }
    throw EInvalidGraphic("Unsupported clipboard format");
}

void TGifPicture::SaveToMimeData(QMimeData& data) const {
    const QByteArray bytes = QByteArray::fromStdString(WriteGif(*image_));
    data.setData(QString::fromLatin1(GifClipboardFormat), bytes);
    data.setData(QString::fromLatin1(GifMimeType), bytes);
}

void TGifPicture::SetWidth(int) {
    throw EInvalidGraphicOperation("Cannot change the Size of a GIF image");
}

void TGifPicture::SetHeight(int) {
    throw EInvalidGraphicOperation("Cannot change the Size of a GIF image");
}

QList<QRgb> TGifPicture::Palette() const {
    const TColorTable& table = image_->colorTable.empty() && !image_->frames.empty()
                                   ? image_->frames.front().colorTable
                                   : image_->colorTable;
    return QList<QRgb>(table.begin(), table.end());
}

const TGifPictureFrame& TGifPicture::Frame(int index) const {
    return image_->frames.at(static_cast<std::size_t>(index));
}

QImage TGifPicture::FrameBitmap(int index) const {
    const TGifPictureFrame& frame = Frame(index);
    if (frame.width == 0 || frame.height == 0) {
        return {};
    }
    TIndexedImage indexed{frame.width, frame.height, FrameColorTable(*image_, frame), frame.pixels};
    if (frame.transparentIndex >= 0 &&
        frame.transparentIndex < static_cast<int>(indexed.palette.size())) {
        indexed.palette[static_cast<std::size_t>(frame.transparentIndex)] &= 0xFFFFFF;
    }
    return ToQImage(indexed);
}

int TGifPicture::AddFrame(const QImage& bitmap, const TGifFrameOptions& options) {
    const TIndexedImage indexed = IndexedFrom(bitmap);
    TGifPictureFrame frame;
    frame.left = options.left;
    frame.top = options.top;
    frame.width = indexed.width;
    frame.height = indexed.height;
    frame.delay = options.delay;
    frame.disposal = options.disposal;
    frame.interlaced = options.interlaced;
    frame.transparentIndex = options.transparentIndex >= 0 ? options.transparentIndex
                                                           : FirstTransparentEntry(indexed.palette);
    frame.pixels = indexed.indices;
    TColorTable table = PaddedTable(indexed.palette);

    TGifSharedImage& image = Edit();
    if (image.colorTable.empty() && image.frames.empty()) {
        image.colorTable = std::move(table);
    } else if (table != image.colorTable) {
        frame.colorTable = std::move(table);
    }
    EncodeFrame(image, frame);
    image.width = std::max(image.width, frame.left + frame.width);
    image.height = std::max(image.height, frame.top + frame.height);
    image.frames.push_back(std::move(frame));
    image.version = WritesExtensions(image) ? 2 : 1;
    return FrameCount() - 1;
}

void TGifPicture::SetCurrentFrame(int index) {
    current_ = std::clamp(index, 0, std::max(FrameCount() - 1, 0));
}

QImage TGifPicture::Bitmap() const {
    const QSize size = CanvasSize(*image_);
    if (image_->frames.empty() || size.isEmpty()) {
        return {};
    }
    if (const auto kept = drawn_.find(current_); kept != drawn_.end()) {
        return kept->second.shown;
    }
    // From the nearest frame before it that is kept, else from the empty screen.
    auto from = drawn_.lower_bound(current_);
    QImage screen;
    int next = 0;
    if (from != drawn_.begin()) {
        --from;
        screen = AfterFrame(from->first, from->second);
        next = from->first + 1;
    } else {
        screen = QImage(size, QImage::Format_ARGB32);
        screen.fill(Qt::transparent);
    }
    for (int i = next;; ++i) {
        DrawnFrame drawn = DrawFrame(i, std::move(screen));
        const std::size_t bytes =
            static_cast<std::size_t>(drawn.before.sizeInBytes() + drawn.shown.sizeInBytes());
        if (drawnBytes_ + bytes > MaxDrawnBytes) {
            Forget();
        }
        drawnBytes_ += bytes;
        const DrawnFrame& kept = drawn_[i] = std::move(drawn);
        if (i == current_) {
            return kept.shown;
        }
        screen = AfterFrame(i, kept);
    }
}

TGifPicture::DrawnFrame TGifPicture::DrawFrame(int index, QImage before) const {
    const TGifPictureFrame& frame = image_->frames[static_cast<std::size_t>(index)];
    QImage screen = before.copy();
    const QRect area = QRect(frame.left, frame.top, frame.width, frame.height) & screen.rect();
    const TColorTable table = FrameColorTable(*image_, frame);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const std::uint8_t* src =
            frame.pixels.data() + static_cast<std::size_t>(y - frame.top) * frame.width;
        QRgb* out = reinterpret_cast<QRgb*>(screen.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const std::size_t entry = std::min<std::size_t>(src[x - frame.left], table.size() - 1);
            if (static_cast<int>(entry) != frame.transparentIndex) {
                out[x] = table[entry] | 0xFF000000;
            }
        }
    }
    return {std::move(before), std::move(screen)};
}

QImage TGifPicture::AfterFrame(int index, const DrawnFrame& drawn) const {
    const TGifPictureFrame& frame = image_->frames[static_cast<std::size_t>(index)];
    if (frame.disposal == dmPrevious) {
        return drawn.before;
    }
    if (frame.disposal != dmBackground) {
        return drawn.shown;
    }
    QImage screen = drawn.shown.copy();
    const QRect area = QRect(frame.left, frame.top, frame.width, frame.height) & screen.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        std::fill_n(reinterpret_cast<QRgb*>(screen.scanLine(y)) + area.left(), area.width(), 0u);
    }
    return screen;
}

void TGifPicture::SetLoop(bool looping, int loopCount) {
    TGifSharedImage& image = Edit();
    image.looping = looping;
    image.loopCount = loopCount;
    image.version = WritesExtensions(image) ? 2 : 1;
}

void TGifPicture::SetComment(const std::string& comment) {
    TGifSharedImage& image = Edit();
    image.comment = comment;
    image.version = WritesExtensions(image) ? 2 : 1;
}

} // namespace duebell::pictures
