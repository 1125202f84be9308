#include "controls/pictures/iconset.h"

#include "controls/pictures/formats/bytereader.h"
#include "controls/pictures/formats/iconfile.h"
#include "controls/pictures/formats/pictureerrors.h"
#include "controls/pictures/pictureregistry.h"
#include "controls/pictures/qtpixels.h"
#include "controls/rangeerror.h"

#include <QIODevice>
#include <QMimeData>
#include <QString>
#include <algorithm>

namespace duebell::pictures {

namespace {

constexpr const char* IconsProperty = "Icons";

void CheckIcon(const QImage& icon) {
    if (icon.isNull() || icon.width() > 256 || icon.height() > 256) {
        throw EInvalidGraphic("Icon image is not valid");
    }
}

// Up to `size` bytes, read in pieces so that a damaged size never allocates more than the
// stream holds.
QByteArray ReadUpTo(QIODevice& stream, std::uint32_t size) {
    QByteArray bytes;
    while (static_cast<std::uint32_t>(bytes.size()) < size) {
        const QByteArray piece = stream.read(std::min<qint64>(size - bytes.size(), 65536));
        if (piece.isEmpty()) {
            break;
        }
        bytes += piece;
    }
    return bytes;
}

} // namespace

QImage ReadIcon(const QByteArray& bytes) {
    const TIconFile file =
        ReadIconFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return ToQImage(BestIconImage(file));
}

QByteArray WriteIcon(const QImage& icon) {
    CheckIcon(icon);
    return QByteArray::fromStdString(WriteIconFile({ToIconImage(icon)}));
}

void SaveIconToMimeData(const QImage& icon, QMimeData& data) {
    data.setData(QString::fromLatin1(IconMimeType), WriteIcon(icon));
}

QImage LoadIconFromMimeData(const QMimeData& data) {
    if (!data.hasFormat(QString::fromLatin1(IconMimeType))) {
        throw EInvalidGraphic("Unsupported clipboard format");
    }
    return ReadIcon(data.data(QString::fromLatin1(IconMimeType)));
}

void TIconSet::EndUpdate() {
    if (updates_ > 0 && --updates_ == 0) {
        Changed();
    }
}

void TIconSet::Changed() {
    if (updates_ == 0 && OnChange) {
        OnChange();
    }
}

void TIconSet::CheckIndex(int index, int count) const {
    if (index < 0 || index >= count) {
        throw ERangeError("List index out of bounds (" + std::to_string(index) + ")");
    }
}

int TIconSet::Add(const QImage& icon) {
    Insert(Count(), icon);
    return Count() - 1;
}

void TIconSet::Insert(int index, const QImage& icon) {
    CheckIndex(index, Count() + 1);
    CheckIcon(icon);
    icons_.insert(icons_.begin() + index, icon);
    Changed();
}

void TIconSet::InsertResource(int index, const QString& resourceName) {
    Insert(index, ReadIcon(ReadWholeFile(resourceName)));
}

void TIconSet::Delete(int index) {
    CheckIndex(index, Count());
    icons_.erase(icons_.begin() + index);
    Changed();
}

void TIconSet::Clear() {
    BeginUpdate();
    for (int i = Count() - 1; i >= 0; --i) {
        Delete(i);
    }
    EndUpdate();
}

void TIconSet::Exchange(int index1, int index2) {
    CheckIndex(index1, Count());
    CheckIndex(index2, Count());
    std::swap(icons_[static_cast<std::size_t>(index1)], icons_[static_cast<std::size_t>(index2)]);
    Changed();
}

void TIconSet::Move(int from, int to) {
    CheckIndex(from, Count());
    CheckIndex(to, Count());
    QImage icon = std::move(icons_[static_cast<std::size_t>(from)]);
    icons_.erase(icons_.begin() + from);
    icons_.insert(icons_.begin() + to, std::move(icon));
    Changed();
}

int TIconSet::IndexOf(const QImage& icon) const {
    for (int i = 0; i < Count(); ++i) {
        if (icons_[static_cast<std::size_t>(i)] == icon) {
            return i;
        }
    }
    return -1;
}

const QImage& TIconSet::Item(int index) const {
    CheckIndex(index, Count());
    return icons_[static_cast<std::size_t>(index)];
}

void TIconSet::SetItem(int index, const QImage& icon) {
    CheckIndex(index, Count());
    CheckIcon(icon);
    icons_[static_cast<std::size_t>(index)] = icon;
    Changed();
}

QByteArray TIconSet::Saved() const {
    std::string out;
    PutDWord(out, static_cast<std::uint32_t>(icons_.size()));
    for (const QImage& icon : icons_) {
        const QByteArray file = WriteIcon(icon);
        PutDWord(out, static_cast<std::uint32_t>(file.size()));
        out.append(file.constData(), static_cast<std::size_t>(file.size()));
    }
    return QByteArray::fromStdString(out);
}

void TIconSet::Load(const QByteArray& bytes) {
    ByteReader in(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                  static_cast<std::size_t>(bytes.size()));
    const std::uint32_t count = in.DWord();
    std::vector<QImage> icons;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::string_view file = in.Bytes(in.DWord());
        try {
            icons.push_back(ToQImage(BestIconImage(ReadIconFile(file))));
        } catch (const EInvalidGraphic&) {
            throw EReadError();
        }
    }
    icons_ = std::move(icons);
    Changed();
}

void TIconSet::SaveToStream(QIODevice& stream) const {
    const QByteArray bytes = Saved();
    if (stream.write(bytes) != bytes.size()) {
        throw EWriteError();
    }
}

void TIconSet::LoadFromStream(QIODevice& stream) {
    const qint64 start = stream.pos();
    QByteArray bytes = stream.read(4);
    if (bytes.size() == 4) {
        ByteReader countReader(reinterpret_cast<const std::uint8_t*>(bytes.constData()), 4);
        for (std::uint32_t i = 0, count = countReader.DWord(); i < count; ++i) {
            const QByteArray size = stream.read(4);
            bytes += size;
            if (size.size() < 4) {
                break;
            }
            ByteReader sizeReader(reinterpret_cast<const std::uint8_t*>(size.constData()), 4);
            bytes += ReadUpTo(stream, sizeReader.DWord());
        }
    }
    try {
        Load(bytes);
    } catch (...) {
        if (!stream.isSequential()) {
            stream.seek(start);
        }
        throw;
    }
}

void TIconSet::WriteToForm(StoredForm& form) const {
    FormProperty property{IconsProperty, {}};
    FormWriter(property).WriteBinary(Saved().toStdString());
    form.push_back(std::move(property));
}

void TIconSet::ReadFromForm(const StoredForm& form) {
    if (const FormProperty* property = FindFormProperty(form, IconsProperty)) {
        FormReader reader(*property);
        Load(QByteArray::fromStdString(reader.ReadBinary()));
    }
}

} // namespace duebell::pictures
