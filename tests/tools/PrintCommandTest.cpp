#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>

#include "ToolRun.h"
#include "files/BoardText.h"

// quillet-board print as a person uses it, its PDF read back with poppler's
// own tools: what pdfinfo, pdffonts and pdftotext find in it, and a page
// rendered as a printer would and compared with the picture it should be.
namespace quillet::board_tool::testing {
namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// `program` on `arguments`, with `environment` added to this process's.
Outcome RunProgram(const QString& program, const QStringList& arguments,
                   const std::map<QString, QString>& environment = {}) {
    QProcess process;
    QProcessEnvironment added = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : environment) added.insert(name, value);
    process.setProcessEnvironment(added);
    process.start(program, arguments);
    process.waitForFinished(-1);
    if (process.exitStatus() != QProcess::NormalExit) return {};
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

Outcome Print(QStringList arguments, const std::map<QString, QString>& environment = {}) {
    arguments.prepend(QStringLiteral("print"));
    return RunProgram(QStringLiteral(QUILLET_BOARD_EXECUTABLE), arguments, environment);
}

QString Q(const std::string& path) { return QString::fromStdString(path); }

// Seven puzzles of the fixture, one a line.
std::string SevenPuzzles() {
    std::string text;
    int lines = 0;
    for (std::istringstream in(ReadBytes(QUILLET_TOOL_FIXTURE_DIR "/diabolical-200.txt"));
         lines < 7;) {
        std::string line;
        if (!std::getline(in, line)) break;
        if (line.empty() || line.front() == '#') continue;
        text += line + "\n";
        ++lines;
    }
    return text;
}

// What pdfinfo says on the line that begins with `field`.
std::string Info(const std::string& pdf, const std::string& field) {
    const std::string info = RunProgram(QStringLiteral("pdfinfo"), {Q(pdf)}).out;
    const std::size_t at = info.find("\n" + field + ":");
    if (at == std::string::npos) return {};
    const std::size_t value = info.find_first_not_of(' ', at + field.size() + 2);
    return info.substr(value, info.find('\n', value) - value);
}

// One line of an error: the tool's name, the message, one newline.
bool OneLine(const std::string& err) {
    return err.starts_with("quillet-board: ") && std::count(err.begin(), err.end(), '\n') == 1 &&
           err.back() == '\n';
}

std::vector<std::string> FilesIn(const std::string& directory) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(PrintCommand, PagesOnThePaperAskedTheirCaptionsAsTextAndTheFontsEmbedded) {
    ScratchDir dir;
    WriteBytes(dir / "day.txt", SevenPuzzles());
    const std::string pdf = dir / "day.pdf";
    const Outcome run =
        Print({QStringLiteral("--per-page"), QStringLiteral("6"), QStringLiteral("--paper"),
               QStringLiteral("letter"), QStringLiteral("--candidates"), QStringLiteral("-o"),
               Q(pdf), Q(dir / "day.txt")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Info(pdf, "Pages"), "2");
    EXPECT_EQ(Info(pdf, "Page size"), "612 x 792 pts (letter)");
    // In the order drawn, the ideographic space as a space.
    const std::string text = RunProgram(QStringLiteral("pdftotext"),
                                        {QStringLiteral("-raw"), Q(pdf), QStringLiteral("-")})
                                 .out;
    for (int n = 1; n <= 7; ++n)
        EXPECT_NE(text.find("day.txt " + std::to_string(n) + " / 7\n"), std::string::npos) << n;

    // A title of its own, in Japanese, on A4, one a page.
    const Outcome titled =
        Print({QStringLiteral("--title"), QStringLiteral("けさの問題"),
               QStringLiteral("--per-page"), QStringLiteral("1"), QStringLiteral("--paper"),
               QStringLiteral("a4"), QStringLiteral("-o"), Q(pdf), Q(dir / "day.txt")});
    ASSERT_EQ(titled.status, 0) << titled.err;
    EXPECT_EQ(Info(pdf, "Pages"), "7");
    EXPECT_EQ(Info(pdf, "Page size"), "595 x 842 pts (A4)");
    EXPECT_NE(RunProgram(QStringLiteral("pdftotext"),
                         {QStringLiteral("-raw"), Q(pdf), QStringLiteral("-")})
                  .out.find("けさの問題 7 / 7\n"),
              std::string::npos);
    // Without --paper, the locale's, installed or not.
    for (const auto& [locale, size] : {std::pair{"en_US.UTF-8", "612 x 792 pts (letter)"},
                                       {"fr_CA", "612 x 792 pts (letter)"},
                                       {"ja_JP.UTF-8", "595 x 842 pts (A4)"},
                                       {"de_DE@euro", "595 x 842 pts (A4)"}}) {
        ASSERT_EQ(Print({QStringLiteral("-o"), Q(pdf), Q(dir / "day.txt")},
                        {{QStringLiteral("LC_ALL"), QString::fromLatin1(locale)}})
                      .status,
                  0);
        EXPECT_EQ(Info(pdf, "Page size"), size) << locale;
    }
    // Every font in the file, and at least one, embedded.
    const std::string fonts = RunProgram(QStringLiteral("pdffonts"), {Q(pdf)}).out;
    int listed = 0;
    std::istringstream lines(fonts);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("name") || line.starts_with("---")) continue;
        ++listed;
        EXPECT_NE(line.find("IPA"), std::string::npos) << line;
        EXPECT_NE(line.find(" yes "), std::string::npos) << "not embedded: " << line;
    }
    EXPECT_GE(listed, 1) << fonts;
}

// Without candidates a puzzle shows its givens and nothing else, even where
// they leave a cell a single candidate (column 9, row 5 of this one).
TEST(PrintCommand, APuzzleWithoutCandidatesShowsItsGivensAlone) {
    ScratchDir dir;
    WriteBytes(dir / "p.txt", std::string(kGivens) + "\n");
    const std::string pdf = dir / "p.pdf";
    ASSERT_EQ(Print({QStringLiteral("--title"), QStringLiteral("x"), QStringLiteral("-o"), Q(pdf),
                     Q(dir / "p.txt")})
                  .status,
              0);
    std::string digits;
    for (const char ch : RunProgram(QStringLiteral("pdftotext"),
                                    {QStringLiteral("-raw"), Q(pdf), QStringLiteral("-")})
                             .out)
        if (ch >= '1' && ch <= '9') digits += ch;
    // The 23 givens and the numbers of the nine rows and columns.
    EXPECT_EQ(digits.size(), 23u + 18u) << digits;
}

// A word pdftotext found, its box in points.
struct Word {
    std::string text;
    double x = 0, y = 0;  // the centre
    double height = 0;
};

std::vector<Word> WordsOf(const std::string& pdf) {
    const std::string xhtml = RunProgram(QStringLiteral("pdftotext"),
                                         {QStringLiteral("-bbox"), Q(pdf), QStringLiteral("-")})
                                  .out;
    static const QRegularExpression word(QString::fromLatin1(
        R"x(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)x"));
    std::vector<Word> words;
    for (const auto& match : word.globalMatch(QString::fromStdString(xhtml))) {
        const double x0 = match.captured(1).toDouble(), y0 = match.captured(2).toDouble();
        const double x1 = match.captured(3).toDouble(), y1 = match.captured(4).toDouble();
        words.push_back({match.captured(5).toStdString(), (x0 + x1) / 2, (y0 + y1) / 2, y1 - y0});
    }
    return words;
}

// The nine centres of a set of coordinates that cluster around nine values.
std::vector<double> NineCentres(std::vector<double> values, double apart) {
    std::sort(values.begin(), values.end());
    std::vector<double> centres;
    for (const double v : values)
        if (centres.empty() || v - centres.back() > apart) centres.push_back(v);
    return centres;
}

TEST(PrintCommand, ABoardsCandidatesStandInTheirPlacesInTheirCell) {
    ScratchDir dir;
    std::vector<std::string> cells(kCellCount);
    for (int k = 0; k < kCellCount; ++k) cells[k] = std::to_string(k % 9 + 1);
    // Candidates no closer than a third of a cell apart in a line: pdftotext
    // joins closer ones into one word. Together they take every place but
    // the middle one.
    const std::vector<std::pair<CellPos, std::string>> open{
        {{5, 5}, "19"}, {{2, 7}, "37"}, {{9, 1}, "46"}, {{3, 3}, "28"}};
    for (const auto& [at, candidates] : open) cells[ColumnMajorIndex(at)] = candidates;
    WriteBytes(dir / "stuck.cgd", JoinBoardText(cells));
    const std::string pdf = dir / "stuck.pdf";
    const Outcome run =
        Print({QStringLiteral("--candidates"), QStringLiteral("-o"), Q(pdf), Q(dir / "stuck.cgd")});
    ASSERT_EQ(run.status, 0) << run.err;

    const std::vector<Word> words = WordsOf(pdf);
    const double largest =
        std::max_element(words.begin(), words.end(), [](const Word& a, const Word& b) {
            return a.height < b.height;
        })->height;
    // The solved digits, the largest type, mark the nine columns and rows.
    std::vector<double> xs, ys;
    for (const Word& w : words)
        if (w.height > 0.8 * largest) xs.push_back(w.x), ys.push_back(w.y);
    const std::vector<double> columns = NineCentres(xs, largest / 2);
    const std::vector<double> rows = NineCentres(ys, largest / 2);
    ASSERT_EQ(columns.size(), 9u);
    ASSERT_EQ(rows.size(), 9u);
    const double cell = (columns[8] - columns[0]) / 8;
    EXPECT_NEAR((rows[8] - rows[0]) / 8, cell, cell / 50);

    for (const auto& [at, candidates] : open) {
        std::string found;
        for (const Word& w : words) {
            const double dx = w.x - columns[at.col - 1], dy = w.y - rows[at.row - 1];
            if (std::abs(dx) > cell / 2 || std::abs(dy) > cell / 2 || w.height > 0.8 * largest)
                continue;
            ASSERT_EQ(w.text.size(), 1u) << w.text;
            found += w.text;
            // 1 top left, 5 in the middle, 9 bottom right: a third of the cell
            // apart, a little less for the margin inside it.
            const int d = w.text.front() - '1';
            EXPECT_NEAR(dx / cell, (d % 3 - 1) * 0.3, 0.08) << w.text << " in " << candidates;
            EXPECT_NEAR(dy / cell, (d / 3 - 1) * 0.3, 0.08) << w.text << " in " << candidates;
        }
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, candidates);
    }
}

// The share of pixels, of two grey pictures of one size, whose greys differ
// by more than a quarter of the range.
double DifferingShare(const QImage& a, const QImage& b) {
    long differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar* p = a.constScanLine(y);
        const uchar* q = b.constScanLine(y);
        for (int x = 0; x < a.width(); ++x) differing += std::abs(p[x] - q[x]) > 64;
    }
    return static_cast<double>(differing) / (static_cast<double>(a.width()) * a.height());
}

// The top left board of a page of four with candidates, rendered at 300 dpi,
// against the picture checked by eye when the layout last changed. To make it
// again: the commands below, then `pdftoppm -r 300 -gray -png -f 1 -l 1 -x 150
// -y 150 -W 1060 -H 1120 -singlefile board.pdf printed-board`.
TEST(PrintCommand, ARenderedPageIsThePictureItShouldBe) {
    ScratchDir dir;
    WriteBytes(dir / "p.txt", std::string(kGivens) + "\n");
    const std::string pdf = dir / "board.pdf";
    ASSERT_EQ(
        Print({QStringLiteral("--per-page"), QStringLiteral("4"), QStringLiteral("--paper"),
               QStringLiteral("a4"), QStringLiteral("--candidates"), QStringLiteral("--title"),
               QStringLiteral("見本"), QStringLiteral("-o"), Q(pdf), Q(dir / "p.txt")})
            .status,
        0);
    ASSERT_EQ(RunProgram(QStringLiteral("pdftoppm"),
                         {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-gray"),
                          QStringLiteral("-png"), QStringLiteral("-f"), QStringLiteral("1"),
                          QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-x"),
                          QStringLiteral("150"), QStringLiteral("-y"), QStringLiteral("150"),
                          QStringLiteral("-W"), QStringLiteral("1060"), QStringLiteral("-H"),
                          QStringLiteral("1120"), QStringLiteral("-singlefile"), Q(pdf),
                          Q(dir / "rendered")})
                  .status,
              0);
    const QImage rendered =
        QImage(Q(dir / "rendered.png")).convertToFormat(QImage::Format_Grayscale8);
    const QImage expected = QImage(QStringLiteral(QUILLET_TOOL_FIXTURE_DIR "/printed-board.png"))
                                .convertToFormat(QImage::Format_Grayscale8);
    ASSERT_FALSE(expected.isNull());
    ASSERT_EQ(rendered.size(), expected.size());
    // Anti-aliased edges may fall a little differently; a line or a digit
    // out of place, or missing, differs in far more.
    EXPECT_LT(DifferingShare(rendered, expected), 0.002);
    // And the picture is not blank paper compared with blank paper.
    EXPECT_GT(DifferingShare(expected, QImage(expected.size(), QImage::Format_Grayscale8)), 0.05);
}

TEST(PrintCommand, BadInputIsOneLineAndLeavesNoFileBehind) {
    ScratchDir dir;
    WriteBytes(dir / "words.txt", "no puzzle here\n");
    WriteBytes(dir / "p.txt", std::string(kGivens) + "\n");
    WriteBytes(dir / "kept.pdf", "%PDF-1.4 an earlier print\n");
    const std::vector<std::string> before = FilesIn(dir / "");

    Outcome run = Print({QStringLiteral("-o"), Q(dir / "new.pdf"), Q(dir / "words.txt")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(OneLine(run.err)) << run.err;
    EXPECT_NE(run.err.find("no puzzle"), std::string::npos) << run.err;
    run = Print({QStringLiteral("-o"), Q(dir / "kept.pdf"), Q(dir / "words.txt")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(ReadBytes(dir / "kept.pdf"), "%PDF-1.4 an earlier print\n");
    // Where no file can be: under a file, and a directory in the file's place.
    for (const std::string& out : {dir / "p.txt/out.pdf", dir / ""}) {
        run = Print({QStringLiteral("-o"), Q(out), Q(dir / "p.txt")});
        EXPECT_EQ(run.status, 1) << out;
        EXPECT_TRUE(OneLine(run.err)) << run.err;
    }
    // A print system that is not there: no printer at all, or not that one.
    const std::map<QString, QString> noCups{
        {QStringLiteral("CUPS_SERVER"), Q(dir / "no-cups.sock")}};
    run = Print({Q(dir / "p.txt")}, noCups);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(
        run.err,
        "quillet-board: print: no printer is set up; -o FILE.pdf writes a PDF file instead\n");
    run = Print({QStringLiteral("--printer"), QStringLiteral("nowhere"), Q(dir / "p.txt")}, noCups);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "quillet-board: print: there is no printer 'nowhere'\n");
    // Options it does not take, before anything is read.
    for (const QStringList& options :
         {QStringList{QStringLiteral("--per-page"), QStringLiteral("3")},
          QStringList{QStringLiteral("--paper"), QStringLiteral("a5")},
          QStringList{QStringLiteral("--printer"), QStringLiteral("x"), QStringLiteral("-o"),
                      Q(dir / "new.pdf")}}) {
        run = Print(options + QStringList{Q(dir / "p.txt")});
        EXPECT_EQ(run.status, 2) << options.join(u' ').toStdString();
        EXPECT_TRUE(OneLine(run.err)) << run.err;
    }
    EXPECT_EQ(FilesIn(dir / ""), before);
}

}  // namespace
}  // namespace quillet::board_tool::testing
