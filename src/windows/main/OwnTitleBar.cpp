#include "windows/main/OwnTitleBar.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
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

OwnTitleBar::OwnTitleBar(QWidget& window) : QWidget(&window) {
    setObjectName(QStringLiteral("titleBar"));
    caption_ = new QLabel(window.windowTitle(), this);
    QFont bold = caption_->font();
    bold.setBold(true);
    caption_->setFont(bold);
    minimise_ = MakeBox(this, QStringLiteral("\u2013"), QStringLiteral("最小化"));
    close_ = MakeBox(this, QStringLiteral("\u00d7"), QStringLiteral("閉じる"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 1, 2, 1);
    row->setSpacing(2);
    row->addWidget(caption_, 1);
    row->addWidget(minimise_);
    row->addWidget(close_);
    connect(minimise_, &QToolButton::clicked, &window, &QWidget::showMinimized);
    connect(close_, &QToolButton::clicked, &window, &QWidget::close);
    window.installEventFilter(this);
    ShowActivation();
}

OwnTitleBar* OwnTitleBar::Install(QWidget& window) {
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow()) child->move(child->pos() + QPoint(0, kBarHeight));
    const QSize client = window.size();
    // The bar offers what the title bar hints asked for; with them Qt would
    // keep a title bar of its own.
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(client.width(), client.height() + kBarHeight);
    auto* bar = new OwnTitleBar(window);
    bar->setGeometry(0, 0, client.width(), kBarHeight);
    return bar;
}

bool OwnTitleBar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::WindowTitleChange)
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
