// Rich text as the library moves it between streams, texts and memos, and draws a page of it.
// The rich-text form is HTML held by a QTextDocument.
#pragma once

#include "print/types.h"

#include <QByteArray>
#include <QTextDocument>
#include <functional>
#include <memory>
#include <string>

class QPainter;

namespace duebell {

// A memo of the memo pool: its rich text, and whether it came from a plain memo.
struct TPqMemo {
    std::unique_ptr<QTextDocument> Document;
    bool PlainMemo = false;
};

std::unique_ptr<TPqMemo> CopyMemo(const TPqMemo& memo);
// Equal when both give the same rich-text bytes.
bool MemosEqual(const TPqMemo& a, const TPqMemo& b);

// The limit of characters a hidden memo holds.
inline constexpr int HiddenRichEditMaxLength = 1000000;

// An empty document without word wrap that holds at most HiddenRichEditMaxLength characters
// once loaded through LoadRtfFromStream.
std::unique_ptr<QTextDocument> CreateHiddenRichEdit();
// Asked for the rich edit a memo read from a stream is loaded into before it joins the pool;
// left null, a hidden rich edit (CreateHiddenRichEdit) serves. The asker keeps what it gives.
using TPqNeedRichEdit = std::function<void(QTextDocument*& richEdit)>;

// Replaces the document's text by the rich text in 'bytes' (UTF-8 HTML).
void LoadRtfFromStream(QTextDocument& document, const QByteArray& bytes);
// Does nothing for an empty text.
void SetRtfText(QTextDocument& document, const std::string& text);
std::string GetRtfText(const QTextDocument& document);

// Draws characters firstChar..lastChar (lastChar -1: to the end) of the document on a page of
// 'pageSize' inches, inside 'margins' (inches from each edge), onto a painter whose device
// has 'pixelsPerInch' and whose origin is the page corner.
void DrawRtf(QPainter& painter, double pixelsPerInch, const QTextDocument& document, int firstChar,
             int lastChar, InchPoint pageSize, const InchRect& margins);

} // namespace duebell
