// An animated cursor (.ani): its frames as Qt images with their hot spots and display rates,
// the sequence in which they show, its title and its creator.
#pragma once

#include <QImage>
#include <QPoint>
#include <string>
#include <vector>

class QIODevice;
class QString;

namespace duebell::pictures {

struct TAniCursorFrame {
    QImage icon;
    QPoint hotspot;
    int rate = 0; // display time in jiffies (1/60 s)
};

class TAniCursor {
public:
    // Reads the rest of the stream as one animated cursor. Anything else raises EReadError
    // "Stream read error" and leaves the cursor as it was.
    void LoadFromStream(QIODevice& stream);
    void LoadFromFile(const QString& fileName);
    void Assign(const TAniCursor& source) { *this = source; }
    void Clear() { *this = TAniCursor(); }

    const std::vector<TAniCursorFrame>& Frames() const { return frames_; }
    int DefaultRate() const { return defaultRate_; }
    // Frame indices in the order they show.
    const std::vector<int>& Sequence() const { return sequence_; }
    const std::string& Title() const { return title_; }
    const std::string& Creator() const { return creator_; }

private:
    void Load(const QByteArray& bytes);

    std::vector<TAniCursorFrame> frames_;
    int defaultRate_ = 0;
    std::vector<int> sequence_;
    std::string title_;
    std::string creator_;
};

} // namespace duebell::pictures
