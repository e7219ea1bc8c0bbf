#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <span>

#include "aids/DecidePath.h"
#include "board/BoardState.h"
#include "board/Informer.h"
#include "files/BoardFiles.h"
#include "files/HandedFile.h"

class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QPushButton;

namespace quillet {

class BoardGrid;
class Dialogs;
class DirectoryFollower;
class FileListBox;
class SpinEdit;
struct GridPress;

// The main window: the board grid on the left, the controls on the right.
class TForm1 : public QWidget, private Informer {
    Q_OBJECT
public:
    // Boards are listed, saved and loaded in `boardDirectory` (bytes).
    explicit TForm1(Dialogs& dialogs, QWidget* parent = nullptr,
                    std::string boardDirectory = CurrentDirectory());
    ~TForm1() override;

    BoardState& State() { return state_; }
    const BoardState& State() const { return state_; }

    // Opens a file the desktop hands over (the command line's): a board file
    // has its directory listed, is chosen there and loads as Load loads it; a
    // puzzle text makes a fresh board of its givens, offered to Save as
    // STEM.cgd in the text's directory. Anything else changes nothing, and
    // the error box says why.
    void OpenHandedFile(const std::string& path);

    // Commands from outside the window (the session bus), run as its own:
    // one at a time, guarded, refusals and errors in its boxes. Placing
    // selects the cell and runs the pop-up digit; striking takes candidates
    // off as one step that "戻る" takes back. Each tells whether the board
    // took it, or nothing while the window takes no input (a box, the
    // congratulation window or the pop-up menu is open): no command then.
    std::optional<bool> PlaceFromOutside(CellPos at, int digit);
    std::optional<bool> StrikeFromOutside(std::span<const Candidate> strikes);

    // The digit selector and the one way the window places digits; Decide
    // tells whether it placed.
    int SelectorValue() const;
    void SetSelectorValue(int value);
    bool Decide();

    BoardGrid* SG1;
    QPushButton* Button1;
    SpinEdit* SpinEdit1;
    QPushButton* Button2;
    QLabel* Panel1;
    QPushButton* Button3;
    QPushButton* Button4;
    FileListBox* FileListBox1;
    QLineEdit* Edit1;
    QPushButton* Button5;
    QPushButton* Button6;
    QPushButton* Button9;
    QPushButton* Button7;
    QPushButton* Button8;
    QPushButton* Button10;
    QMenu* PopupMenu1;
    QAction* N11;
    QAction* N21;
    QAction* N31;
    QAction* N41;
    QAction* N51;
    QAction* N61;
    QAction* N71;
    QAction* N81;
    QAction* N91;
    QAction* N12;
    // Keeps FileListBox1 in step with the board directory.
    DirectoryFollower* FileListFollower;

signals:
    // The cells, the selection or whether "戻る" is enabled may have changed;
    // sent often (for every cell written), so a receiver gathers them.
    void BoardTouched();

protected:
    void changeEvent(QEvent* event) override;
    // A drop of what OpenHandedFile opens, or of a puzzle text, is taken;
    // anything else is refused at once, so the pointer shows it.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void Inform(const std::string& text) override;

    void CreateControls();
    void NameControlsForAssistiveTechnology();
    void ConnectCommands();
    void StartUp();
    // Runs a command; anything it throws ends it and shows the error box
    // (for a CommandError only when `showForeseenErrors`).
    void RunCommand(const std::function<void()>& command, bool showForeseenErrors = true);
    void WriteSelectionToPanel();
    bool TakesInput() const;
    void OpenExamined(const HandedFile& file);
    // Tells of a save or load that had no name, or ends the command with its
    // error as any command ends; true when it was done.
    bool FileCommandDone(const FileOutcome& outcome);
    // The selector and Decide, as the aids take them.
    DecidePath Path();

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void Button9Click();
    // Whether the digit was placed.
    bool PopupDigitClick(int digit);
    void N12Click();
    void SG1MouseDown(const GridPress& press);

    Dialogs& dialogs_;
    BoardFiles files_;
    BoardState state_;
    // Commands under way: more than one only inside a box a command opened.
    int runningCommands_ = 0;
};

}  // namespace quillet
