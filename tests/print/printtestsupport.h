// What the tests of the printing components share: an error-box recorder, output file names
// under the build folder, and page images rendered from a PDF by poppler's pdftoppm.
#pragma once

#include "pdforacle.h"
#include "print/messages.h"

#include <QDir>
#include <QImage>
#include <string>
#include <vector>

namespace duebell::test {

// Records the library's message boxes while it lives.
class RecordingSink : public TPqMessageSink {
public:
    RecordingSink() : previous_(SetPqMessageSink(this)) {}
    ~RecordingSink() override { SetPqMessageSink(previous_); }
    RecordingSink(const RecordingSink&) = delete;
    RecordingSink& operator=(const RecordingSink&) = delete;

    void Information(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;

private:
    TPqMessageSink* previous_;
};

inline QString OutputFile(const QString& name) {
    return QDir(DUEBELL_TEST_OUTPUT_DIR).filePath(name);
}

// Page 'page' of a PDF as pdftoppm draws it at 'dpi'; also left beside the PDF as
// "<pdf>-<page>.png" for a look by eye. A null image when pdftoppm failed.
inline QImage RenderPdfPage(const QString& pdf, int page, int dpi) {
    const QString prefix = pdf.chopped(4) + "-page";
    const QString number = QString::number(page);
    RunTool("pdftoppm", {"-png", "-r", QString::number(dpi), "-f", number, "-l", number,
                         "-singlefile", pdf, prefix + number});
    return QImage(prefix + number + ".png");
}

} // namespace duebell::test
