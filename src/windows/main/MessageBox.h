#pragma once

#include <QAbstractNativeEventFilter>
#include <QDialog>

class QLabel;
class QPushButton;

namespace quillet {

class MessageText;

// The program's message box: the text (wrapped at word breaks when it is
// wider than half the screen), the stop icon to its left for errors, one "OK"
// centred below. The box stands centred on the screen's available area, not
// over the window that opened it, and it keeps there when a window manager
// frames it.
class MessageBox : public QDialog, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    enum class Kind { Information, Error };

    MessageBox(Kind kind, const QString& title, const QString& text, QWidget* parent);

    Kind GetKind() const { return kind_; }
    QString Text() const;
    // The text as it is laid out, one entry a line.
    QStringList TextLines() const;
    QLabel* TextLabel() const;
    QPushButton* OkButton() const { return ok_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void CentreOnScreen();
    void WatchFrameExtents();

    Kind kind_;
    MessageText* text_;
    QPushButton* ok_;
    int corrections_ = 0;
    bool watchingWindow_ = false;
    quint32 frameExtentsAtom_ = 0;  // X11 only
};

}  // namespace quillet
