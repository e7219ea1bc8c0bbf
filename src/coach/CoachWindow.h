#pragma once

#include <QDBusConnection>
#include <QFuture>
#include <QThreadPool>
#include <QWidget>
#include <memory>

#include "boardbus/BoardClient.h"
#include "coaching/Advice.h"

class QLabel;
class QPushButton;
class QScrollArea;
class QStackedWidget;

namespace quillet::coach {

class BoardView;

// The coach: follows the main window's board, shows the simplest next step
// drawn and explained, applies it there with "適用", shows the following
// step of the same technique with "次", and a proof's next case with
// "次の場合". The advice is found on a thread of its own; a result for a
// board that has changed since is dropped. The explanation has a place of
// its own below the board, so that the board keeps its size whatever is
// said, and scrolls when the window is made too small for it.
class CoachWindow : public QWidget {
    Q_OBJECT
public:
    explicit CoachWindow(QDBusConnection bus, QWidget* parent = nullptr);
    ~CoachWindow() override;

    // The advice shown, null while there is none (or it is being found).
    std::shared_ptr<const coaching::Advice> Shown() const { return shown_; }
    // Sends the step to the main window, whatever it shows now.
    void Apply(const solving::Step& step);
    // The part of the advice shown: a case of a proof, or its conclusion.
    std::size_t PartShown() const { return part_; }
    // The lines the explanation's place holds without scrolling.
    static constexpr int kExplanationLines = 7;

signals:
    // A new advice is on the screen.
    void AdviceShown();

private:
    void CreateControls();
    void PrintBoard();
    void WindowFound(bool found);
    void BoardRead(const boardbus::BoardReading& board);
    void Think();
    void ThinkAhead();
    void ShowAdvice(std::shared_ptr<const coaching::Advice> advice, quint64 thought);
    void Answered(const boardbus::CommandAnswer& answer);
    void ApplyShown();
    void NextStep();
    void NextCase();
    void ShowPart();
    void OpenBoardFile();
    void UpdateButtons();

    boardbus::BoardClient bus_;
    QThreadPool thinker_;
    QStackedWidget* pages_ = nullptr;
    BoardView* board_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* explanation_ = nullptr;
    QScrollArea* explanationArea_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* noWindow_ = nullptr;
    QPushButton* apply_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* nextCase_ = nullptr;
    QPushButton* open_ = nullptr;

    coaching::CellTexts cells_;
    bool haveCells_ = false;
    int following_ = 0;
    quint64 thoughts_ = 0;  // only the latest thought is shown
    quint64 shownThought_ = 0;
    bool applying_ = false;
    bool starting_ = false;
    std::shared_ptr<const coaching::Advice> shown_;
    std::size_t part_ = 0;
    // The advice on the board that "適用" of the shown step leads to, begun
    // as soon as the step is shown, so that applying steps one after the
    // other does not wait for the solver.
    coaching::CellTexts aheadCells_;
    QFuture<coaching::Advice> ahead_;
    bool haveAhead_ = false;
    QPushButton* print_ = nullptr;
};

}  // namespace quillet::coach
