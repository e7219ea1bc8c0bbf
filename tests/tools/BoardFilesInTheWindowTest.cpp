#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "ScratchWindow.h"
#include "ToolRun.h"
#include "WindowAidButtons.h"

using namespace quillet;
using namespace quillet::testing;
using quillet::board_tool::testing::RunTool;

// Boards that quillet-board writes, loaded and finished in the real window.
class BoardFilesInTheWindowTest : public ScratchWindowTest {
    Q_OBJECT

    std::string InTheList(const QString& name) const {
        return QFile::encodeName(window->Path(name)).toStdString();
    }

    // Loads the file with "Load", then presses "OK?", "解1", "解2" in rounds.
    bool LoadAndFinish(const QString& name) {
        form->Edit1->setText(name);
        form->Button4->click();
        return PressAidsInRounds(*form, *dialogs).congratulated;
    }

private slots:
    void init() { QVERIFY(OpenWindow(false)); }
    void cleanup() { CloseWindow(); }

    void newPuzzlesFinishWithTheButtons() {
        QCOMPARE(RunTool({"new", "--count", "20", "--seed", "1", "-o",
                          InTheList(QStringLiteral("puzzle"))})
                     .status,
                 0);
        for (int n = 1; n <= 20; ++n)
            QVERIFY2(LoadAndFinish(QStringLiteral("puzzle-%1.cgd").arg(n, 2, 10, QLatin1Char('0'))),
                     qPrintable(QString::number(n)));
        QVERIFY(dialogs->informations.isEmpty() && dialogs->errors.isEmpty());
    }

    void everyQqwingStyleLoadsAndFinishes() {
        for (const char* style : {"one-line", "compact", "readable", "csv"}) {
            const std::string path =
                QUILLET_TOOL_FIXTURE_DIR "/qqwing-" + std::string(style) + ".txt";
            QCOMPARE(RunTool({"import", "-o", InTheList(QString::fromUtf8(style)), path}).status,
                     0);
            QVERIFY2(LoadAndFinish(QString::fromUtf8(style) + QStringLiteral(".cgd")), style);
        }
        QVERIFY(dialogs->informations.isEmpty() && dialogs->errors.isEmpty());
    }
};

QTEST_MAIN(BoardFilesInTheWindowTest)
#include "BoardFilesInTheWindowTest.moc"
