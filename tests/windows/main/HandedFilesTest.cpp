#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "FileBytes.h"
#include "ScratchWindow.h"
#include "windows/main/BoardGrid.h"
#include "windows/main/FileListBox.h"

using namespace quillet;
using namespace quillet::testing;

namespace {
constexpr const char* kPuzzleLine =
    "......6....82...392.73......5......46....8.....4...273..39......7....4.55....2...";
}

// Files the desktop hands to the main window, named on the command line or
// dropped: a board file, a puzzle text, or neither.
class HandedFilesTest : public ScratchWindowTest {
    Q_OBJECT

    QTemporaryDir* elsewhere = nullptr;
    std::string there;  // its path, bytes

    std::string In(const std::string& name) const { return there + "/" + name; }
    // A board whose cell (1, 1) is `first`, the rest fresh.
    static std::string Board(const std::string& first) {
        std::string text = first + "\r\n";
        for (int k = 1; k < 81; ++k) text += "123456789\r\n";
        return text;
    }
    QString NameBox() const { return form->Edit1->text(); }
    // Sends a drag onto the window as the platform would; whether it was taken.
    bool Drop(const QMimeData& data) {
        const QPoint at = form->SG1->geometry().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(form, &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(form, &drop);
        return drop.isAccepted();
    }
    static QUrl FileUrl(const std::string& path) {
        // As a file manager writes it: every byte of the name escaped.
        return QUrl::fromEncoded("file://" + QByteArray(path.c_str()).toPercentEncoding("/"));
    }

private slots:
    void init() {
        QVERIFY(OpenWindow());
        elsewhere = new QTemporaryDir;
        there = QFile::encodeName(elsewhere->path()).toStdString();
        WriteBytes(In("b.cgd"), Board("7"));
        WriteBytes(In("a.cgd"), Board("1"));
    }
    void cleanup() {
        CloseWindow();
        delete elsewhere;
    }

    void aBoardFileLoadsWhereItLivesAndIsChosenInTheList() {
        board().SetSelection({5, 5});
        form->State().SetUndoAvailable(true);
        form->OpenHandedFile(In("b.cgd"));
        QCOMPARE(form->FileListBox1->count(), 2);
        QCOMPARE(form->FileListBox1->ShownName(form->FileListBox1->SelectedRow()),
                 QStringLiteral("b.cgd"));
        QCOMPARE(NameBox(), QStringLiteral("b.cgd"));
        QCOMPARE(board().Cell({1, 1}), std::string("7"));
        QCOMPARE(board().Selection(), (CellPos{5, 5}));
        QVERIFY(!form->Button5->isEnabled());
        QVERIFY(dialogs->errors.isEmpty());
        // Save and Load then work in that directory.
        form->Button3->click();
        QCOMPARE(ReadBytes(In("b.cgd")), Board("7"));
    }

    void aBoardThatCannotBeLoadedSaysSoAsLoadDoes() {
        form->OpenHandedFile(In("gone.cgd"));
        QCOMPARE(dialogs->errors, QStringList{QStringLiteral("ファイル gone.cgd は開けません.")});
        QCOMPARE(board().Cell({1, 1}), std::string("123456789"));
    }

    void aPuzzleTextMakesAFreshBoardAndWritesNothing() {
        WriteBytes(In("hard.txt"), std::string("# from a magazine\n") + kPuzzleLine + "\n");
        board().SetCell({1, 1}, "5");
        board().SetSelection({4, 7});
        form->State().SetUndoAvailable(true);
        form->OpenHandedFile(In("hard.txt"));
        QCOMPARE(board().Selection(), (CellPos{4, 7}));
        QVERIFY(!form->Button5->isEnabled());
        QCOMPARE(NameBox(), QStringLiteral("hard.cgd"));
        QCOMPARE(form->FileListBox1->count(), 2);  // the text's directory, as it was
        QCOMPARE(form->FileListBox1->SelectedRow(), -1);
        QCOMPARE(board().Cell({7, 1}), std::string("6"));
        QCOMPARE(board().Cell({1, 1}), std::string("123456789"));
        QVERIFY(QFile::exists(QFile::decodeName(In("hard.txt").c_str())));
        QVERIFY(!QFile::exists(QFile::decodeName(In("hard.cgd").c_str())));
        form->Button3->click();
        QCOMPARE(ReadBytes(In("hard.cgd")).substr(0, 11), std::string("123456789\r\n"));
    }

    void anythingElseLeavesTheWindowAsItWasAndSaysWhy() {
        WriteBytes(In("notes.txt"), "shopping: eggs\n123\n");
        board().SetCell({1, 1}, "5");
        const QString nameBox = NameBox();
        const int listed = form->FileListBox1->count();
        form->OpenHandedFile(In("notes.txt"));
        QCOMPARE(dialogs->errors,
                 QStringList{QStringLiteral("ファイル notes.txt は盤面でも問題でもありません.")});
        QCOMPARE(board().Cell({1, 1}), std::string("5"));
        QCOMPARE(NameBox(), nameBox);
        QCOMPARE(form->FileListBox1->count(), listed);
    }

    void aNameThatIsNotUtf8SurvivesTheCommandLineAndADrop() {
        const std::string odd = "\x94\xd5\xff.cgd";
        WriteBytes(In(odd), Board("3"));
        form->OpenHandedFile(In(odd));
        QCOMPARE(board().Cell({1, 1}), std::string("3"));
        QCOMPARE(form->FileListBox1->StoredName(form->FileListBox1->SelectedRow()), odd);

        board().SetCell({1, 1}, "9");
        QMimeData data;
        data.setUrls({FileUrl(In(odd))});
        QVERIFY(Drop(data));
        QCOMPARE(board().Cell({1, 1}), std::string("3"));
        // Save writes that same file back, byte for byte its name.
        board().SetCell({1, 1}, "8");
        form->Button3->click();
        QCOMPARE(ReadBytes(In(odd)), Board("8"));
    }

    void dropsOfBoardsAndPuzzlesAreTakenAndAnythingElseRefused() {
        QMimeData file;
        file.setUrls({FileUrl(In("a.cgd"))});
        file.setText(QString::fromStdString(In("a.cgd")));  // a file manager adds the path
        QVERIFY(Drop(file));
        QCOMPARE(board().Cell({1, 1}), std::string("1"));
        QCOMPARE(NameBox(), QStringLiteral("a.cgd"));

        const QString nameBox = NameBox();
        QMimeData text;
        text.setText(QString::fromLatin1(kPuzzleLine));
        QVERIFY(Drop(text));
        QCOMPARE(board().Cell({7, 1}), std::string("6"));
        QCOMPARE(NameBox(), nameBox);

        board().SetCell({1, 1}, "5");
        WriteBytes(In("notes.txt"), "shopping: eggs\n");
        QMimeData notes, two, remote, prose;
        notes.setUrls({FileUrl(In("notes.txt"))});
        two.setUrls({FileUrl(In("a.cgd")), FileUrl(In("b.cgd"))});
        remote.setUrls({QUrl(QStringLiteral("https://example.org/a.cgd"))});
        prose.setText(QStringLiteral("hello"));
        for (const QMimeData* refused : {&notes, &two, &remote, &prose}) QVERIFY(!Drop(*refused));
        QCOMPARE(board().Cell({1, 1}), std::string("5"));
        QVERIFY(dialogs->errors.isEmpty());
    }
};

QTEST_MAIN(HandedFilesTest)
#include "HandedFilesTest.moc"
