#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "MainWindowTestSupport.h"
#include "PuzzleFixture.h"
#include "ScratchWindow.h"
#include "WindowAidButtons.h"
#include "windows/main/FileListBox.h"
#include "windows/main/SpinEdit.h"

using namespace quillet;
using namespace quillet::testing;

// The aid, check and file buttons driven through the real window.
class WindowCommandsTest : public ScratchWindowTest {
    Q_OBJECT

private slots:
    void init() { QVERIFY(OpenWindow()); }
    void cleanup() { CloseWindow(); }

    void theButtonsFinishRealPuzzlesInTheCongratulationWindow() {
        const auto puzzles = LoadPuzzles(QUILLET_FIXTURE_DIR "/puzzles.txt");
        QVERIFY(puzzles.size() >= 10);
        for (std::size_t i = 0; i < puzzles.size(); i += 4) {
            const Puzzle& puzzle = puzzles[i];
            form->Button1->click();
            puzzle.SetUp(board());
            const int before = dialogs->congratulations;
            QVERIFY(PressAidsInRounds(*form, *dialogs).congratulated);
            QCOMPARE(dialogs->congratulations, before + 1);
            ForEachCellColumnMajor([&](CellPos p) { QCOMPARE(board().Cell(p), puzzle.Answer(p)); });
            QVERIFY(!form->Button5->isEnabled());
        }
        QVERIFY(dialogs->informations.isEmpty() && dialogs->errors.isEmpty());
    }

    void aidsKeepOrMoveTheSelectorAsTheirButtonsSay() {
        form->SpinEdit1->SetValue(6);
        board().SetCell({2, 2}, "7");  // only 7 left in the top-left box
        for (CellPos p : {CellPos{1, 1}, CellPos{1, 2}, CellPos{1, 3}, CellPos{2, 1}, CellPos{2, 3},
                          CellPos{3, 1}, CellPos{3, 2}, CellPos{3, 3}})
            board().SetCell(p, "12345689");
        form->Button7->click();
        QCOMPARE(form->SpinEdit1->text(), QStringLiteral("6"));
        form->Button6->click();
        QCOMPARE(form->SpinEdit1->text(), QStringLiteral("7"));
        QCOMPARE(form->Panel1->text(), QStringLiteral("1  1"));  // the aids leave the panel alone
    }

    void aNonDigitCellEndsTheCheckInTheErrorBox() {
        board().SetCell({3, 4}, "x");
        form->Button8->click();
        QCOMPARE(dialogs->errors, QStringList{QStringLiteral("'x' は整数ではありません.")});
        QCOMPARE(board().Selection(), (CellPos{3, 4}));
    }

    void aBoardSurvivesSaveAndLoadThroughTheNameBox() {
        board().SetCell({1, 1}, "");
        board().SetCell({9, 9}, "\xff\x80z");
        form->Edit1->setText(QStringLiteral("MyBoard"));
        form->Button3->click();
        QCOMPARE(form->Edit1->text(), QStringLiteral("myboard.cgd"));
        QCOMPARE(form->FileListBox1->count(), 1);
        QVERIFY(QFile::exists(window->Path(QStringLiteral("myboard.cgd"))));

        form->Button1->click();
        form->Edit1->setText(QStringLiteral("MyBoard.CGD"));
        form->Button4->click();
        QCOMPARE(board().Cell({1, 1}), std::string());
        QCOMPARE(board().Cell({9, 9}), std::string("\xff\x80z"));
        QVERIFY(!form->Button5->isEnabled());
        QCOMPARE(form->Edit1->text(), QStringLiteral("MyBoard.CGD"));  // a load leaves the box

        form->Edit1->setText(QStringLiteral("*.CGD"));
        form->Button4->click();
        QCOMPARE(dialogs->informations, QStringList{QStringLiteral("Input file name")});
        form->Edit1->setText(QStringLiteral("missing"));
        form->Button4->click();
        QCOMPARE(dialogs->errors, QStringList{QStringLiteral("ファイル missing は開けません.")});
    }

    void boardFilesGoToTheListsDirectoryNotTheCurrentOne() {
        const QString current = QDir::currentPath();
        QVERIFY(QDir(current) != QDir(window->dir.path()));
        QVERIFY(!QFile::exists(QStringLiteral("kept.cgd")));
        board().SetCell({1, 1}, "7");
        form->Edit1->setText(QStringLiteral("Kept"));
        form->Button3->click();
        QVERIFY(QFile::exists(window->Path(QStringLiteral("kept.cgd"))));
        QCOMPARE(form->FileListBox1->count(), 1);
        board().SetCell({1, 1}, "8");
        form->Edit1->setText(QStringLiteral("kept.cgd"));
        form->Button4->click();
        QCOMPARE(board().Cell({1, 1}), std::string("7"));
        QVERIFY(dialogs->errors.isEmpty());
        QVERIFY(!QFile::exists(QStringLiteral("kept.cgd")));
        QCOMPARE(QDir::currentPath(), current);
    }

    void anyExceptionInAHandlerEndsOnlyItsCommandWithTheErrorBox() {
        board().SetCell({2, 2}, "4");
        auto throwOnWrite = [this](auto exception) {
            board().SetCellWrittenHandler([exception](CellPos) { throw exception; });
        };
        throwOnWrite(std::bad_alloc());
        form->Button1->click();
        form->N51->trigger();
        ClickCell(*form, 2, 2);
        throwOnWrite(std::runtime_error("boom"));
        form->Button2->click();
        throwOnWrite(42);
        form->N12->trigger();

        const QString memory = QStringLiteral("メモリが不足しています.");
        QCOMPARE(dialogs->errors,
                 (QStringList{memory, memory, memory,
                              QStringLiteral("予期しないエラーが発生しました: boom."),
                              QStringLiteral("予期しないエラーが発生しました.")}));
        QCOMPARE(form->Panel1->text(), QStringLiteral("2  2"));
        board().SetCellWrittenHandler({});
        form->Button1->click();
        QCOMPARE(board().Cell({2, 2}), std::string(FULL_SET));
        QCOMPARE(dialogs->errors.size(), 5);
    }
};

QTEST_MAIN(WindowCommandsTest)
#include "WindowCommandsTest.moc"
