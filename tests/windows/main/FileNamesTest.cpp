#include <sys/stat.h>
#include <unistd.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>

#include "FileBytes.h"
#include "RecordingDialogs.h"
#include "windows/main/FileListBox.h"
#include "windows/main/Unit1.h"

using namespace quillet;
using namespace quillet::testing;

// Board files whose names are raw bytes, in a directory whose name is not
// UTF-8, through the real window.
class FileNamesTest : public QObject {
    Q_OBJECT

    QTemporaryDir* root = nullptr;
    std::string dir;
    RecordingDialogs* dialogs = nullptr;
    TForm1* form = nullptr;

    std::string In(const std::string& name) const { return dir + "/" + name; }
    void Write(const std::string& name, const std::string& bytes) const {
        WriteBytes(In(name), bytes);
    }
    std::string Read(const std::string& name) const { return ReadBytes(In(name)); }
    CandidateBoard& board() { return form->State().Board(); }
    int RowShowing(const QString& shown) const {
        for (int row = 0; row < form->FileListBox1->count(); ++row)
            if (form->FileListBox1->ShownName(row) == shown) return row;
        return -1;
    }
    void Click(int row) {
        FileListBox* list = form->FileListBox1;
        list->scrollTo(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(row, 0)).center());
    }

private slots:
    void init() {
        root = new QTemporaryDir;
        QVERIFY(root->isValid());
        dir = QFile::encodeName(root->path()).toStdString() + "/dir-\xff\x94\xd5";
        QCOMPARE(::mkdir(dir.c_str(), 0777), 0);
        // Cell (1, 1) tells which file was loaded.
        Write("\x94\xd5\x96\xca.cgd", "1\r\n");
        Write("\xff\xfe.cgd", "2\r\n");
        Write(std::string(251, 'l') + ".cgd", "3\r\n");
        Write("new\nline.cgd", "4\r\n");
        Write("Alpha.cgd", "5\r\n");
        dialogs = new RecordingDialogs;
        form = new TForm1(*dialogs, nullptr, dir);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
    }
    void cleanup() {
        delete form;
        delete dialogs;
        // QTemporaryDir cannot name what lies below a name that is not UTF-8.
        QCOMPARE(std::system(("rm -rf -- '" + dir + "'").c_str()), 0);
        delete root;
    }

    void everyNameIsListedReadablyInOrder() {
        QStringList shown;
        for (int row = 0; row < form->FileListBox1->count(); ++row)
            shown << form->FileListBox1->ShownName(row);
        QCOMPARE(shown, (QStringList{QStringLiteral("Alpha.cgd"),
                                     QString(251, u'l') + QStringLiteral(".cgd"),
                                     QStringLiteral("new\\x0Aline.cgd"), QStringLiteral("盤面.cgd"),
                                     QStringLiteral("\\xFF\\xFE.cgd")}));
    }

    void aListedNameLoadsAndSavesExactlyItsFile() {
        const struct {
            QString shown;
            std::string stored;
            const char* digit;
        } cases[] = {
            {QStringLiteral("盤面.cgd"), "\x94\xd5\x96\xca.cgd", "1"},
            {QStringLiteral("\\xFF\\xFE.cgd"), "\xff\xfe.cgd", "2"},
            {QString(251, u'l') + QStringLiteral(".cgd"), std::string(251, 'l') + ".cgd", "3"},
            {QStringLiteral("new\\x0Aline.cgd"), "new\nline.cgd", "4"}};
        for (const auto& c : cases) {
            Click(RowShowing(c.shown));
            QCOMPARE(form->Edit1->text(), c.shown);
            form->Button4->click();
            QCOMPARE(board().Cell({1, 1}), std::string(c.digit));

            board().SetCell({1, 1}, "9");
            form->Button3->click();
            QCOMPARE(Read(c.stored).substr(0, 3), std::string("9\r\n"));
            QCOMPARE(form->Edit1->text(), c.shown);  // the final name, still readable
            form->Button4->click();                  // and still that file
            QCOMPARE(board().Cell({1, 1}), std::string("9"));
        }
        QCOMPARE(form->FileListBox1->count(), 5);
        QVERIFY(dialogs->errors.isEmpty());
    }

    void typedNamesWorkInTheDirectory() {
        board().SetCell({1, 1}, "6");
        form->Edit1->setText(QStringLiteral("Plain"));
        form->Button3->click();
        QCOMPARE(Read("plain.cgd").substr(0, 3), std::string("6\r\n"));
        form->Edit1->setText(QStringLiteral("盤"));
        form->Button3->click();
        QCOMPARE(Read("盤.cgd").substr(0, 3), std::string("6\r\n"));
        const QString longest = QString(251, u'q');  // 255 bytes with ".cgd"
        form->Edit1->setText(longest);
        form->Button3->click();
        QCOMPARE(Read(std::string(251, 'q') + ".cgd").substr(0, 3), std::string("6\r\n"));
        QCOMPARE(form->FileListBox1->count(), 8);

        form->Edit1->setText(QStringLiteral("ALPHA.CGD"));  // stored as Alpha.cgd
        form->Button4->click();
        QCOMPARE(board().Cell({1, 1}), std::string("5"));
        // Edited after it was taken from the list, a name is what was typed.
        Click(RowShowing(QStringLiteral("盤面.cgd")));
        form->Edit1->setText(form->Edit1->text() + u'x');
        form->Button4->click();
        QCOMPARE(dialogs->errors, QStringList{QStringLiteral("ファイル 盤面.cgdx は開けません.")});
    }

    void keysMoveThroughTheNames() {
        FileListBox* list = form->FileListBox1;
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);  // focus made the first row current
        QCOMPARE(form->Edit1->text(), QString(251, u'l') + QStringLiteral(".cgd"));
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(form->Edit1->text(), QStringLiteral("Alpha.cgd"));
        QTest::keyClick(list, Qt::Key_N);
        QCOMPARE(form->Edit1->text(), QStringLiteral("new\\x0Aline.cgd"));
        QTest::keyClick(list, Qt::Key_End);
        QCOMPARE(form->Edit1->text(), QStringLiteral("\\xFF\\xFE.cgd"));
    }
};

QTEST_MAIN(FileNamesTest)
#include "FileNamesTest.moc"
