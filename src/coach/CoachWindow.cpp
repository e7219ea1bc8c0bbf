#include "coach/CoachWindow.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include "coach/BoardView.h"
#include "coach/CoachPrint.h"

namespace quillet::coach {
namespace {

using coaching::Advice;

// How long a thought may take before the coach says it is thinking: most
// boards are answered sooner, and a flash of the words would only distract.
constexpr int kThinkingShownAfterMs = 60;

QLabel* MakeLabel(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const QString& caption, const QString& description,
                        const QString& name) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(caption);
    button->setAccessibleDescription(description);
    button->setAutoDefault(true);  // Enter presses the focused button too
    return button;
}

// What the status line says of a step sent to the main window.
QString AnswerText(const boardbus::CommandAnswer& answer) {
    switch (answer.problem) {
        case boardbus::CallProblem::kNone:
            return answer.taken ? QString()
                                : QStringLiteral("メインウィンドウが受け付けませんでした。");
        case boardbus::CallProblem::kNoBus:
        case boardbus::CallProblem::kNoWindow:
            return QStringLiteral("Quillet のウィンドウが開いていません。");
        case boardbus::CallProblem::kBusy:
            return QStringLiteral(
                "メインウィンドウでボックスかメニューが開いています。閉じてからもう一度どうぞ。");
        case boardbus::CallProblem::kNoAnswer:
        case boardbus::CallProblem::kNotABoard: break;
    }
    return QStringLiteral("メインウィンドウが応答しません。");
}

}  // namespace

CoachWindow::CoachWindow(QDBusConnection bus, QWidget* parent)
    : QWidget(parent), bus_(std::move(bus)) {
    // One thought at a time; a newer board takes the place of one waiting.
    thinker_.setMaxThreadCount(1);
    CreateControls();
    connect(&bus_, &boardbus::BoardClient::WindowChanged, this, &CoachWindow::WindowFound);
    connect(&bus_, &boardbus::BoardClient::BoardChanged, this, &CoachWindow::BoardRead);
    connect(&bus_, &boardbus::BoardClient::Answered, this, &CoachWindow::Answered);
    QTimer::singleShot(0, this, [this] { bus_.Follow(); });
}

CoachWindow::~CoachWindow() {
    thinker_.clear();
    thinker_.waitForDone();
}

void CoachWindow::CreateControls() {
    setWindowTitle(QStringLiteral("Quillet コーチ"));
    setAccessibleName(QStringLiteral("Quillet コーチ"));
    pages_ = new QStackedWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);

    auto* coaching = new QWidget(pages_);
    auto* column = new QVBoxLayout(coaching);
    title_ = MakeLabel(coaching, QStringLiteral("title"));
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    title_->setAccessibleName(QStringLiteral("手の名前"));
    board_ = new BoardView(coaching);
    board_->setObjectName(QStringLiteral("board"));
    explanation_ = MakeLabel(coaching, QStringLiteral("explanation"));
    explanation_->setAccessibleName(QStringLiteral("説明"));
    // Reachable with Tab, so that a screen reader reads it.
    explanation_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    explanation_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    // A place of fixed height: the board keeps its size whatever is said,
    // and a text too long for it scrolls rather than run over the board.
    explanationArea_ = new QScrollArea(coaching);
    explanationArea_->setObjectName(QStringLiteral("explanationArea"));
    explanationArea_->setWidget(explanation_);
    explanationArea_->setWidgetResizable(true);
    explanationArea_->setFrameShape(QFrame::NoFrame);
    explanationArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    explanationArea_->setFixedHeight(explanation_->fontMetrics().lineSpacing() * kExplanationLines +
                                     explanation_->margin() * 2 + 4);
    apply_ =
        MakeButton(coaching, QStringLiteral("適用"),
                   QStringLiteral("この手をメインウィンドウで行う（A）"), QStringLiteral("apply"));
    next_ = MakeButton(coaching, QStringLiteral("次"),
                       QStringLiteral("同じ技法の次の手を示す（N）"), QStringLiteral("next"));
    nextCase_ = MakeButton(coaching, QStringLiteral("次の場合"),
                           QStringLiteral("証明の次の場合、最後に結論を示す（C）"),
                           QStringLiteral("nextCase"));
    status_ = MakeLabel(coaching, QStringLiteral("status"));
    status_->setAccessibleName(QStringLiteral("状態"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(apply_);
    buttons->addWidget(next_);
    buttons->addWidget(nextCase_);
    buttons->addStretch();
    column->addWidget(title_);
    column->addWidget(board_, 1);
    column->addWidget(explanationArea_);
    column->addLayout(buttons);
    column->addWidget(status_);
    pages_->addWidget(coaching);
    print_ = MakeButton(coaching, QStringLiteral("印刷…"),
                        QStringLiteral("盤面を候補ごと印刷する。手と説明も付けられる"),
                        QStringLiteral("print"));
    buttons->addWidget(print_);
    connect(print_, &QPushButton::clicked, this, &CoachWindow::PrintBoard);

    auto* waiting = new QWidget(pages_);
    auto* waitingColumn = new QVBoxLayout(waiting);
    noWindow_ = MakeLabel(waiting, QStringLiteral("noWindow"));
    noWindow_->setAccessibleName(QStringLiteral("状態"));
    open_ =
        MakeButton(waiting, QStringLiteral("盤面ファイルを開く"),
                   QStringLiteral("盤面ファイルを選んで Quillet で開く"), QStringLiteral("open"));
    waitingColumn->addStretch();
    waitingColumn->addWidget(noWindow_);
    waitingColumn->addWidget(open_, 0, Qt::AlignHCenter);
    waitingColumn->addStretch();
    pages_->addWidget(waiting);
    pages_->setCurrentIndex(1);
    noWindow_->setText(QStringLiteral("Quillet のウィンドウを探しています…"));

    setTabOrder(explanation_, apply_);
    setTabOrder(apply_, next_);
    setTabOrder(next_, nextCase_);
    setTabOrder(nextCase_, print_);
    connect(apply_, &QPushButton::clicked, this, &CoachWindow::ApplyShown);
    connect(next_, &QPushButton::clicked, this, &CoachWindow::NextStep);
    connect(nextCase_, &QPushButton::clicked, this, &CoachWindow::NextCase);
    connect(open_, &QPushButton::clicked, this, &CoachWindow::OpenBoardFile);
    connect(new QShortcut(QKeySequence(Qt::Key_A), this), &QShortcut::activated, this,
            &CoachWindow::ApplyShown);
    connect(new QShortcut(QKeySequence(Qt::Key_N), this), &QShortcut::activated, this,
            &CoachWindow::NextStep);
    connect(new QShortcut(QKeySequence(Qt::Key_C), this), &QShortcut::activated, this,
            &CoachWindow::NextCase);
    resize(520, 700);
    UpdateButtons();
}

void CoachWindow::WindowFound(bool found) {
    if (found) {
        starting_ = false;
        pages_->setCurrentIndex(0);
        apply_->setFocus();
        return;
    }
    haveCells_ = false;
    shown_.reset();
    board_->ShowAdvice(nullptr);
    pages_->setCurrentIndex(1);
    noWindow_->setText(starting_ ? QStringLiteral("Quillet を起動しています…")
                                 : QStringLiteral("Quillet のウィンドウが開いていません。"));
    open_->setFocus();
    UpdateButtons();
}

void CoachWindow::BoardRead(const boardbus::BoardReading& board) {
    const QList<QByteArray>& cells = board.cells;
    coaching::CellTexts texts;
    for (int k = 0; k < kCellCount; ++k)
        texts[k].assign(cells[k].constData(), static_cast<std::size_t>(cells[k].size()));
    const CellPos selection{board.selectedColumn, board.selectedRow};
    board_->Show(texts, selection.IsOnBoard() ? ColumnMajorIndex(selection) : -1);
    // A change of the selection alone keeps the advice.
    if (haveCells_ && texts == cells_) return;
    cells_ = std::move(texts);
    haveCells_ = true;
    following_ = 0;
    Think();
}

void CoachWindow::Think() {
    const quint64 thought = ++thoughts_;
    QFuture<Advice> future;
    if (haveAhead_ && following_ == 0 && cells_ == aheadCells_) {
        future = ahead_;  // thought of already, or being thought of
    } else {
        thinker_.clear();  // a thought not yet begun is for an older board
        future = QtConcurrent::run(&thinker_, coaching::Advise, cells_, following_);
    }
    haveAhead_ = false;
    auto* watcher = new QFutureWatcher<Advice>(this);
    connect(watcher, &QFutureWatcher<Advice>::finished, this, [this, watcher, thought] {
        watcher->deleteLater();
        if (watcher->future().isValid() && watcher->future().resultCount() > 0)
            ShowAdvice(std::make_shared<const Advice>(watcher->result()), thought);
    });
    watcher->setFuture(future);
    QTimer::singleShot(kThinkingShownAfterMs, this, [this, thought] {
        if (thought != thoughts_ || (shown_ && thought == shownThought_)) return;
        title_->setText(QStringLiteral("考え中…"));
        explanation_->clear();
        board_->ShowAdvice(nullptr);
        shown_.reset();
        UpdateButtons();
    });
}

void CoachWindow::ShowAdvice(std::shared_ptr<const Advice> advice, quint64 thought) {
    if (thought != thoughts_) return;  // the board has changed since
    shownThought_ = thought;
    shown_ = std::move(advice);
    QString title = QString::fromStdString(shown_->title);
    if (shown_->count > 1)
        title += QStringLiteral("（%1 / %2）").arg(shown_->index + 1).arg(shown_->count);
    title_->setText(title);
    board_->ShowAdvice(shown_);
    part_ = 0;
    ShowPart();
    emit AdviceShown();
    ThinkAhead();
}

void CoachWindow::ThinkAhead() {
    if (!shown_->step) return;
    aheadCells_ = coaching::CellsAfter(cells_, *shown_->step);
    ahead_ = QtConcurrent::run(&thinker_, coaching::Advise, aheadCells_, 0);
    haveAhead_ = true;
}

void CoachWindow::ShowPart() {
    const bool shown = shown_ && part_ < shown_->parts.size();
    explanation_->setText(shown ? QString::fromStdString(shown_->parts[part_].explanation)
                                : QString());
    explanationArea_->ensureVisible(0, 0);
    board_->ShowPart(part_);
    UpdateButtons();
}

void CoachWindow::UpdateButtons() {
    const bool step = shown_ && shown_->step;
    apply_->setEnabled(step && !applying_);
    next_->setEnabled(step);
    nextCase_->setVisible(step && shown_->parts.size() > 1);
    nextCase_->setEnabled(step && part_ + 1 < shown_->parts.size());
}

void CoachWindow::NextCase() {
    if (!shown_ || part_ + 1 >= shown_->parts.size() || pages_->currentIndex() != 0) return;
    ++part_;
    ShowPart();
}

void CoachWindow::ApplyShown() {
    if (!shown_ || !shown_->step || applying_ || pages_->currentIndex() != 0) return;
    Apply(*shown_->step);
}

void CoachWindow::Apply(const solving::Step& step) {
    applying_ = true;
    UpdateButtons();
    status_->setText(QStringLiteral("メインウィンドウで適用しています…"));
    if (step.placeCell >= 0) {
        const CellPos at = CellOfColumnMajor(step.placeCell);
        bus_.PlaceLater(at.col, at.row, step.placeDigit);
    } else {
        bus_.StrikeLater(QList<Candidate>(step.strikes.begin(), step.strikes.end()));
    }
}

void CoachWindow::Answered(const boardbus::CommandAnswer& answer) {
    applying_ = false;
    UpdateButtons();
    status_->setText(AnswerText(answer));
}

void CoachWindow::NextStep() {
    if (!shown_ || !shown_->step || pages_->currentIndex() != 0) return;
    following_ = shown_->index + 1;
    Think();
}

void CoachWindow::PrintBoard() {
    if (!haveCells_ || pages_->currentIndex() != 0) return;
    // Until the advice on a changed board is shown, the one shown is the
    // last board's: the board goes on paper without it.
    const bool current = shown_ && shownThought_ == thoughts_;
    const QString said = PrintFollowedBoard(
        this, {cells_, current ? shown_ : nullptr, current ? title_->text() : QString(),
               current ? explanation_->text() : QString(), current ? part_ : 0});
    if (!said.isEmpty()) status_->setText(said);
}

void CoachWindow::OpenBoardFile() {
    const QString name =
        QFileDialog::getOpenFileName(this, QStringLiteral("盤面ファイルを開く"), QString(),
                                     QStringLiteral("盤面ファイル (*.cgd);;すべてのファイル (*)"));
    if (name.isEmpty()) return;
    // The program beside this one, as installed; else the one on the path.
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/quillet");
    const QString program = QFileInfo(beside).isExecutable() ? beside : QStringLiteral("quillet");
    // The name goes back to the bytes the file system gave.
    const QByteArray bytes = QFile::encodeName(name);
    if (!QProcess::startDetached(program, {QFile::decodeName(bytes)})) {
        noWindow_->setText(QStringLiteral("Quillet を起動できません。"));
        return;
    }
    // The window is followed once it offers its board on the bus.
    starting_ = true;
    noWindow_->setText(QStringLiteral("Quillet を起動しています…"));
}

}  // namespace quillet::coach
