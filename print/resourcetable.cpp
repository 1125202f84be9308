#include "print/resourcetable.h"

#include "objectlist/exceptions.h"
#include "print/richtext.h"

namespace duebell {

void TPqGraphicList::SaveToStream(TPqStream& stream) const {
    stream.WriteInt32(Count());
    for (int i = 0; i < Count(); ++i) {
        const TPqGraphic& graphic = *Items(i);
        stream.WriteByte(static_cast<std::uint8_t>(graphic.Kind()));
        std::int64_t offsetAt = stream.Position();
        stream.WriteInt32(0);
        const QByteArray& data = graphic.StoredForm();
        stream.WriteBytes(data.constData(), static_cast<std::size_t>(data.size()));
        std::int64_t end = stream.Position();
        stream.Seek(offsetAt);
        stream.WriteInt32(static_cast<std::int32_t>(end));
        stream.Seek(end);
    }
    SaveUseCounts(stream);
}

namespace {

// The fewest bytes a stored picture or memo takes: a kind or flag byte and an Int32.
constexpr int SmallestStoredEntry = 5;

std::int32_t ReadCount(TPqStream& stream) {
    const std::int32_t count = stream.ReadInt32();
    if (count < 0 || count > stream.Remaining() / SmallestStoredEntry)
        throw Exception("Stream read error");
    return count;
}

} // namespace

std::vector<TPqGraphic*> TPqGraphicList::LoadFromStream(TPqStream& stream) {
    const std::int32_t count = ReadCount(stream);
    std::vector<TPqGraphic*> kept;
    for (std::int32_t i = 0; i < count; ++i) {
        std::uint8_t kind = stream.ReadByte();
        std::int32_t end = stream.ReadInt32();
        if (end < stream.Position() || end > stream.Size())
            throw Exception("Stream read error");
        TPqGraphic* graphic = nullptr;
        if (kind <= static_cast<std::uint8_t>(TPqGraphicKind::Bitmap)) {
            QByteArray data(static_cast<qsizetype>(end - stream.Position()), '\0');
            stream.ReadBytes(data.data(), static_cast<std::size_t>(data.size()));
            if (auto read = TPqGraphic::FromStoredForm(static_cast<TPqGraphicKind>(kind), data))
                graphic = Append(std::make_unique<TPqGraphic>(std::move(*read)), 1);
        }
        kept.push_back(graphic);
        stream.Seek(end);
    }
    LoadUseCounts(stream, kept);
    return kept;
}

void TPqCustomMemoList::SaveToStream(TPqStream& stream) const {
    stream.WriteInt32(Count());
    for (int i = 0; i < Count(); ++i) {
        const TPqMemo& memo = *Items(i);
        stream.WriteBool(memo.PlainMemo);
        stream.WriteString(memo.Document ? GetRtfText(*memo.Document) : std::string());
    }
    SaveUseCounts(stream);
}

std::vector<TPqMemo*> TPqCustomMemoList::LoadFromStream(TPqStream& stream,
                                                       const TPqNeedRichEdit& needRichEdit) {
    const std::int32_t count = ReadCount(stream);
    std::vector<TPqMemo*> kept;
    for (std::int32_t i = 0; i < count; ++i) {
        TPqMemo memo;
        memo.PlainMemo = stream.ReadBool();
        const std::string text = stream.ReadString();
        QTextDocument* richEdit = nullptr;
        if (needRichEdit)
            needRichEdit(richEdit);
        if (richEdit == nullptr) {
            memo.Document = CreateHiddenRichEdit();
            SetRtfText(*memo.Document, text);
        } else {
            richEdit->clear();
            SetRtfText(*richEdit, text);
            memo.Document.reset(richEdit->clone());
        }
        kept.push_back(Add(memo));
    }
    LoadUseCounts(stream, kept);
    return kept;
}

void TPqResourceTable::Clear() {
    brushes_.Clear();
    fonts_.Clear();
    pens_.Clear();
    graphics_.Clear();
    memos_.Clear();
}

} // namespace duebell
