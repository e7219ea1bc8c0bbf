#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "EventDeadline.h"
#include "windows/main/FileListBox.h"

using quillet::testing::kEventDeadlineMs;

using namespace quillet;

class FileListBoxTest : public QObject {
    Q_OBJECT

    QTemporaryDir* dir = nullptr;

    void touch(const QString& name) {
        QFile f(dir->filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }

private slots:
    static std::string Bytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

    void init() {
        dir = new QTemporaryDir;
        QVERIFY(dir->isValid());
        for (const char* name :
             {"zeta.CGD", "MyBoard.cgd", "alpha.cgd", ".hidden.cgd", "notes.txt", "b.cgd.bak"})
            touch(QString::fromUtf8(name));
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("folder.cgd")));
    }
    void cleanup() { delete dir; }

    void listsOrdinaryMatchingFilesSortedWithoutRegardToCase() {
        QLineEdit edit;
        BoardFiles files(Bytes(dir->path()));
        FileListBox list(files);
        list.SetFileEdit(&edit);
        list.SetMask(QStringLiteral("*.cgd"));
        QStringList names;
        for (int i = 0; i < list.count(); ++i) names << list.ShownName(i);
        QCOMPARE(names, (QStringList{QStringLiteral("alpha.cgd"), QStringLiteral("MyBoard.cgd"),
                                     QStringLiteral("zeta.CGD")}));
        QCOMPARE(edit.text(), QStringLiteral("*.cgd"));

        list.SetMask(QStringLiteral("*.txt;*.bak"));
        QCOMPARE(list.count(), 2);
        QCOMPARE(list.ShownName(0), QStringLiteral("b.cgd.bak"));
        QCOMPARE(edit.text(), QStringLiteral("*.txt;*.bak"));
    }

    void theDirectoryIsTheOneGivenOrTheCurrentOne() {
        const QString current = QDir::currentPath();
        QCOMPARE(BoardFiles().Directory(), Bytes(current));
        BoardFiles files(Bytes(dir->path()));
        FileListBox list(files);
        list.SetMask(QStringLiteral("*.cgd"));
        touch(QStringLiteral("later.cgd"));
        list.Update();
        QCOMPARE(list.count(), 4);
        QCOMPARE(QDir::currentPath(), current);  // reading the list leaves it alone
        // What the files read later shows only when the list is told.
        const auto shown = files.Listing();
        touch(QStringLiteral("latest.cgd"));
        files.Reread();
        QCOMPARE(list.count(), 4);
        QCOMPARE(shown->names.size(), 4U);
        list.ShowListing();
        QCOMPARE(list.count(), 5);
    }

    void theLinkedBoxShowsTheSelectedNameOrTheMask() {
        QLineEdit edit;
        BoardFiles files(Bytes(dir->path()));
        FileListBox list(files);
        list.SetFileEdit(&edit);
        list.SetMask(QStringLiteral("*.cgd"));
        list.resize(105, 205);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list, kEventDeadlineMs));

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
        BoardFiles files(Bytes(dir->path()));
        FileListBox list(files);
        list.SetFileEdit(&edit);
        list.SetMask(QStringLiteral("*.cgd"));
        edit.setText(QStringLiteral("kept"));
        list.SetMask(QStringLiteral("*.cgd"));
        QCOMPARE(edit.text(), QStringLiteral("kept"));
    }
};

QTEST_MAIN(FileListBoxTest)
#include "FileListBoxTest.moc"
