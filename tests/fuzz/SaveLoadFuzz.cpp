// The real load and save code on a scratch directory: any bytes as a board
// file either load as the lines the splitter gives or are refused with a
// message; the loaded board saves as a complete board text that loads back
// to the same cells, and no temporary file stays behind.
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "BoardTestSupport.h"
#include "FileBytes.h"
#include "files/BoardFiles.h"
#include "files/BoardText.h"

using namespace quillet;
using quillet::testing::AllCells;

namespace {

// Names the failed condition, then lets the fuzzer record the input.
#define Check(condition) \
    ((condition) ? void() : (std::fprintf(stderr, "failed: %s\n", #condition), std::abort()))

class NoInformer : public Informer {
public:
    void Inform(const std::string&) override { std::abort(); }
};

// The list's directory for every input, removed when the fuzzer exits. In
// memory where possible: each save syncs.
class ScratchDirectory {
public:
    ScratchDirectory()
        : path_((::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                std::string("/quillet-fuzz-") + std::to_string(::getpid())) {
        Remove();
        Check(::mkdir(path_.c_str(), 0700) == 0);
    }
    ~ScratchDirectory() { Remove(); }
    const std::string& path() const { return path_; }

private:
    void Remove() const { QDir(QString::fromStdString(path_)).removeRecursively(); }
    std::string path_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchDirectory scratch;
    const std::string& dir = scratch.path();
    const std::string input = dir + "/in.cgd";
    std::ofstream(input, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    NoInformer informer;
    BoardState state(informer);
    BoardFiles files(dir);
    const FileOutcome loaded = files.LoadBoard(state, "in.cgd");
    if (loaded.error) {
        Check(size > kBoardTextLimit);
        return 0;
    }
    Check(loaded.kind == FileOutcome::Kind::kDone);
    const std::vector<std::string> lines =
        SplitBoardText({reinterpret_cast<const char*>(data), size});
    const std::vector<CandidateString> cells = AllCells(state.Board());
    for (std::size_t k = 0; k < cells.size(); ++k)
        Check(cells[k] == (k < lines.size() ? lines[k] : std::string()));

    const FileOutcome saved = files.SaveBoard(state, "out");
    Check(saved.kind == FileOutcome::Kind::kDone && saved.name == "out.cgd");
    const std::string text = testing::ReadBytes(dir + "/out.cgd");
    Check(IsSavedBoardText(text) && text == JoinBoardText(cells));

    BoardState again(informer);
    Check(files.LoadBoard(again, saved.name).kind == FileOutcome::Kind::kDone);
    Check(AllCells(again.Board()) == cells);
    Check(QDir(QString::fromStdString(dir))
              .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot) ==
          QStringList({QStringLiteral("in.cgd"), QStringLiteral("out.cgd")}));
    return 0;
}
