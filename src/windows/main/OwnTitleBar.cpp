#include "windows/main/OwnTitleBar.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QWindow>
#include <initializer_list>

namespace quillet {
namespace {

constexpr int kBarHeight = 24;

QToolButton* MakeBox(QWidget* bar, const QString& glyph, const QString& name) {
    auto* box = new QToolButton(bar);
    box->setText(glyph);
    box->setAutoRaise(true);
    // Not a stop of the window's Tab order, as no title bar is.
    box->setFocusPolicy(Qt::NoFocus);
    box->setAccessibleName(name);
    return box;
}

}  // namespace

OwnTitleBar::OwnTitleBar(QWidget& window, Boxes boxes) : QWidget(&window) {
    setObjectName(QStringLiteral("titleBar"));
    caption_ = new QLabel(window.windowTitle(), this);
    QFont bold = caption_->font();
    bold.setBold(true);
    caption_->setFont(bold);
    if (boxes == Boxes::MinimiseAndClose)
        minimise_ = MakeBox(this, QStringLiteral("\u2013"), QStringLiteral("最小化"));
    close_ = MakeBox(this, QStringLiteral("\u00d7"), QStringLiteral("閉じる"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 1, 2, 1);
    row->setSpacing(2);
    row->addWidget(caption_, 1);
    if (minimise_) {
        row->addWidget(minimise_);
        connect(minimise_, &QToolButton::clicked, &window, &QWidget::showMinimized);
    }
    row->addWidget(close_);
    connect(close_, &QToolButton::clicked, &window, &QWidget::close);
    window.installEventFilter(this);
    ShowActivation();
}

OwnTitleBar* OwnTitleBar::Install(QWidget& window, Boxes boxes) {
    if (QLayout* layout = window.layout()) {
        // The layout sizes the window; it leaves room for the bar.
        QMargins margins = layout->contentsMargins();
        margins.setTop(margins.top() + kBarHeight);
        layout->setContentsMargins(margins);
    } else {
        for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!child->isWindow()) child->move(child->pos() + QPoint(0, kBarHeight));
        window.setFixedSize(window.width(), window.height() + kBarHeight);
    }
    // The bar offers what the title bar hints asked for; with them Qt would
    // keep a title bar of its own. A dialog stays a dialog.
    window.setWindowFlags((window.windowFlags() & Qt::WindowType_Mask) | Qt::FramelessWindowHint);
    auto* bar = new OwnTitleBar(window, boxes);
    bar->setGeometry(0, 0, window.width(), kBarHeight);
    return bar;
}

bool OwnTitleBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize)
        setGeometry(0, 0, static_cast<QWidget*>(watched)->width(), kBarHeight);
    else if (event->type() == QEvent::WindowTitleChange)
        caption_->setText(static_cast<QWidget*>(watched)->windowTitle());
    else if (event->type() == QEvent::ActivationChange)
        ShowActivation();
    return QWidget::eventFilter(watched, event);
}

void OwnTitleBar::mousePressEvent(QMouseEvent* event) {
    // The compositor moves the window; it alone knows where it may go.
    if (event->button() == Qt::LeftButton && window()->windowHandle())
        window()->windowHandle()->startSystemMove();
}

void OwnTitleBar::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), palette().color(ColourGroup(), QPalette::Highlight));
}

QPalette::ColorGroup OwnTitleBar::ColourGroup() const {
    return window()->isActiveWindow() ? QPalette::Active : QPalette::Inactive;
}

void OwnTitleBar::ShowActivation() {
    QPalette colours = caption_->palette();
    colours.setColor(QPalette::WindowText,
                     palette().color(ColourGroup(), QPalette::HighlightedText));
    caption_->setPalette(colours);
    update();
}

}  // namespace quillet
