#include "app/main/aboutbox.h"

#include "app/main/mainresources.h"
#include "controls/modalresult.h"
#include "controls/uihooks.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

namespace duebell {

namespace {

// The web address: underlined, the screen's hand cursor while hovered (the cursor before comes
// back on leaving), opened with the desktop's browser on a click.
class WebAddressLabel : public QLabel {
public:
    explicit WebAddressLabel(QWidget* parent) : QLabel(QString(ProductWebAddress), parent) {
        setObjectName("lblWebAddress");
        QFont underlined = font();
        underlined.setUnderline(true);
        setFont(underlined);
        QPalette palette = this->palette();
        palette.setColor(QPalette::WindowText, Qt::blue);
        setPalette(palette);
    }

protected:
    void enterEvent(QEnterEvent*) override {
        GuardEvent([this] {
            cursorBefore_ = ScreenCursor();
            SetScreenCursor(crHandPoint);
        });
    }
    void leaveEvent(QEvent*) override {
        GuardEvent([this] { SetScreenCursor(cursorBefore_); });
    }
    void mouseReleaseEvent(QMouseEvent*) override {
        GuardEvent([] { QDesktopServices::openUrl(QUrl(QString(ProductWebAddress))); });
    }

private:
    TCursor cursorBefore_ = crDefault;
};

} // namespace

TfmAbout::TfmAbout() {
    EnsureMainResources();
    setObjectName("fmAbout");
    setWindowTitle("About Duebell");
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* picture = new QLabel(this);
    picture->setObjectName("imgPicture");
    picture->setPixmap(QPixmap(QStringLiteral(":/main/about.jpg")));
    auto* product = new QLabel(QStringLiteral("Duebell"), this);
    product->setObjectName("lblProduct");
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    product->setFont(big);
    auto* version = new QLabel(QStringLiteral("Duebell version 1.01"), this);
    version->setObjectName("lblVersion");
    auto* purpose = new QLabel(QStringLiteral("The loan book for instalment contracts"), this);
    auto* address = new WebAddressLabel(this);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName("btnOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { done(mrOk); });

    auto* layout = new QGridLayout(this);
    layout->addWidget(picture, 0, 0, 4, 1, Qt::AlignTop);
    layout->addWidget(product, 0, 1);
    layout->addWidget(version, 1, 1);
    layout->addWidget(purpose, 2, 1);
    layout->addWidget(address, 3, 1);
    layout->addWidget(ok, 4, 0, 1, 2, Qt::AlignRight);
    layout->setHorizontalSpacing(16);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace duebell
