#include "print/previewwidget.h"

#include "controls/uihooks.h"
#include "print/devicecanvas.h"
#include "print/pagerender.h"
#include "print/printresources.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

namespace duebell {

namespace {

const QColor BackgroundGrey(128, 128, 128);

int Round(double v) {
    return static_cast<int>(std::lround(v));
}

QPen ScreenPen(const TPqPen& pen) {
    QPen screen(ToQColor(pen.Color()), std::max(pen.Width(), 1), ToQtPenStyle(pen.Style()));
    screen.setCosmetic(true);
    return screen;
}

} // namespace

TPqPreview::TPqPreview(QWidget* parent) : QAbstractScrollArea(parent) {
    EnsurePrintResources();
    setAccessibleName(QStringLiteral("Print preview"));
    resize(230, 300);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAcceptDrops(true);
    viewport()->setAutoFillBackground(false);
    horizontalScrollBar()->setSingleStep(8);
    verticalScrollBar()->setSingleStep(8);
    grid_.OnChange = [this] { PaperChanged(); };
    shadow_.OnChange = [this] { viewport()->update(); };
    model_.SetView(this);
    model_.RegisterListener(this);
    UpdateScrollBars();
}

TPqPreview::~TPqPreview() {
    model_.SetView(nullptr);
    model_.UnregisterListener(this);
}

QCursor TPqPreview::ZoomCursor(bool zoomIn) {
    EnsurePrintResources();
    QPixmap image(zoomIn ? ":/print/cursors/ZoomIn" : ":/print/cursors/ZoomOut");
    return QCursor(image, 12, 12);
}

QSize TPqPreview::PagePixels() const {
    const TPqPage& page = model_.GetPage(model_.CurrentPage());
    // The page's 600-per-inch picture shown at 96 pixels per inch times the zoom.
    auto screen = [&](double inches) {
        double pictureWidth = RoundHalfEven(inches * LogicalPixelsPerInch);
        return Round(model_.Zoom() / 100.0 * (pictureWidth / LogicalPixelsPerInch * 96));
    };
    return {screen(page.Width()), screen(page.Height())};
}

QSize TPqPreview::ImageSize() const {
    int gutter = model_.Gutter();
    return PagePixels() + QSize(2 * gutter, 2 * gutter);
}

QPoint TPqPreview::ImagePosition() const {
    QSize image = ImageSize();
    QSize client = viewport()->size();
    int x = -horizontalScrollBar()->value();
    int y = -verticalScrollBar()->value();
    if (client.width() > image.width())
        x += (client.width() - image.width()) / 2;
    if (client.height() > image.height())
        y += (client.height() - image.height()) / 2;
    return {x, y};
}

QRect TPqPreview::PaperRect() const {
    QPoint at = ImagePosition();
    QSize page = PagePixels();
    int gutter = model_.Gutter();
    return QRect(at.x() + gutter, at.y() + gutter, page.width() - 1, page.height() - 1);
}

void TPqPreview::UpdateScrollBars() {
    QSize image = ImageSize();
    QSize client = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, image.width() - client.width()));
    horizontalScrollBar()->setPageStep(client.width());
    verticalScrollBar()->setRange(0, std::max(0, image.height() - client.height()));
    verticalScrollBar()->setPageStep(client.height());
}

void TPqPreview::PaperChanged() {
    // Keep the view on the same part of the page when the zoom changes the scroll ranges.
    auto fraction = [](const QScrollBar* bar) {
        return bar->maximum() > 0 ? double(bar->value()) / bar->maximum() : 0.0;
    };
    double across = fraction(horizontalScrollBar());
    double down = fraction(verticalScrollBar());
    UpdateScrollBars();
    horizontalScrollBar()->setValue(Round(across * horizontalScrollBar()->maximum()));
    verticalScrollBar()->setValue(Round(down * verticalScrollBar()->maximum()));
    viewport()->update();
}

void TPqPreview::PreviewMessage(TPqPreviewMessage message, int) {
    if (message == pqmBeginUpdate)
        SetScreenCursor(crHourGlass);
    else if (message == pqmEndUpdate && !model_.Updating())
        SetScreenCursor(crDefault);
}

void TPqPreview::DrawGrid(QPainter& painter, const TPqPage& page) const {
    if (grid_.GridStyle() == pqNoGrid)
        return;
    double spacing = grid_.Spacing();
    int columns = static_cast<int>(page.Width() / spacing);
    int rows = static_cast<int>(page.Height() / spacing);
    QPen pen(ToQColor(grid_.GridColor()), 0);
    painter.setPen(pen);
    auto at = [&](double inches) { return DeviceUnits(inches); };
    if (grid_.GridStyle() == pqDots) {
        for (int i = 1; i <= columns; ++i)
            for (int j = 1; j <= rows; ++j)
                painter.drawPoint(at(i * spacing), at(j * spacing));
    } else {
        for (int i = 1; i <= columns; ++i)
            painter.drawLine(at(i * spacing), 0, at(i * spacing), at(page.Height()));
        for (int j = 1; j <= rows; ++j)
            painter.drawLine(0, at(j * spacing), at(page.Width()), at(j * spacing));
    }
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, at(page.Width()), at(page.Height()));
}

void TPqPreview::PaintPage(QPainter& painter, const QRect& paper, const QRect& exposed) {
    TPqPage& page = model_.GetPage(model_.CurrentPage());
    // Only the exposed part of the paper is drawn, straight onto the screen: no picture of the
    // whole page at the zoom, so memory stays that of the window at any zoom and device pixel
    // ratio, and the page is sharp on a high-density screen.
    painter.save();
    painter.setClipRect(exposed);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    TPqRenderTarget target;
    target.Origin = paper.topLeft();
    target.PixelsPerInchX = paper.width() / page.Width();
    target.PixelsPerInchY = paper.height() / page.Height();
    RenderPageRichText(painter, page, target);
    painter.save();
    painter.translate(target.Origin);
    painter.scale(target.PixelsPerInchX / LogicalPixelsPerInch,
                  target.PixelsPerInchY / LogicalPixelsPerInch);
    DrawGrid(painter, page);
    painter.restore();
    RenderPage(painter, page, target);
    painter.restore();
}

void TPqPreview::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    GuardEvent([this] { model_.Loaded(); });
    if (window() != this) {
        window()->removeEventFilter(this);
        window()->installEventFilter(this);
    }
}

bool TPqPreview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window() && event->type() == QEvent::Close && model_.Printing()) {
        event->ignore();
        return true;
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

void TPqPreview::paintEvent(QPaintEvent* event) {
    GuardEvent([&] {
        QPainter painter(viewport());
        painter.fillRect(viewport()->rect(), BackgroundGrey);
        if (model_.Updating())
            return;
        QRect paper = PaperRect();
        painter.setPen(Qt::black);
        painter.setBrush(Qt::white);
        painter.drawRect(paper.adjusted(0, 0, -1, -1));
        if (shadow_.Visible()) {
            int thickness = shadow_.Width() + 1;
            QColor shade = ToQColor(shadow_.Color());
            painter.fillRect(
                QRect(paper.right() + 1, paper.top() + thickness, thickness, paper.height()),
                shade);
            painter.fillRect(
                QRect(paper.left() + thickness, paper.bottom() + 1, paper.width(), thickness),
                shade);
        }
        if (QRect exposed = event->rect() & paper; !exposed.isEmpty())
            PaintPage(painter, paper, exposed);

        auto outline = [&](const InchRect& margins, const TPqPen& pen) {
            auto pixels = [&](double inches) { return Round(inches * 96 * model_.Zoom() / 100.0); };
            QRect inside(
                QPoint(paper.left() + pixels(margins.Left), paper.top() + pixels(margins.Top)),
                QPoint(paper.right() - pixels(margins.Right),
                       paper.bottom() - pixels(margins.Bottom)));
            painter.setPen(ScreenPen(pen));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(inside.adjusted(-1, -1, 1, 1));
        };
        TPqMargins& margins = model_.Margins();
        if (margins.Visible())
            outline(margins.Inches(), margins.Pen());
        if (margins.ShowPrinterMargins())
            outline(model_.Printer().PrinterMargins(), margins.PrinterMarginPen());
    });
}

void TPqPreview::resizeEvent(QResizeEvent* event) {
    GuardEvent([&] {
        QAbstractScrollArea::resizeEvent(event);
        UpdateScrollBars();
        model_.HandleMessage(pqmReposition, 0);
    });
}

void TPqPreview::scrollContentsBy(int, int) {
    viewport()->update();
}

void TPqPreview::keyPressEvent(QKeyEvent* event) {
    GuardEvent([&] {
        QScrollBar* vertical = verticalScrollBar();
        QScrollBar* horizontal = horizontalScrollBar();
        QScrollBar* primary = vertical->maximum() > 0 ? vertical : horizontal;
        switch (event->key()) {
        case Qt::Key_PageUp:
            primary->setValue(primary->value() - 10 * primary->singleStep());
            break;
        case Qt::Key_PageDown:
            primary->setValue(primary->value() + 10 * primary->singleStep());
            break;
        case Qt::Key_Home:
            horizontal->setValue(horizontal->minimum());
            vertical->setValue(vertical->minimum());
            break;
        case Qt::Key_End:
            horizontal->setValue(horizontal->maximum());
            vertical->setValue(vertical->maximum());
            break;
        case Qt::Key_Up:
            vertical->setValue(vertical->value() - vertical->singleStep());
            break;
        case Qt::Key_Down:
            vertical->setValue(vertical->value() + vertical->singleStep());
            break;
        case Qt::Key_Left:
            horizontal->setValue(horizontal->value() - horizontal->singleStep());
            break;
        case Qt::Key_Right:
            horizontal->setValue(horizontal->value() + horizontal->singleStep());
            break;
        default:
            QAbstractScrollArea::keyPressEvent(event);
            return;
        }
        event->accept();
    });
}

void TPqPreview::wheelEvent(QWheelEvent* event) {
    GuardEvent([&] {
        QScrollBar* bar =
            verticalScrollBar()->maximum() > 0 ? verticalScrollBar() : horizontalScrollBar();
        int turn = event->angleDelta().y();
        if (turn != 0)
            bar->setValue(bar->value() + (turn < 0 ? bar->singleStep() : -bar->singleStep()));
        event->accept();
    });
}

bool TPqPreview::PagePoint(QPoint viewportPoint, double& x, double& y) const {
    QRect paper = PaperRect();
    if (!paper.contains(viewportPoint) || paper.width() <= 0 || paper.height() <= 0)
        return false;
    const TPqPage& page = model_.GetPage(model_.CurrentPage());
    x = double(viewportPoint.x() - paper.left()) * page.Width() / paper.width();
    y = double(viewportPoint.y() - paper.top()) * page.Height() / paper.height();
    return true;
}

TPqBaseObject* TPqPreview::ObjectAt(double x, double y) const {
    const TPqPage& page = model_.GetPage(model_.CurrentPage());
    for (int i = page.ObjectCount() - 1; i >= 0; --i)
        if (PointInObjectRect(page.Objects(i).GetBounds(), {x, y}))
            return &page.Objects(i);
    return nullptr;
}

bool TPqPreview::TrackMouse(const QMouseEvent& event, double& x, double& y) {
    if (!PagePoint(event.position().toPoint(), x, y))
        return false;
    mousePosition_.X().SetAsInches(x);
    mousePosition_.Y().SetAsInches(y);
    return true;
}

void TPqPreview::mousePressEvent(QMouseEvent* event) {
    GuardEvent([&] {
        double x = 0, y = 0;
        if (!TrackMouse(*event, x, y))
            return;
        setFocus();
        if (OnPageMouseDown)
            OnPageMouseDown(event->button(), event->modifiers(), mousePosition_.X(),
                            mousePosition_.Y());
        if (TPqBaseObject* object = ObjectAt(x, y); object && OnObjectMouseDown)
            OnObjectMouseDown(event->button(), event->modifiers(), mousePosition_.X(),
                              mousePosition_.Y(), *object);
    });
}

void TPqPreview::mouseMoveEvent(QMouseEvent* event) {
    GuardEvent([&] {
        double x = 0, y = 0;
        if (!TrackMouse(*event, x, y))
            return;
        if (OnPageMouseMove)
            OnPageMouseMove(event->modifiers(), mousePosition_.X(), mousePosition_.Y());
        if (TPqBaseObject* object = ObjectAt(x, y); object && OnObjectMouseMove)
            OnObjectMouseMove(event->modifiers(), mousePosition_.X(), mousePosition_.Y(), *object);
    });
}

void TPqPreview::mouseReleaseEvent(QMouseEvent* event) {
    GuardEvent([&] {
        double x = 0, y = 0;
        if (!TrackMouse(*event, x, y))
            return;
        if (OnPageMouseUp)
            OnPageMouseUp(event->button(), event->modifiers(), mousePosition_.X(),
                          mousePosition_.Y());
        if (TPqBaseObject* object = ObjectAt(x, y); object && OnObjectMouseUp)
            OnObjectMouseUp(event->button(), event->modifiers(), mousePosition_.X(),
                            mousePosition_.Y(), *object);
    });
}

bool TPqPreview::DragOver(QDropEvent& event) {
    double x = 0, y = 0;
    if (!OnPageDragOver || !PagePoint(event.position().toPoint(), x, y)) {
        if (dragOnPaper_)
            DragLeftPaper(event.source(), event.mimeData());
        return false;
    }
    const TDragState state = dragOnPaper_ ? dsDragMove : dsDragEnter;
    dragOnPaper_ = true;
    dragPosition_.X().SetAsInches(x);
    dragPosition_.Y().SetAsInches(y);
    bool accept = true;
    OnPageDragOver(event.source(), event.mimeData(), dragPosition_.X(), dragPosition_.Y(), state,
                   accept);
    return accept;
}

void TPqPreview::DragLeftPaper(QObject* source, const QMimeData* data) {
    dragOnPaper_ = false;
    bool accept = true;
    if (OnPageDragOver)
        OnPageDragOver(source, data, dragPosition_.X(), dragPosition_.Y(), dsDragLeave, accept);
}

void TPqPreview::dragEnterEvent(QDragEnterEvent* event) {
    dragOnPaper_ = false;
    dropAccepted_ = false;
    if (!OnPageDragOver) {
        event->ignore();
        return;
    }
    // Taken on, so its moves over the paper are heard; whether it may drop is decided there.
    event->accept();
    GuardEvent([&] { dropAccepted_ = DragOver(*event); });
    if (!dropAccepted_)
        event->setDropAction(Qt::IgnoreAction);
}

void TPqPreview::dragMoveEvent(QDragMoveEvent* event) {
    dropAccepted_ = false;
    GuardEvent([&] { dropAccepted_ = DragOver(*event); });
    if (dropAccepted_)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TPqPreview::dragLeaveEvent(QDragLeaveEvent*) {
    dropAccepted_ = false;
    if (dragOnPaper_)
        GuardEvent([&] { DragLeftPaper(nullptr, nullptr); });
}

void TPqPreview::dropEvent(QDropEvent* event) {
    const bool accepted = dropAccepted_;
    dragOnPaper_ = false;
    dropAccepted_ = false;
    double x = 0, y = 0;
    if (!accepted || !OnPageDragDrop || !PagePoint(event->position().toPoint(), x, y)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    GuardEvent([&] {
        dragPosition_.X().SetAsInches(x);
        dragPosition_.Y().SetAsInches(y);
        OnPageDragDrop(event->source(), event->mimeData(), dragPosition_.X(), dragPosition_.Y());
    });
}

void TPqPreview::enterEvent(QEnterEvent*) {
    GuardEvent([&] {
        mouseInside_ = true;
        if (OnMouseEnter)
            OnMouseEnter();
    });
}

void TPqPreview::leaveEvent(QEvent*) {
    GuardEvent([&] {
        if (rect().contains(mapFromGlobal(QCursor::pos())))
            return;
        SetScreenCursor(crDefault);
        mouseInside_ = false;
        if (OnMouseLeave)
            OnMouseLeave();
    });
}

} // namespace duebell
