#include "windows/main/MessageBox.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextLayout>
#include <QVBoxLayout>
#include <QWindow>

#include <cmath>
#include <cstdlib>

#ifdef QUILLET_HAVE_XCB
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#endif

namespace quillet {
namespace {

constexpr int kIconSize = 32;
// A window manager that keeps moving the box gets this many answers.
constexpr int kMaxCorrections = 6;

QMargins FrameOf(const QWidget* window) {
    const QRect outer = window->frameGeometry(), inner = window->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

QScreen* ScreenOf(const QWidget* widget) {
    if (widget && widget->screen()) return widget->screen();
    return QGuiApplication::primaryScreen();
}

}  // namespace

// The text breaks at word breaks, and inside a word only when the word alone
// is longer than a line, so nothing of a long file name is cut off.
class MessageText : public QLabel {
public:
    MessageText(const QString& text, int maxWidth, QWidget* parent) : QLabel(text, parent) {
        setTextFormat(Qt::PlainText);
        setTextInteractionFlags(Qt::NoTextInteraction);
        setContentsMargins(0, 0, 0, 0);
        layout_.setText(text);
        layout_.setFont(font());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout_.setTextOption(option);
        qreal width = 0;
        qreal height = 0;
        layout_.beginLayout();
        for (QTextLine line = layout_.createLine(); line.isValid(); line = layout_.createLine()) {
            line.setLineWidth(maxWidth);
            line.setPosition(QPointF(0, height));
            height += line.height();
            width = std::max(width, line.naturalTextWidth());
        }
        layout_.endLayout();
        setFixedSize(static_cast<int>(std::ceil(width)),
                     std::max(static_cast<int>(std::ceil(height)), QFontMetrics(font()).height()));
    }

    QStringList Lines() const {
        QStringList lines;
        for (int i = 0; i < layout_.lineCount(); ++i) {
            const QTextLine line = layout_.lineAt(i);
            lines << text().mid(line.textStart(), line.textLength());
        }
        return lines;
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        layout_.draw(&painter, QPointF(0, 0));
    }

private:
    QTextLayout layout_;
};

MessageBox::MessageBox(Kind kind, const QString& title, const QString& text, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      kind_(kind) {
    setWindowTitle(title);
    setModal(true);
    setFont(QApplication::font("QMessageBox"));
    const QScreen* screen = ScreenOf(parent);
    const int halfScreen = screen ? screen->geometry().width() / 2 : 640;

    auto* row = new QHBoxLayout;
    row->setSpacing(style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing) * 2);
    if (kind == Kind::Error) {
        auto* icon = new QLabel(this);
        icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(kIconSize));
        icon->setAccessibleName(QStringLiteral("エラー"));
        row->addWidget(icon, 0, Qt::AlignTop);
    }
    text_ = new MessageText(text, halfScreen, this);
    row->addWidget(text_, 0, Qt::AlignVCenter);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setDefault(true);
    ok_->setAutoDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    WatchFrameExtents();

    auto* column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->addLayout(row);
    column->addSpacing(style()->pixelMetric(QStyle::PM_LayoutVerticalSpacing));
    column->addWidget(ok_, 0, Qt::AlignHCenter);
}

QString MessageBox::Text() const { return text_->text(); }

QStringList MessageBox::TextLines() const { return text_->Lines(); }

QLabel* MessageBox::TextLabel() const { return text_; }

// Placed before it is shown, so the window system never puts it elsewhere
// first. Until its own frame is known (it is when the box is first exposed),
// the frame is taken to be like that of the window that opened it.
void MessageBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QWindow* window = windowHandle(); window && !watchingWindow_) {
        window->installEventFilter(this);
        watchingWindow_ = true;
    }
    CentreOnScreen();
}

// A window manager frames the box around its client area without moving it,
// which sends no move event: look again when the box is exposed, and when the
// manager announces the frame's size.
bool MessageBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && event->type() == QEvent::Expose && windowHandle()->isExposed())
        CentreOnScreen();
    return QDialog::eventFilter(watched, event);
}

bool MessageBox::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
#ifdef QUILLET_HAVE_XCB
    if (eventType != "xcb_generic_event_t" || !frameExtentsAtom_ ||
        !testAttribute(Qt::WA_WState_Created))
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY) return false;
    const auto* property = static_cast<const xcb_property_notify_event_t*>(message);
    // Qt reads the new frame after this filter: look once it has.
    if (property->window == winId() && property->atom == frameExtentsAtom_)
        QMetaObject::invokeMethod(this, &MessageBox::CentreOnScreen, Qt::QueuedConnection);
#else
    Q_UNUSED(eventType);
    Q_UNUSED(message);
#endif
    return false;
}

void MessageBox::WatchFrameExtents() {
#ifdef QUILLET_HAVE_XCB
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return;
    xcb_connection_t* connection = x11->connection();
    const char name[] = "_NET_FRAME_EXTENTS";
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr);
    if (!reply) return;
    frameExtentsAtom_ = reply->atom;
    std::free(reply);
    QCoreApplication::instance()->installNativeEventFilter(this);
#endif
}

void MessageBox::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    CentreOnScreen();
}

void MessageBox::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (isVisible()) CentreOnScreen();
}

void MessageBox::CentreOnScreen() {
    const QScreen* screen = ScreenOf(parentWidget());
    if (!screen) return;
    const QWidget* opener = parentWidget() ? parentWidget()->window() : nullptr;
    const bool framed = frameGeometry() != geometry();
    const QMargins frame = framed ? FrameOf(this) : opener ? FrameOf(opener) : QMargins();
    const QSize outer = size().grownBy(frame);
    const QRect area = screen->availableGeometry();
    const QPoint frameAt(area.left() + (area.width() - outer.width()) / 2,
                         area.top() + (area.height() - outer.height()) / 2);
    // Qt places the frame where it knows it, and the client area before.
    const QPoint wanted = framed ? frameAt : frameAt + QPoint(frame.left(), frame.top());
    if (pos() == wanted) return;
    // Before showing, every placement is ours; afterwards only a few answers
    // to a window manager that placed the box itself.
    if (isVisible() && ++corrections_ > kMaxCorrections) return;
    move(wanted);
}

}  // namespace quillet
