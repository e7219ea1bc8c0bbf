#include <QTest>

#include "windows/main/ProgramTitle.h"

using namespace quillet;

class ProgramTitleTest : public QObject {
    Q_OBJECT

private slots:
    void titleFromTheExecutableAndTheFullStopOfErrors() {
        QCOMPARE(ProgramTitleFromPath(QStringLiteral("/usr/bin/quillet")),
                 QStringLiteral("quillet"));
        QCOMPARE(ProgramTitleFromPath(QStringLiteral("C:/x/QUILLET.EXE")),
                 QStringLiteral("Quillet"));
        QCOMPARE(ProgramTitleFromPath(QStringLiteral("my.prog.bin")), QStringLiteral("my"));
        QCOMPARE(WithFullStop(QStringLiteral("ファイル a.cgd は開けません")),
                 QStringLiteral("ファイル a.cgd は開けません."));
        QCOMPARE(WithFullStop(QStringLiteral("abc")), QStringLiteral("abc."));
        QCOMPARE(WithFullStop(QStringLiteral("9")), QStringLiteral("9."));
        QCOMPARE(WithFullStop(QStringLiteral("a/")), QStringLiteral("a/."));  // "/" comes after "."
        for (const char* kept : {"", "done.", "(a)", "stop!", "trailing ", "a-"})
            QCOMPARE(WithFullStop(QString::fromUtf8(kept)), QString::fromUtf8(kept));
    }
};

QTEST_MAIN(ProgramTitleTest)
#include "ProgramTitleTest.moc"
