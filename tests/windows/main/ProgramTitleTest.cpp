#include <QTest>

#include "windows/main/ProgramTitle.h"

using namespace quillet;

class ProgramTitleTest : public QObject {
    Q_OBJECT

private slots:
    void titleFromTheExecutableAndTheFullStopOfErrors() {
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

QTEST_MAIN(ProgramTitleTest)
#include "ProgramTitleTest.moc"
