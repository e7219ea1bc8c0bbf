#pragma once

#include <QWidget>
#include <memory>

#include "coach/BoardPainting.h"

namespace quillet::coach {

// The window's board with the coach's advice drawn on it.
class BoardView : public QWidget {
    Q_OBJECT
public:
    explicit BoardView(QWidget* parent = nullptr);

    void Show(const coaching::CellTexts& cells, int selectedCell);
    // Null: the board alone. Its first part is shown.
    void ShowAdvice(std::shared_ptr<const coaching::Advice> advice);
    // One of the advice's parts: a case of its proof, or its conclusion.
    void ShowPart(std::size_t part);

    QSize sizeHint() const override { return {460, 460}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    coaching::CellTexts cells_;
    int selectedCell_ = -1;
    std::shared_ptr<const coaching::Advice> advice_;
    std::size_t part_ = 0;
};

}  // namespace quillet::coach
