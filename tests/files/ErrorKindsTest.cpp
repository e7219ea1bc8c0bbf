#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>

#include "FileBytes.h"
#include "board/CommandError.h"
#include "files/BoardFileIo.h"
#include "files/BoardText.h"

namespace quillet {
namespace {

using Kind = CommandError::Kind;

std::optional<Kind> KindThrown(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const CommandError& error) {
        return error.GetKind();
    }
    return std::nullopt;
}

class ErrorKindsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string base = std::filesystem::temp_directory_path() / "kinds-XXXXXX";
        ASSERT_NE(::mkdtemp(base.data()), nullptr);
        dir_ = base;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    const std::string board_ = JoinBoardText(std::vector<std::string>(81, "123456789"));

private:
    std::filesystem::path dir_;
};

// The tool tells these apart by kind, so each real failure must carry its own.
TEST_F(ErrorKindsTest, EachFailureOfAReadOrWriteCarriesItsKind) {
    EXPECT_EQ(KindThrown([&] { ReadBoardFile(Path("missing.cgd"), "missing.cgd"); }),
              Kind::kCannotOpen);
    testing::WriteBytes(Path("big.cgd"), std::string(kBoardTextLimit + 1, '1'));
    EXPECT_EQ(KindThrown([&] { ReadBoardFile(Path("big.cgd"), "big.cgd"); }), Kind::kTooLarge);
    EXPECT_EQ(KindThrown([&] { WriteBoardFile(Path("no/such.cgd"), "such.cgd", board_); }),
              Kind::kCannotCreate);
    std::filesystem::create_directory(Path("d.cgd"));
    EXPECT_EQ(KindThrown([&] { WriteBoardFile(Path("d.cgd"), "d.cgd", board_); }),
              Kind::kCannotCreate);
    EXPECT_EQ(KindThrown([&] { WriteBoardFile(Path("ok.cgd"), "ok.cgd", board_); }), std::nullopt);
}

// Past a file-size limit write() fails once the file exists: that is a write
// error, not a create error. Exits 0 when it is; meant for a child process.
[[noreturn]] void WriteUnderASizeLimit(const std::string& path, const std::string& text) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit small{16, 16};
    ::setrlimit(RLIMIT_FSIZE, &small);
    const std::optional<Kind> kind = KindThrown([&] { WriteBoardFile(path, "cut.cgd", text); });
    std::_Exit(kind == Kind::kCannotWrite ? 0 : 1);
}

TEST_F(ErrorKindsTest, AWriteCutShortIsAWriteError) {
    const std::string path = Path("cut.cgd");
    EXPECT_EXIT(WriteUnderASizeLimit(path, board_), ::testing::ExitedWithCode(0), "");
    EXPECT_FALSE(std::filesystem::exists(path));  // and no part of it is left
}

}  // namespace
}  // namespace quillet
