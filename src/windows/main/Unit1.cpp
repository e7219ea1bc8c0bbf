#include "windows/main/Unit1.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <limits>

#include "aids/CompletionCheck.h"
#include "aids/HiddenSingles.h"
#include "board/IntegerText.h"
#include "drawing/Fonts.h"
#include "windows/main/BoardGrid.h"
#include "windows/main/CommandGuard.h"
#include "windows/main/ControlAccessibility.h"
#include "windows/main/Dialogs.h"
#include "windows/main/DirectoryFollower.h"
#include "windows/main/FileListBox.h"
#include "windows/main/HandedBoard.h"
#include "windows/main/ProgramTitle.h"
#include "windows/main/SpinEdit.h"

namespace quillet {

namespace {

constexpr int kClientWidth = 534;
constexpr int kClientHeight = 416;
const QPoint kWindowPosition(240, 120);
constexpr int kWindowFontHeight = 16;
constexpr int kSmallFontHeight = 12;
const QString kBoardMask = QStringLiteral("*.cgd");

QPushButton* MakeButton(QWidget* parent, const QString& caption, const QRect& geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

}  // namespace

TForm1::TForm1(Dialogs& dialogs, QWidget* parent, std::string boardDirectory)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      dialogs_(dialogs),
      files_(std::move(boardDirectory)),
      state_(*this) {
    InstallControlAccessibility<TForm1>();
    setWindowTitle(QStringLiteral("Quillet"));
    setFixedSize(kClientWidth, kClientHeight);
    move(kWindowPosition);
    setFont(GothicFont(kWindowFontHeight));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));
    setPalette(pal);
    setAutoFillBackground(true);

    setAcceptDrops(true);

    CreateControls();
    NameControlsForAssistiveTechnology();
    ConnectCommands();
    StartUp();
}

TForm1::~TForm1() = default;

// The window has a fixed size. Where a window manager ignores the size hints
// (or Qt draws the title bar and the window has none of its own,
// OwnTitleBar.h), maximising is still offered; the window turns it down and
// keeps its size.
void TForm1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    constexpr Qt::WindowStates kEnlarged = Qt::WindowMaximized | Qt::WindowFullScreen;
    if (event->type() == QEvent::WindowStateChange && (windowState() & kEnlarged))
        setWindowState(windowState() & ~kEnlarged);
}

void TForm1::OpenHandedFile(const std::string& path) {
    RunCommand([this, &path] { OpenExamined(ExamineHandedFile(path)); });
}

void TForm1::OpenExamined(const HandedFile& file) {
    if (file.kind == HandedFile::Kind::kNeither) throw *file.error;
    files_.SetDirectory(file.directory);
    FileListFollower->Follow();
    FileListBox1->ShowListing();
    if (file.kind == HandedFile::Kind::kPuzzle) {
        FileListBox1->ShowNameInEdit(BoardNameForText(file.name));
        PutPuzzleOnBoard(state_, file.cells);
        return;
    }
    // A board the list does not show (hidden, or of another mask) is still
    // the one in the name box.
    if (!FileListBox1->SelectStoredName(file.name)) FileListBox1->ShowNameInEdit(file.name);
    FileCommandDone(files_.LoadStoredBoard(state_, file.name));
}

std::optional<bool> TForm1::PlaceFromOutside(CellPos at, int digit) {
    if (!TakesInput()) return std::nullopt;
    if (!at.IsOnBoard()) return false;
    bool placed = false;
    RunCommand([&] {
        // As a left press selects, without the press's own placing of a
        // solved cell's digit.
        state_.Board().SetSelection(at);
        SG1->HighlightCell(at);
        WriteSelectionToPanel();
        placed = PopupDigitClick(digit);
    });
    return placed;
}

std::optional<bool> TForm1::StrikeFromOutside(std::span<const Candidate> strikes) {
    if (!TakesInput()) return std::nullopt;
    bool struck = false;
    RunCommand([&] { struck = state_.StrikeCandidates(strikes); });
    return struck;
}

bool TForm1::TakesInput() const {
    return runningCommands_ == 0 && !QApplication::activeModalWidget() &&
           !QApplication::activePopupWidget();
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (ReadDrop(*event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TForm1::dropEvent(QDropEvent* event) {
    // Read again: the file may have changed while it was dragged.
    const std::optional<HandedBoard> dropped = ReadDrop(*event->mimeData());
    if (!dropped) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    RunCommand([this, &dropped] {
        if (dropped->file)
            OpenExamined(*dropped->file);
        else
            PutPuzzleOnBoard(state_, *dropped->puzzle);
    });
}

void TForm1::CreateControls() {
    SG1 = new BoardGrid(state_.Board(), this);
    SG1->setGeometry(0, 0, 417, 416);
    SG1->setFont(GothicFont(kWindowFontHeight));

    Button1 = MakeButton(this, QStringLiteral("全初期化"), {424, 8, 57, 25});
    Button1->setFont(GothicFont(kSmallFontHeight));

    SpinEdit1 = new SpinEdit(this);
    SpinEdit1->setGeometry(424, 64, 49, 26);
    SpinEdit1->setFont(GothicFont(kWindowFontHeight));

    Button2 = MakeButton(this, QStringLiteral("決定"), {480, 64, 49, 25});

    Panel1 = new QLabel(this);
    Panel1->setGeometry(424, 36, 49, 25);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(1);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setFocusPolicy(Qt::NoFocus);

    Button3 = MakeButton(this, QStringLiteral("Save"), {424, 356, 49, 25});
    Button4 = MakeButton(this, QStringLiteral("Load"), {480, 356, 49, 25});

    FileListBox1 = new FileListBox(files_, this);
    FileListBox1->setGeometry(424, 120, 105, 205);

    Edit1 = new QLineEdit(QStringLiteral("*.*"), this);
    Edit1->setGeometry(424, 328, 105, 24);
    Edit1->setMaxLength(std::numeric_limits<int>::max());
    FileListBox1->SetFileEdit(Edit1);
    FileListFollower = new DirectoryFollower(files_, *FileListBox1, this);

    Button5 = MakeButton(this, QStringLiteral("戻る"), {480, 36, 49, 25});
    Button6 = MakeButton(this, QStringLiteral("解1"), {424, 92, 33, 25});
    Button9 = MakeButton(this, QStringLiteral("End"), {424, 384, 105, 25});
    Button7 = MakeButton(this, QStringLiteral("解2"), {460, 92, 33, 25});
    Button8 = MakeButton(this, QStringLiteral("OK?"), {496, 92, 33, 25});
    Button10 = MakeButton(this, QStringLiteral("初期化"), {488, 8, 41, 25});
    Button10->setFont(GothicFont(kSmallFontHeight));
    Button10->setEnabled(false);

    const QList<QWidget*> tabOrder{SG1,     Button1,      SpinEdit1, Button2, Button3,
                                   Button4, FileListBox1, Edit1,     Button5, Button6,
                                   Button9, Button7,      Button8,   Button10};
    for (qsizetype i = 1; i < tabOrder.size(); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);

    PopupMenu1 = new QMenu(this);
    QAction** digits[] = {&N11, &N21, &N31, &N41, &N51, &N61, &N71, &N81, &N91};
    for (int d = 1; d <= 9; ++d) {
        *digits[d - 1] = PopupMenu1->addAction(QStringLiteral("&%1").arg(d));
        connect(*digits[d - 1], &QAction::triggered, this,
                [this, d] { RunCommand([this, d] { PopupDigitClick(d); }); });
    }
    N12 = PopupMenu1->addAction(QStringLiteral("&All"));
}

// Buttons are named by their captions; the other controls by what they are.
// The descriptions say what each command does.
void TForm1::NameControlsForAssistiveTechnology() {
    SG1->setAccessibleName(QStringLiteral("盤面"));
    SG1->setAccessibleDescription(QStringLiteral("9×9 のマス。各マスに残る候補の数字"));
    SpinEdit1->setAccessibleName(QStringLiteral("置く数字"));
    SpinEdit1->setAccessibleDescription(QStringLiteral("1 から 9"));
    FileListBox1->setAccessibleName(QStringLiteral("盤面ファイル"));
    Edit1->setAccessibleName(QStringLiteral("ファイル名"));
    PopupMenu1->setAccessibleName(QStringLiteral("数字を置く"));
    const std::pair<QPushButton*, const char*> descriptions[] = {
        {Button1, "すべてのマスを 123456789 に戻す"},
        {Button10, "使えません"},
        {Button5, "最後の一手を取り消す"},
        {Button2, "選択中のマスに数字を置く"},
        {Button6, "ブロックで一か所にしか入らない数字を置く"},
        {Button7, "行と列で一か所にしか入らない数字を書き込む"},
        {Button8, "解けたマスを置き直し、完成を確かめる"},
        {Button3, "盤面をファイルに保存する"},
        {Button4, "盤面をファイルから読み込む"},
        {Button9, "終了する"}};
    for (const auto& [button, description] : descriptions)
        button->setAccessibleDescription(QString::fromUtf8(description));
}

void TForm1::ConnectCommands() {
    const std::pair<QPushButton*, void (TForm1::*)()> commands[] = {
        {Button1, &TForm1::Button1Click}, {Button2, &TForm1::Button2Click},
        {Button3, &TForm1::Button3Click}, {Button4, &TForm1::Button4Click},
        {Button5, &TForm1::Button5Click}, {Button6, &TForm1::Button6Click},
        {Button7, &TForm1::Button7Click}, {Button8, &TForm1::Button8Click}};
    for (const auto& [button, handler] : commands)
        connect(button, &QPushButton::clicked, this,
                [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
    connect(Button9, &QPushButton::clicked, this,
            [this] { RunCommand([this] { Button9Click(); }); });
    connect(N12, &QAction::triggered, this, [this] { RunCommand([this] { N12Click(); }); });
    // Errors of a press are dropped without a message, unforeseen ones aside.
    connect(SG1, &BoardGrid::Pressed, this, [this](const GridPress& press) {
        RunCommand([this, &press] { SG1MouseDown(press); }, false);
    });
    connect(SG1, &BoardGrid::ContextMenuRequested, PopupMenu1,
            [this](const QPoint& at) { RunCommand([this, at] { PopupMenu1->popup(at); }); });
    state_.Board().SetCellWrittenHandler([this](CellPos pos) {
        SG1->UpdateCell(pos);
        emit BoardTouched();
    });
    state_.SetUndoChangedHandler([this](bool available) {
        Button5->setEnabled(available);
        emit BoardTouched();
    });
}

void TForm1::StartUp() {
    state_.SetUndoAvailable(false);
    Button5->setEnabled(false);
    state_.Board().ResetAll();
    state_.Board().SetSelection({1, 1});
    WriteSelectionToPanel();
    FileListBox1->SetMask(kBoardMask);
    FileListFollower->Follow();
    SG1->setFocus(Qt::OtherFocusReason);
}

void TForm1::RunCommand(const std::function<void()>& command, bool showForeseenErrors) {
    // A command started without taking the focus from the selector (an
    // assistive technology's press, a keyboard shortcut of the platform) must
    // still read 1..9, as after leaving the selector.
    SpinEdit1->Normalise();
    ++runningCommands_;
    const std::optional<CommandFailure> failure = RunGuarded(command);
    --runningCommands_;
    // Only a command moves the selection.
    emit BoardTouched();
    if (!failure || (failure->foreseen && !showForeseenErrors)) return;
    // Even the error box may fail when memory is short; the program goes on.
    RunGuarded([&] { dialogs_.ShowError(this, WithFullStop(failure->message)); });
}

void TForm1::Inform(const std::string& text) {
    dialogs_.ShowInformation(this, QString::fromUtf8(text));
}

void TForm1::WriteSelectionToPanel() {
    const CellPos at = state_.Board().Selection();
    Panel1->setText(QStringLiteral("%1  %2").arg(at.col).arg(at.row));
    Panel1->setAccessibleName(QStringLiteral("選択中のマス %1 列 %2 行").arg(at.col).arg(at.row));
    SG1->AnnounceSelection();
}

int TForm1::SelectorValue() const { return SpinEdit1->Value(); }

void TForm1::SetSelectorValue(int value) { SpinEdit1->SetValue(value); }

bool TForm1::Decide() { return RunDecide(state_, Path()); }

DecidePath TForm1::Path() {
    return {[this] { return SelectorValue(); }, [this](int value) { SetSelectorValue(value); },
            [this] { return Decide(); }};
}

void TForm1::Button1Click() { state_.Board().ResetAll(); }

void TForm1::Button2Click() { Decide(); }

void TForm1::Button3Click() {
    const FileOutcome saved = files_.SaveBoard(state_, FileListBox1->NameInEdit());
    if (!FileCommandDone(saved)) return;
    FileListBox1->ShowListing();
    FileListBox1->ShowNameInEdit(saved.name);
}

void TForm1::Button4Click() {
    FileCommandDone(files_.LoadBoard(state_, FileListBox1->NameInEdit()));
}

bool TForm1::FileCommandDone(const FileOutcome& outcome) {
    switch (outcome.kind) {
        case FileOutcome::Kind::kDone: return true;
        case FileOutcome::Kind::kNoName: Inform(kInputFileNameMessage); return false;
        case FileOutcome::Kind::kFailed: throw *outcome.error;
    }
    return false;
}

void TForm1::Button5Click() { state_.UndoLast(); }

void TForm1::Button6Click() { SolveAllBoxes(state_, Path()); }

void TForm1::Button7Click() { RunLinesAid(state_.Board(), Path()); }

void TForm1::Button8Click() {
    CheckBoard(state_, Path(), [this] { dialogs_.ShowCongratulation(this); });
}

void TForm1::Button9Click() { close(); }

bool TForm1::PopupDigitClick(int digit) {
    if (!state_.Board().Selection().IsOnBoard()) return false;
    SetSelectorValue(digit);
    return Decide();
}

void TForm1::N12Click() { state_.Board().ResetCell(); }

void TForm1::SG1MouseDown(const GridPress& press) {
    if (press.OnHeader()) return;
    CandidateBoard& board = state_.Board();
    // The strip past the ninth cell selects a cell off the board: it reads as
    // empty and takes no writes.
    board.SetSelection(press.cell);
    WriteSelectionToPanel();
    const CandidateString& cell = board.SelectedCell();
    if (cell.size() != 1) return;
    // A solved cell that is not a digit is selected and nothing more happens.
    const std::optional<int> digit = ParseInteger(cell);
    if (!digit) return;
    SetSelectorValue(*digit);
    Decide();
}

}  // namespace quillet
