#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "coach/CoachPrint.h"
#include "coaching/Advice.h"

// The coach's page as the print dialog's PDF file gets it, read back with
// pdftotext: the board's candidates, and when asked the step's name and
// explanation beneath.
namespace quillet::coach {
namespace {

// The puzzle's givens and every other cell's candidates, as a board file
// holds them after one press of "OK?" on this puzzle, which has a hidden
// single for the coach to explain.
coaching::CellTexts Board() {
    const std::string givens =
        "......6....82...392.73......5......46....8.....4...273..39......7....4.55....2...";
    coaching::CellTexts cells;
    for (int row = 1; row <= 9; ++row)
        for (int col = 1; col <= 9; ++col) {
            const char given = givens[static_cast<std::size_t>((row - 1) * 9 + col - 1)];
            cells[ColumnMajorIndex({col, row})] =
                given == '.' ? "123456789" : std::string(1, given);
        }
    return cells;
}

QString TextOf(const QString& pdf) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    pdftotext.waitForFinished(-1);
    // Lines broken where the page broke them, and spaces between words.
    return QString::fromUtf8(pdftotext.readAllStandardOutput())
        .remove(QRegularExpression(QStringLiteral("\\s")));
}

QString Squeezed(const std::string& text) {
    return QString::fromStdString(text).remove(QRegularExpression(QStringLiteral("\\s")));
}

TEST(CoachPrint, TheBoardAloneOrWithTheStepNamedAndExplained) {
    QTemporaryDir dir;
    const CoachPrintout printout{
        Board(), std::make_shared<const coaching::Advice>(coaching::Advise(Board())), {}, {}};
    ASSERT_FALSE(printout.advice->parts.empty());
    CoachPrintout named = printout;
    named.title = QString::fromStdString(printout.advice->title);
    named.explanation = QString::fromStdString(printout.advice->parts.front().explanation);

    const QString plain = dir.filePath(QStringLiteral("plain.pdf"));
    QPrinter toPlain(QPrinter::HighResolution);
    toPlain.setOutputFileName(plain);
    EXPECT_EQ(PrintCoachPage(toPlain, named, false), plain + QStringLiteral(" に書き出しました。"));
    const QString plainText = TextOf(plain);
    // The givens, the candidates of the open cells and the numbers.
    EXPECT_GT(plainText.count(QRegularExpression(QStringLiteral("[1-9]"))), 29 + 52 * 9)
        << plainText.toStdString();
    EXPECT_FALSE(plainText.contains(Squeezed(printout.advice->title)));

    const QString step = dir.filePath(QStringLiteral("step.pdf"));
    QPrinter toStep(QPrinter::HighResolution);
    toStep.setOutputFileName(step);
    EXPECT_EQ(PrintCoachPage(toStep, named, true), step + QStringLiteral(" に書き出しました。"));
    const QString stepText = TextOf(step);
    EXPECT_TRUE(stepText.contains(Squeezed(printout.advice->title))) << stepText.toStdString();
    EXPECT_TRUE(stepText.contains(Squeezed(printout.advice->parts.front().explanation)))
        << stepText.toStdString();
}

TEST(CoachPrint, AFileThatCannotBeWrittenIsSaidAndNotLeftHalfWritten) {
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString out = dir.filePath(QStringLiteral("file/page.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(out);
    EXPECT_EQ(PrintCoachPage(printer, {Board(), nullptr, {}, {}}, false),
              out + QStringLiteral(" に書き出せませんでした。"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
              QStringList{QStringLiteral("file")});
}

}  // namespace
}  // namespace quillet::coach
