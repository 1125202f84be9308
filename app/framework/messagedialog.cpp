#include "app/framework/messagedialog.h"

#include "app/framework/helpsystem.h"
#include "app/framework/messagelayout.h"
#include "app/framework/modalrunner.h"
#include "controls/modalresult.h"
#include "controls/uihooks.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <algorithm>
#include <map>

namespace duebell {

namespace {

const char* TitleOf(TMsgDlgType type) {
    switch (type) {
    case mtWarning:
        return "Warning";
    case mtError:
        return "Error";
    case mtInformation:
        return "Information";
    case mtConfirmation:
        return "Confirm";
    case mtCustom:
        break;
    }
    return nullptr;
}

QIcon IconOf(TMsgDlgType type, const QStyle& style) {
    switch (type) {
    case mtWarning:
        return style.standardIcon(QStyle::SP_MessageBoxWarning);
    case mtError:
        return style.standardIcon(QStyle::SP_MessageBoxCritical);
    case mtInformation:
        return style.standardIcon(QStyle::SP_MessageBoxInformation);
    case mtConfirmation:
        return style.standardIcon(QStyle::SP_MessageBoxQuestion);
    case mtCustom:
        break;
    }
    return {};
}

std::string WithoutAmpersands(std::string caption) {
    caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
    return caption;
}

// A carriage return alone or before a line feed is one line break on screen.
QString DisplayText(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QSize AverageCharSize(const QFontMetrics& metrics) {
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return QSize(metrics.horizontalAdvance(letters) / 52, metrics.height());
}

// Caption widths are measured once and kept for later dialogs.
int CaptionWidth(const std::string& caption, const QFontMetrics& metrics) {
    static std::map<std::string, int> widths;
    const auto found = widths.find(caption);
    if (found != widths.end())
        return found->second;
    const int width = metrics.horizontalAdvance(QString::fromStdString(WithoutAmpersands(caption)));
    widths.emplace(caption, width);
    return width;
}

QRect ScreenGeometry() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry() : QRect(0, 0, 800, 600);
}

// The most room a dialog's inside may take: the screen's free area less a frame of 8 pixels on
// either side and the height of a title bar (30) and of a task bar (40) the platform may not
// count, so the whole window and its buttons stay in sight.
QSize LargestClient() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect free = screen != nullptr ? screen->availableGeometry() : ScreenGeometry();
    return free.size() - QSize(2 * 8, 30 + 40);
}

QWidget* VisibleMainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(widget) != nullptr && widget->isVisible())
            return widget;
    return nullptr;
}

void CentreOn(QWidget& window, const QRect& area) {
    window.move(area.center() - QPoint(window.width() / 2, window.height() / 2));
}

const std::string DividingLine = std::string(27, '-') + "\r\n";

} // namespace

TMessageForm::TMessageForm(const std::string& text, TMsgDlgType type,
                           std::vector<TMessageButton> buttons, int defaultButton, int cancelButton)
    : message_(text), buttons_(std::move(buttons)), cancelButton_(cancelButton) {
    setObjectName("MessageForm");
    const char* title = TitleOf(type);
    title_ = title != nullptr ? title : QApplication::applicationName().toStdString();
    setWindowTitle(QString::fromStdString(title_));
    setLayoutDirection(QApplication::layoutDirection());
    setFont(QApplication::font("QMessageBox"));

    const QFontMetrics metrics(font());
    const QString shown = DisplayText(text);
    const QRect measured = metrics.boundingRect(QRect(0, 0, ScreenGeometry().width() / 2, 0),
                                                Qt::TextWordWrap | Qt::AlignLeft, shown);
    int widestCaption = 0;
    for (const TMessageButton& button : buttons_)
        widestCaption = std::max(widestCaption, CaptionWidth(button.caption, metrics));
    const QIcon icon = IconOf(type, *style());
    const TMessageLayout layout =
        LayoutMessageDialog(AverageCharSize(metrics), measured.size(), !icon.isNull(),
                            static_cast<int>(buttons_.size()), widestCaption, LargestClient(),
                            style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
    setFixedSize(layout.client);

    if (!icon.isNull()) {
        auto* image = new QLabel(this);
        image->setObjectName("Image");
        image->setPixmap(icon.pixmap(MessageIconSize, MessageIconSize));
        image->setGeometry(QStyle::visualRect(layoutDirection(), rect(), layout.icon));
    }
    auto* label = new QLabel(shown, this);
    label->setObjectName("Message");
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    const QRect textPlace = QStyle::visualRect(layoutDirection(), rect(), layout.text);
    if (layout.scrollsDown || layout.scrollsAcross) {
        // A message longer than the screen scrolls in its place; the buttons stay in sight.
        auto* area = new QScrollArea(this);
        area->setObjectName("MessageArea");
        area->setFrameShape(QFrame::NoFrame);
        area->setBackgroundRole(QPalette::Window);
        area->setVerticalScrollBarPolicy(layout.scrollsDown ? Qt::ScrollBarAlwaysOn
                                                            : Qt::ScrollBarAlwaysOff);
        area->setHorizontalScrollBarPolicy(layout.scrollsAcross ? Qt::ScrollBarAlwaysOn
                                                                : Qt::ScrollBarAlwaysOff);
        label->resize(measured.size());
        area->setWidget(label);
        area->setGeometry(textPlace);
    } else {
        label->setGeometry(textPlace);
    }

    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const TMessageButton& spec = buttons_[i];
        auto* button = new QPushButton(QString::fromStdString(spec.caption), this);
        button->setObjectName(QString::fromStdString(spec.name));
        button->setGeometry(QStyle::visualRect(layoutDirection(), rect(), layout.buttons[i]));
        const int result = spec.modalResult;
        connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
        if (static_cast<int>(i) == defaultButton) {
            button->setDefault(true);
            button->setFocus();
        }
    }
    CentreOn(*this, ScreenGeometry());
}

void TMessageForm::SetTitle(const std::string& title) {
    title_ = title;
    setWindowTitle(QString::fromStdString(title_));
}

std::string TMessageForm::Text() const {
    std::string captions;
    for (const TMessageButton& button : buttons_)
        captions += WithoutAmpersands(button.caption) + "   ";
    return DividingLine + title_ + "\r\n" + DividingLine + message_ + "\r\n" + DividingLine +
           captions + "\r\n" + DividingLine;
}

void TMessageForm::CopyToClipboard() {
    MessageBeep();
    SetClipboardText(Text());
}

void TMessageForm::reject() {
    done(mrCancel);
}

void TMessageForm::keyPressEvent(QKeyEvent* event) {
    GuardEvent([&] {
        const Qt::KeyboardModifiers modifiers =
            event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        if (event->key() == Qt::Key_C && modifiers == Qt::ControlModifier) {
            CopyToClipboard();
        } else if (event->key() == Qt::Key_Escape && modifiers == Qt::NoModifier) {
            if (cancelButton_ >= 0 && cancelButton_ < static_cast<int>(buttons_.size()))
                done(buttons_[cancelButton_].modalResult);
        } else if (event->key() == Qt::Key_F1 && helpContext_ != 0) {
            ShowHelpContext(helpContext_);
        } else {
            QDialog::keyPressEvent(event);
        }
    });
}

std::unique_ptr<TMessageForm> CreateMessageDialog(const std::string& text, TMsgDlgType type,
                                                  TMsgDlgButtonsEx buttons) {
    static const TMessageButton table[] = {{"Print", "&Print", mrPrint},
                                           {"Clear", "C&lear", mrClear},
                                           {"OK", "OK", mrOk},
                                           {"Cancel", "Cancel", mrCancel}};
    static const TMsgDlgBtnEx members[] = {mbPrint, mbClear, mbOK, mbCancel};
    std::vector<TMessageButton> row;
    int defaultButton = -1;
    int cancelButton = -1;
    int printButton = -1;
    int okButton = -1;
    for (int i = 0; i < 4; ++i) {
        if ((buttons & members[i]) == 0)
            continue;
        const int index = static_cast<int>(row.size());
        if (members[i] == mbPrint)
            printButton = index;
        if (members[i] == mbOK)
            okButton = index;
        if (members[i] == mbCancel)
            cancelButton = index;
        row.push_back(table[i]);
    }
    defaultButton = okButton >= 0 ? okButton : printButton;
    if (cancelButton < 0)
        cancelButton = okButton;
    return std::make_unique<TMessageForm>(text, type, std::move(row), defaultButton, cancelButton);
}

int RunMessageForm(TMessageForm& form) {
    if (QWidget* mainWindow = VisibleMainWindow())
        CentreOn(form, mainWindow->frameGeometry());
    return ExecModal(form);
}

int MessageDlgEx(const std::string& text, TMsgDlgType type, TMsgDlgButtonsEx buttons,
                 int helpContext) {
    std::unique_ptr<TMessageForm> form = CreateMessageDialog(text, type, buttons);
    form->SetHelpContext(helpContext);
    return RunMessageForm(*form);
}

} // namespace duebell
