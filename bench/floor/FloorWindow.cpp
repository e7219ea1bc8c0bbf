// The floor of the start-up comparison: a bare Qt Widgets window of the main
// window's size with the same kinds of controls (a painted 10 x 10 text grid,
// push buttons, a spin box, a panel, a file list, a line edit and a pop-up
// menu) and none of the program's own work. It quits once it has painted.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QWidget>

namespace {

class TextGrid : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Base));
        for (int col = 0; col < 10; ++col) {
            for (int row = 0; row < 10; ++row) {
                const QRect cell(41 * col + 2, 41 * row + 2, 40, 40);
                painter.setPen(QColor(192, 192, 192));
                painter.drawRect(cell.adjusted(0, 0, 1, 1));
                if (col == 0 || row == 0) {
                    painter.fillRect(cell, palette().color(QPalette::Button));
                    continue;
                }
                painter.setPen(palette().color(QPalette::Text));
                painter.drawText(cell.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                                 QStringLiteral("123456789"));
            }
        }
    }
};

class FloorWindow : public QWidget {
public:
    FloorWindow() {
        setWindowTitle(QStringLiteral("Floor"));
        setFixedSize(534, 416);
        move(240, 120);
        (new TextGrid(this))->setGeometry(0, 0, 417, 416);
        const struct {
            const char* caption;
            QRect geometry;
        } buttons[] = {
            {"全初期化", {424, 8, 57, 25}}, {"決定", {480, 64, 49, 25}},
            {"Save", {424, 356, 49, 25}},   {"Load", {480, 356, 49, 25}},
            {"戻る", {480, 36, 49, 25}},    {"解1", {424, 92, 33, 25}},
            {"End", {424, 384, 105, 25}},   {"解2", {460, 92, 33, 25}},
            {"OK?", {496, 92, 33, 25}},     {"初期化", {488, 8, 41, 25}},
        };
        for (const auto& b : buttons)
            (new QPushButton(QString::fromUtf8(b.caption), this))->setGeometry(b.geometry);
        auto* spin = new QSpinBox(this);
        spin->setRange(1, 9);
        spin->setGeometry(424, 64, 49, 26);
        auto* panel = new QLabel(QStringLiteral("1  1"), this);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setAlignment(Qt::AlignCenter);
        panel->setGeometry(424, 36, 49, 25);
        (new QListWidget(this))->setGeometry(424, 120, 105, 205);
        (new QLineEdit(QStringLiteral("*.cgd"), this))->setGeometry(424, 328, 105, 24);
        auto* menu = new QMenu(this);
        for (int d = 1; d <= 9; ++d) menu->addAction(QStringLiteral("&%1").arg(d));
        menu->addAction(QStringLiteral("&All"));
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QWidget::paintEvent(event);
        // The children paint and the window is flushed before the event loop
        // takes the next event.
        if (!quitting_) QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        quitting_ = true;
    }

private:
    bool quitting_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    FloorWindow window;
    window.show();
    return app.exec();
}
