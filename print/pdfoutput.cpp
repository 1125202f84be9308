#include "print/pdfoutput.h"

#include "print/pagerender.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>

namespace duebell {

namespace {

QPageSize PaperOf(const TPqPageList& pages, const TPqPage& page) {
    switch (pages.PaperSize()) {
    case TPqPaperSize::A3:
        return QPageSize(QPageSize::A3);
    case TPqPaperSize::A4:
        return QPageSize(QPageSize::A4);
    case TPqPaperSize::A5:
        return QPageSize(QPageSize::A5);
    case TPqPaperSize::A6:
        return QPageSize(QPageSize::A6);
    case TPqPaperSize::B5:
        return QPageSize(QPageSize::B5);
    case TPqPaperSize::C5:
        return QPageSize(QPageSize::C5E);
    case TPqPaperSize::Legal:
        return QPageSize(QPageSize::Legal);
    case TPqPaperSize::Letter:
        return QPageSize(QPageSize::Letter);
    case TPqPaperSize::Custom:
        break;
    }
    QSizeF portrait(std::min(page.Width(), page.Height()), std::max(page.Width(), page.Height()));
    return QPageSize(portrait, QPageSize::Inch, QString(), QPageSize::ExactMatch);
}

QPageLayout LayoutOf(const TPqPageList& pages, const TPqPage& page) {
    return QPageLayout(PaperOf(pages, page),
                       page.Orientation() == pqLandscape ? QPageLayout::Landscape
                                                         : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

} // namespace

bool WritePdf(const TPqPageList& pages, const QString& fileName, const QString& title) {
    if (pages.Count() == 0)
        return false;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(LogicalPixelsPerInch);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Duebell"));
        writer.setPageLayout(LayoutOf(pages, pages.Pages(1)));
        QPainter painter;
        if (!painter.begin(&writer))
            return false;
        painter.setRenderHint(QPainter::Antialiasing);
        TPqRenderTarget target;
        target.Purpose = TPqRenderPurpose::Paper;
        for (int n = 1; n <= pages.Count(); ++n) {
            if (n > 1) {
                writer.setPageLayout(LayoutOf(pages, pages.Pages(n)));
                writer.newPage();
            }
            RenderPage(painter, pages.Pages(n), target);
        }
        painter.end();
    }
    return file.commit();
}

} // namespace duebell
