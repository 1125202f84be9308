// The preview control: a scrolling window that shows the current page of its document as a
// sheet of paper on a grey background at the model's zoom, and reports mouse actions on the
// paper in page inches. All behaviour apart from painting lives in its TPqPreviewModel.
#pragma once

#include "controls/uihooks.h"
#include "print/paperdecor.h"
#include "print/previewmodel.h"
#include "print/value.h"

#include <QAbstractScrollArea>
#include <QCursor>
#include <functional>

class QMimeData;

namespace duebell {

// Where a drag is, as the paper hears of it.
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

class TPqPreview : public QAbstractScrollArea, private TPqPaperView, private TPqPreviewListener {
    Q_OBJECT
    // The user margins as a form keeps them: left, top, right, bottom in inches as comma text
    // with "." decimal points (margins.h). Written through Qt, a text without four numbers
    // changes nothing and its EConvertError goes to the application's handler.
    Q_PROPERTY(QString MarginValues READ MarginValues WRITE WriteMarginValues)
public:
    explicit TPqPreview(QWidget* parent = nullptr);
    ~TPqPreview() override;

    TPqPreviewModel& Model() { return model_; }
    TPqCanvas& Canvas() { return model_.Canvas(); }
    TPqPageGrid& PageGrid() { return grid_; }
    TPqShadow& Shadow() { return shadow_; }

    // Zoom the page to this control's own size.
    void FitWidth() { model_.FitWidth(width()); }
    void FitHeight() { model_.FitHeight(height()); }
    void FitWholePage() { model_.FitWholePage(width(), height()); }

    QString MarginValues() {
        return QString::fromStdString(MarginValuesText(model_.Margins()));
    }
    // Raises EConvertError, changing nothing, for a text without four numbers.
    void SetMarginValues(const QString& text) {
        SetMarginValuesText(model_.Margins(), text.toStdString());
    }

    // Where the paper lies in the viewport, pixels (gutters excluded, right and bottom one in).
    QRect PaperRect() const;
    bool MouseInside() const { return mouseInside_; }
    // The last mouse position on the page, inches.
    const TPqValuePoint& MousePosition() const { return mousePosition_; }

    // The class name and the library's version.
    static QString About() { return QStringLiteral("TPqPreview v2.83"); }
    // The zoom cursors, loaded from the program's resources.
    static QCursor ZoomCursor(bool zoomIn);

    using PageMouseEvent = std::function<void(Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                              TPqValue& x, TPqValue& y)>;
    using PageMouseMoveEvent =
        std::function<void(Qt::KeyboardModifiers shift, TPqValue& x, TPqValue& y)>;
    using ObjectMouseEvent = std::function<void(Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                                TPqValue& x, TPqValue& y, TPqBaseObject& object)>;
    using ObjectMouseMoveEvent = std::function<void(Qt::KeyboardModifiers shift, TPqValue& x,
                                                    TPqValue& y, TPqBaseObject& object)>;
    PageMouseEvent OnPageMouseDown;
    PageMouseEvent OnPageMouseUp;
    PageMouseMoveEvent OnPageMouseMove;
    ObjectMouseEvent OnObjectMouseDown;
    ObjectMouseEvent OnObjectMouseUp;
    ObjectMouseMoveEvent OnObjectMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // Something dragged (through Qt's drag and drop) over the paper: entering it, moving on
    // it, leaving it, at a page point in inches. 'source' is the widget the drag began in (none
    // from another program), 'data' what it carries; 'accept' (true on entry) says whether it
    // may be dropped there. With no handler nothing can be dropped on the paper.
    using PageDragOverEvent = std::function<void(QObject* source, const QMimeData* data,
                                                 TPqValue& x, TPqValue& y, TDragState state,
                                                 bool& accept)>;
    // Dropped on the paper where the last OnPageDragOver accepted it.
    using PageDragDropEvent =
        std::function<void(QObject* source, const QMimeData* data, TPqValue& x, TPqValue& y)>;
    PageDragOverEvent OnPageDragOver;
    PageDragDropEvent OnPageDragDrop;

protected:
    // While a job prints, the window holding the preview refuses to close.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void WriteMarginValues(const QString& text) {
        GuardEvent([&] { SetMarginValues(text); });
    }
    void PaperChanged() override;
    void PreviewMessage(TPqPreviewMessage message, int wParam) override;

    QSize PagePixels() const;
    QSize ImageSize() const;
    QPoint ImagePosition() const;
    void UpdateScrollBars();
    // Draws the current page into the paper rectangle, within the exposed rectangle.
    void PaintPage(QPainter& painter, const QRect& paper, const QRect& exposed);
    void DrawGrid(QPainter& painter, const TPqPage& page) const;
    // The page point under a viewport point, inches; false off the paper.
    bool PagePoint(QPoint viewportPoint, double& x, double& y) const;
    TPqBaseObject* ObjectAt(double x, double y) const;
    // Takes a mouse event's page point (inches) as the mouse position; false off the paper.
    bool TrackMouse(const QMouseEvent& event, double& x, double& y);
    // Tells OnPageDragOver where a drag is now; answers whether it may be dropped there.
    bool DragOver(QDropEvent& event);
    void DragLeftPaper(QObject* source, const QMimeData* data);

    TPqPreviewModel model_;
    TPqPageGrid grid_;
    TPqShadow shadow_;
    TPqValuePoint mousePosition_;
    bool mouseInside_ = false;
    TPqValuePoint dragPosition_; // inches; where a drag over the paper was last
    bool dragOnPaper_ = false;
    bool dropAccepted_ = false;
};

} // namespace duebell
