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
#include "board/CommandError.h"
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

class NameBox : public FileControls {
public:
    std::string FileNameText() const override { return text; }
    std::string ListMask() const override { return "*.cgd"; }
    std::string ListDirectory() const override { return directory; }
    void RereadList() override {}
    void SetFileNameText(const std::string& t) override { text = t; }
    std::string text;
    std::string directory;
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
    NameBox box;
    box.directory = dir;
    box.text = "in.cgd";
    try {
        LoadBoard(state, box, informer);
    } catch (const CommandError&) {
        Check(size > kBoardTextLimit);
        return 0;
    }
    const std::vector<std::string> lines =
        SplitBoardText({reinterpret_cast<const char*>(data), size});
    const std::vector<CandidateString> loaded = AllCells(state.Board());
    for (std::size_t k = 0; k < loaded.size(); ++k)
        Check(loaded[k] == (k < lines.size() ? lines[k] : std::string()));

    box.text = "out";
    SaveBoard(state, box, informer);
    Check(box.text == "out.cgd");
    const std::string saved = testing::ReadBytes(dir + "/out.cgd");
    Check(IsSavedBoardText(saved) && saved == JoinBoardText(loaded));

    BoardState again(informer);
    LoadBoard(again, box, informer);
    Check(AllCells(again.Board()) == loaded);
    Check(QDir(QString::fromStdString(dir))
              .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot) ==
          QStringList({QStringLiteral("in.cgd"), QStringLiteral("out.cgd")}));
    return 0;
}
