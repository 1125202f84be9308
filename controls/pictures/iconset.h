// Icons as Qt images read from and written to icon files, and the icon set: an ordered list
// of icons that tells of each change and keeps itself in a stored form as "Icons".
#pragma once

#include "controls/formstream.h"

#include <QByteArray>
#include <QImage>
#include <functional>
#include <vector>

class QIODevice;
class QMimeData;
class QString;

namespace duebell::pictures {

// The best image of an icon or cursor file (see formats/iconfile.h for the errors).
QImage ReadIcon(const QByteArray& bytes);
// An icon file of one image, at most 256 x 256.
QByteArray WriteIcon(const QImage& icon);
// The clipboard format "image/vnd.microsoft.icon".
void SaveIconToMimeData(const QImage& icon, QMimeData& data);
// Raises EInvalidGraphic "Unsupported clipboard format" when the data hold no icon.
QImage LoadIconFromMimeData(const QMimeData& data);

class TIconSet {
public:
    // Called after each change made outside BeginUpdate / EndUpdate, and when the last
    // EndUpdate closes a run of changes.
    std::function<void()> OnChange;

    void BeginUpdate() { ++updates_; }
    void EndUpdate();

    // Each takes a copy of the icon; a null one, or one larger than 256 x 256, raises
    // EInvalidGraphic "Icon image is not valid". Indices out of range raise ERangeError "List index
    // out of bounds (n)".
    int Add(const QImage& icon);
    void Insert(int index, const QImage& icon);
    // An icon file from the program's resources, by name (":/..." path).
    void InsertResource(int index, const QString& resourceName);
    void Delete(int index);
    // Deletes from the last icon to the first.
    void Clear();
    void Exchange(int index1, int index2);
    void Move(int from, int to);
    // The first icon with the same pixels, or -1.
    int IndexOf(const QImage& icon) const;
    int Count() const { return static_cast<int>(icons_.size()); }
    const QImage& Item(int index) const;
    // Replaces the entry with a copy of the icon.
    void SetItem(int index, const QImage& icon);

    // The stream: the count as a 32-bit number, then each icon as its file's size and bytes.
    // A bad stream raises EReadError and leaves the set as it was.
    void LoadFromStream(QIODevice& stream);
    void SaveToStream(QIODevice& stream) const;
    // The stream's bytes as the binary property "Icons" of a stored form.
    void WriteToForm(StoredForm& form) const;
    // Reads "Icons" when the form has it.
    void ReadFromForm(const StoredForm& form);

private:
    void CheckIndex(int index, int count) const;
    void Changed();
    QByteArray Saved() const;
    void Load(const QByteArray& bytes);

    std::vector<QImage> icons_;
    int updates_ = 0;
};

} // namespace duebell::pictures
