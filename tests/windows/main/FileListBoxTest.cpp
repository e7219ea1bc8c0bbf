#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "windows/main/FileListBox.h"
#include "windows/main/ProgramTitle.h"

using namespace quillet;

class FileListBoxTest : public QObject {
    Q_OBJECT

    QString startDir;
    QTemporaryDir* dir = nullptr;

    void touch(const QString& name) {
        QFile f(dir->filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }

private slots:
    void init() {
        startDir = QDir::currentPath();
        dir = new QTemporaryDir;
        QVERIFY(dir->isValid());
        for (const char* name :
             {"zeta.CGD", "MyBoard.cgd", "alpha.cgd", ".hidden.cgd", "notes.txt", "b.cgd.bak"})
            touch(name);
        QVERIFY(QDir(dir->path()).mkdir("folder.cgd"));
        QDir::setCurrent(dir->path());
    }
    void cleanup() {
        QDir::setCurrent(startDir);
        delete dir;
    }

    void listsOrdinaryMatchingFilesSortedWithoutRegardToCase() {
        QLineEdit edit;
        FileListBox list;
        list.SetFileEdit(&edit);
        list.SetMask(QStringLiteral("*.cgd"));
        QStringList names;
        for (int i = 0; i < list.count(); ++i) names << list.ShownName(i);
        QCOMPARE(names, (QStringList{"alpha.cgd", "MyBoard.cgd", "zeta.CGD"}));
        QCOMPARE(edit.text(), QStringLiteral("*.cgd"));

        list.SetMask(QStringLiteral("*.txt;*.bak"));
        QCOMPARE(list.count(), 2);
        QCOMPARE(list.ShownName(0), QStringLiteral("b.cgd.bak"));
        QCOMPARE(edit.text(), QStringLiteral("*.txt;*.bak"));
    }

    void theDirectoryIsFixedWhenTheListIsMade() {
        FileListBox list;
        list.SetMask(QStringLiteral("*.cgd"));
        QDir::setCurrent(startDir);
        touch("later.cgd");
        list.Update();
        QCOMPARE(list.count(), 4);
        QCOMPARE(QDir::currentPath(), startDir);  // reading the list leaves it alone
    }

    void theLinkedBoxShowsTheSelectedNameOrTheMask() {
        QLineEdit edit;
        FileListBox list;
        list.SetFileEdit(&edit);
        list.SetMask(QStringLiteral("*.cgd"));
        list.resize(105, 205);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));

        const QRect second = list.visualRect(list.model()->index(1, 0));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(edit.text(), QStringLiteral("MyBoard.cgd"));
        QCOMPARE(edit.selectedText(), QStringLiteral("MyBoard.cgd"));
        QCOMPARE(second.height(), 16);

        edit.setText(QStringLiteral("typed"));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(edit.text(),
                 QStringLiteral("typed"));  // re-clicking the selection changes nothing

        QTest::keyClick(&list, Qt::Key_Down);
        QCOMPARE(edit.text(), QStringLiteral("zeta.CGD"));

        list.Update();
        QCOMPARE(list.SelectedRow(), -1);
        QCOMPARE(edit.text(), QStringLiteral("*.cgd"));
    }

    void settingTheSameMaskDoesNotReread() {
        QLineEdit edit;
        FileListBox list;
        list.SetFileEdit(&edit);
        list.SetMask(QStringLiteral("*.cgd"));
        edit.setText(QStringLiteral("kept"));
        list.SetMask(QStringLiteral("*.cgd"));
        QCOMPARE(edit.text(), QStringLiteral("kept"));
    }

    void programTitleAndFullStop() {
        QCOMPARE(ProgramTitleFromPath("/usr/bin/quillet"), QStringLiteral("quillet"));
        QCOMPARE(ProgramTitleFromPath("C:/x/QUILLET.EXE"), QStringLiteral("Quillet"));
        QCOMPARE(ProgramTitleFromPath("my.prog.bin"), QStringLiteral("my"));
        QCOMPARE(WithFullStop("ファイル a.cgd は開けません"),
                 QStringLiteral("ファイル a.cgd は開けません."));
        QCOMPARE(WithFullStop("abc"), QStringLiteral("abc."));
        QCOMPARE(WithFullStop("9"), QStringLiteral("9."));
        QCOMPARE(WithFullStop("a/"), QStringLiteral("a/."));  // "/" comes after "."
        for (const char* kept : {"", "done.", "(a)", "stop!", "trailing ", "a-"})
            QCOMPARE(WithFullStop(QString::fromUtf8(kept)), QString::fromUtf8(kept));
    }
};

QTEST_MAIN(FileListBoxTest)
#include "FileListBoxTest.moc"
