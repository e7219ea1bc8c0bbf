#include <sys/stat.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstdlib>

#include "FileBytes.h"
#include "ScratchWindow.h"
#include "windows/main/DirectoryFollower.h"
#include "windows/main/FileListBox.h"

using namespace quillet;
using namespace quillet::testing;

// The file list follows its directory as other programs change it.
class DirectoryFollowingTest : public ScratchWindowTest {
    Q_OBJECT

    std::string In(const std::string& name) const {
        return QFile::encodeName(window->dir.path()).toStdString() + "/" + name;
    }
    QStringList Shown() const {
        QStringList names;
        for (int row = 0; row < form->FileListBox1->count(); ++row)
            names << form->FileListBox1->ShownName(row);
        return names;
    }
    static QStringList Names(std::initializer_list<const char*> names) {
        QStringList list;
        for (const char* name : names) list << QString::fromUtf8(name);
        return list;
    }
    QString Chosen() const {
        const int row = form->FileListBox1->SelectedRow();
        return row < 0 ? QString() : form->FileListBox1->ShownName(row);
    }

private slots:
    void init() {
        QVERIFY(OpenWindow());
        WriteBytes(In("b.cgd"), "1\r\n");
        WriteBytes(In("d.cgd"), "1\r\n");
        QTRY_COMPARE_WITH_TIMEOUT(form->FileListBox1->count(), 2, kEventDeadlineMs);
    }
    void cleanup() { CloseWindow(); }

    void filesMadeRenamedOrRemovedElsewhereShowWithoutTouchingTheChoice() {
        form->FileListBox1->SelectRow(1);
        QCOMPARE(Chosen(), QStringLiteral("d.cgd"));
        form->Edit1->setText(QStringLiteral("typed"));
        WriteBytes(In("a.cgd"), "1\r\n");
        QVERIFY(std::rename(In("b.cgd").c_str(), In("c.cgd").c_str()) == 0);
        WriteBytes(In("notes.txt"), "");
        QTRY_COMPARE_WITH_TIMEOUT(Shown(), Names({"a.cgd", "c.cgd", "d.cgd"}), kEventDeadlineMs);
        QCOMPARE(Chosen(), QStringLiteral("d.cgd"));
        QCOMPARE(form->Edit1->text(), QStringLiteral("typed"));

        // The chosen file goes: nothing is chosen, and the box still says what it said.
        QVERIFY(std::remove(In("d.cgd").c_str()) == 0);
        QTRY_COMPARE_WITH_TIMEOUT(Shown(), Names({"a.cgd", "c.cgd"}), kEventDeadlineMs);
        QCOMPARE(Chosen(), QString());
        QCOMPARE(form->Edit1->text(), QStringLiteral("typed"));
    }

    void aBurstIsReadAsAWhole() {
        QSignalSpy followed(form->FileListFollower, &DirectoryFollower::ListingFollowed);
        constexpr int kBurst = 2000;
        for (int k = 0; k < kBurst; ++k) WriteBytes(In("burst-" + std::to_string(k) + ".cgd"), "");
        QTRY_COMPARE_WITH_TIMEOUT(form->FileListBox1->count(), kBurst + 2, kEventDeadlineMs);
        // The reports came while the test held the event loop: one reading
        // or a few, never one per file.
        QVERIFY2(followed.count() < 10, qPrintable(QString::number(followed.count())));
    }

    void theListFollowsTheDirectoryAHandedBoardBringsEvenIfItsNameIsNotUtf8() {
        const std::string odd = In("dir-\xff\xfe");
        QCOMPARE(::mkdir(odd.c_str(), 0777), 0);
        WriteBytes(odd + "/x.cgd", "5\r\n");
        form->OpenHandedFile(odd + "/x.cgd");
        QCOMPARE(Shown(), Names({"x.cgd"}));
        WriteBytes(odd + "/y.cgd", "");
        QTRY_COMPARE_WITH_TIMEOUT(Shown(), Names({"x.cgd", "y.cgd"}), kEventDeadlineMs);
        QCOMPARE(Chosen(), QStringLiteral("x.cgd"));
        // The scratch directory cannot name what lies below a name that is not UTF-8.
        CloseWindow();
        QCOMPARE(std::system(("rm -rf -- '" + odd + "'").c_str()), 0);
    }
};

QTEST_MAIN(DirectoryFollowingTest)
#include "DirectoryFollowingTest.moc"
