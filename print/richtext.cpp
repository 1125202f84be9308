#include "print/richtext.h"

#include "controls/fontmap.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextCursor>
#include <QTextOption>

namespace duebell {

namespace {

// Rich text lays out at the screen's 96 pixels per inch and is scaled to the device.
constexpr double LayoutPixelsPerInch = 96;

// The character limit of a hidden memo rides on the document as a dynamic property.
constexpr char MaxLengthProperty[] = "maxLength";

} // namespace

std::unique_ptr<TPqMemo> CopyMemo(const TPqMemo& memo) {
    auto copy = std::make_unique<TPqMemo>();
    copy->Document.reset(memo.Document ? memo.Document->clone() : new QTextDocument);
    copy->PlainMemo = memo.PlainMemo;
    return copy;
}

bool MemosEqual(const TPqMemo& a, const TPqMemo& b) {
    auto html = [](const TPqMemo& m) { return m.Document ? m.Document->toHtml() : QString(); };
    return html(a) == html(b);
}

std::unique_ptr<QTextDocument> CreateHiddenRichEdit() {
    auto document = std::make_unique<QTextDocument>();
    QTextOption option = document->defaultTextOption();
    option.setWrapMode(QTextOption::NoWrap);
    document->setDefaultTextOption(option);
    // Text without a font of its own is in the rich edit's dialog font at 8 points, whatever
    // the screen uses; a size in points also survives the HTML the memo is kept as.
    QFont font = MappedFont("MS Sans Serif");
    font.setPointSize(8);
    document->setDefaultFont(font);
    document->setProperty(MaxLengthProperty, HiddenRichEditMaxLength);
    return document;
}

void LoadRtfFromStream(QTextDocument& document, const QByteArray& bytes) {
    document.setHtml(QString::fromUtf8(bytes));
    bool limited = false;
    int maxLength = document.property(MaxLengthProperty).toInt(&limited);
    // characterCount() counts the closing paragraph separator too.
    if (limited && document.characterCount() - 1 > maxLength) {
        QTextCursor cursor(&document);
        cursor.setPosition(maxLength);
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
}

void SetRtfText(QTextDocument& document, const std::string& text) {
    if (!text.empty())
        LoadRtfFromStream(document, QByteArray::fromStdString(text));
}

std::string GetRtfText(const QTextDocument& document) {
    return document.toHtml().toUtf8().toStdString();
}

void DrawRtf(QPainter& painter, double pixelsPerInch, const QTextDocument& document, int firstChar,
             int lastChar, InchPoint pageSize, const InchRect& margins) {
    std::unique_ptr<QTextDocument> part(document.clone());
    int end = part->characterCount() - 1;
    if (lastChar >= 0 && lastChar + 1 < end) {
        QTextCursor tail(part.get());
        tail.setPosition(lastChar + 1);
        tail.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        tail.removeSelectedText();
    }
    if (firstChar > 0) {
        QTextCursor head(part.get());
        head.setPosition(std::min(firstChar, part->characterCount() - 1), QTextCursor::KeepAnchor);
        head.removeSelectedText();
    }
    QRectF text((margins.Left) * LayoutPixelsPerInch, margins.Top * LayoutPixelsPerInch,
                (pageSize.X - margins.Left - margins.Right) * LayoutPixelsPerInch,
                (pageSize.Y - margins.Top - margins.Bottom) * LayoutPixelsPerInch);
    if (text.width() <= 0 || text.height() <= 0)
        return;
    part->setDocumentMargin(0);
    part->setTextWidth(text.width());
    QTextOption option = part->defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    part->setDefaultTextOption(option);

    painter.save();
    double scale = pixelsPerInch / LayoutPixelsPerInch;
    painter.scale(scale, scale);
    painter.translate(text.topLeft());
    QRectF clip(QPointF(0, 0), text.size());
    painter.setClipRect(clip, Qt::IntersectClip);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = clip;
    part->documentLayout()->draw(&painter, context);
    painter.restore();
}

} // namespace duebell
