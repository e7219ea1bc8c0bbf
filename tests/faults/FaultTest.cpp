// Faults around the real save and load code, each in a child process: system
// calls of a save failing, saves killed at random moments, a full device and
// loads of files that are no boards.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <chrono>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "FileBytes.h"
#include "board/BoardState.h"
#include "files/BoardFileIo.h"
#include "files/BoardText.h"

namespace quillet {
namespace {

using testing::ReadBytes;

struct ProbeRun {
    bool exited = false;  // false: killed by a signal or the time-out
    int status = -1;
    std::string out;
};

class NoInformer : public Informer {
public:
    void Inform(const std::string&) override {}
};

// The bytes the probe saves for a board with `digit` placed at (1, 1).
std::string BoardText(int digit) {
    NoInformer informer;
    BoardState state(informer);
    state.PlaceDigit(digit);
    state.Snapshot().CaptureBoard(state.Board());
    return JoinBoardText(state.Snapshot().Lines());
}

pid_t StartProbe(const std::string& dir, const std::vector<std::string>& args,
                 const std::vector<std::string>& env, int& output) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[1], STDOUT_FILENO);
        if (::chdir(dir.c_str()) != 0) ::_exit(127);
        for (const std::string& setting : env) ::putenv(const_cast<char*>(setting.c_str()));
        std::vector<char*> argv{const_cast<char*>(QUILLET_FAULT_PROBE)};
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    output = fds[0];
    return pid;
}

ProbeRun RunProbe(const std::string& dir, const std::vector<std::string>& args,
                  const std::vector<std::string>& env = {}) {
    int output = -1;
    const pid_t pid = StartProbe(dir, args, env, output);
    ProbeRun run;
    char buffer[4096];
    pollfd poll{output, POLLIN, 0};
    while (::poll(&poll, 1, 30'000) > 0) {
        const ssize_t got = ::read(output, buffer, sizeof buffer);
        if (got <= 0) break;
        run.out.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(output);
    ::kill(pid, SIGKILL);  // only if it is still running after 30 s
    int status = 0;
    ::waitpid(pid, &status, 0);
    run.exited = WIFEXITED(status);
    run.status = WEXITSTATUS(status);
    return run;
}

class FaultTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(scratch_.isValid()); }
    std::string Dir() const { return scratch_.path().toStdString(); }
    std::string Path(const std::string& name) const { return Dir() + "/" + name; }
    QStringList Entries() const {
        return QDir(scratch_.path())
            .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                       QDir::Name);
    }
    ProbeRun Save(int digit, const std::vector<std::string>& env = {}) {
        return RunProbe(Dir(), {"save", "x", std::to_string(digit)}, env);
    }

private:
    QTemporaryDir scratch_;
};

const std::string kSaved = "saved\n";
const std::string kWriteError = std::string(kWriteErrorMessage) + "\n";

TEST_F(FaultTest, EveryFailingCallOfASaveIsReportedAndKeepsTheEarlierFile) {
    const std::string oldText = BoardText(3);
    const std::string newText = BoardText(7);
    for (const char* call : {"open", "write", "fdatasync", "close", "rename", "fsync", "link"}) {
        for (const char* which : {"1", "2", "3", "*"}) {
            for (const bool earlier : {true, false}) {
                SCOPED_TRACE(std::string(call) + ":" + which + (earlier ? " over a file" : ""));
                QDir(QString::fromStdString(Dir())).removeRecursively();
                ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Dir())));
                if (earlier) {
                    ASSERT_EQ(Save(3).out, kSaved);
                }

                const ProbeRun run = Save(7, {std::string("LD_PRELOAD=") + QUILLET_FAULT_SHIM,
                                              std::string("QUILLET_FAULT=") + call + ":" + which});
                ASSERT_TRUE(run.exited) << run.out;
                const bool injected = run.out.find("injections=0") == std::string::npos;
                const bool saved = run.out.starts_with(kSaved);
                if (saved) {
                    EXPECT_EQ(ReadBytes(Path("x.cgd")), newText);
                } else if (std::string(call) == "fsync") {
                    // The directory sync fails after the rename: the new file is there.
                    EXPECT_EQ(run.out.substr(0, kWriteError.size()), kWriteError);
                    EXPECT_EQ(ReadBytes(Path("x.cgd")), newText);
                } else {
                    EXPECT_TRUE(run.out.starts_with(kWriteError) ||
                                run.out.starts_with(CannotCreateMessage("x.cgd") + "\n"))
                        << run.out;
                    EXPECT_EQ(Entries(),
                              earlier ? QStringList{QStringLiteral("x.cgd")} : QStringList{});
                    if (earlier) {
                        EXPECT_EQ(ReadBytes(Path("x.cgd")), oldText);
                    }
                }
                EXPECT_TRUE(!saved || Entries() == QStringList{QStringLiteral("x.cgd")});
                // Each call of the first round of a save matters: none may fail unnoticed.
                if (std::string(which) == "1" && std::string(call) != "link") {
                    EXPECT_TRUE(injected) << run.out;
                    EXPECT_FALSE(saved) << run.out;
                }
            }
        }
    }
}

TEST_F(FaultTest, SavesKilledAtRandomMomentsLeaveTheOldOrTheNewFileWhole) {
    const std::string boards[] = {BoardText(3), BoardText(7)};
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> delayMicroseconds(0, 20'000);
    int leftovers = 0;
    constexpr int kKills = 120;
    for (int kill = 0; kill < kKills; ++kill) {
        int output = -1;
        const pid_t pid = StartProbe(Dir(), {"loop", "x"}, {}, output);
        char ready = 0;
        ASSERT_EQ(::read(output, &ready, 1), 1);  // the first save is done
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        ::close(output);

        const std::string text = ReadBytes(Path("x.cgd"));
        ASSERT_TRUE(text == boards[0] || text == boards[1]) << "after kill " << kill;
        ASSERT_EQ(QDir(QString::fromStdString(Dir())).entryList({QStringLiteral("*.cgd")}),
                  QStringList{QStringLiteral("x.cgd")});
        leftovers = std::max(leftovers, static_cast<int>(Entries().size()) - 1);
    }
    // Whatever a kill left behind is a complete hidden copy, which the next save clears.
    ASSERT_EQ(Save(5).out, kSaved);
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("x.cgd")});
    EXPECT_EQ(ReadBytes(Path("x.cgd")), BoardText(5));
    RecordProperty("most_leftovers_at_once", leftovers);
}

// A small file system of its own, where this process may mount one.
class SmallTmpfs {
public:
    explicit SmallTmpfs(const std::string& at) : at_(at) {
        mounted_ = ::mkdir(at.c_str(), 0700) == 0 &&
                   ::mount("quillet-full", at.c_str(), "tmpfs", 0, "size=32k") == 0;
    }
    ~SmallTmpfs() {
        if (mounted_) ::umount2(at_.c_str(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }

private:
    std::string at_;
    bool mounted_ = false;
};

TEST_F(FaultTest, AFullDeviceKeepsTheEarlierFileAndSavesOnceThereIsRoomAgain) {
    const SmallTmpfs device(Path("full"));
    if (!device.mounted())
        GTEST_SKIP() << "no tmpfs can be mounted here; the file-size limit test stands in";
    const std::string dir = Path("full");
    ASSERT_EQ(RunProbe(dir, {"save", "x", "3"}).out, kSaved);
    {
        std::ofstream filler(dir + "/filler", std::ios::binary);
        const std::string block(512, 'f');
        while (filler.write(block.data(), block.size()) && filler.flush()) {
        }
    }
    const ProbeRun full = RunProbe(dir, {"save", "x", "7"});
    EXPECT_EQ(full.out, kWriteError);
    EXPECT_EQ(ReadBytes(dir + "/x.cgd"), BoardText(3));
    EXPECT_EQ(QDir(QString::fromStdString(dir)).entryList(QDir::Files | QDir::Hidden),
              (QStringList{QStringLiteral("filler"), QStringLiteral("x.cgd")}));

    ASSERT_EQ(::unlink((dir + "/filler").c_str()), 0);
    EXPECT_EQ(RunProbe(dir, {"save", "x", "7"}).out, kSaved);
    EXPECT_EQ(ReadBytes(dir + "/x.cgd"), BoardText(7));
}

TEST_F(FaultTest, LoadsOfFilesThatAreNoBoardsEndWithAMessageOrABoard) {
    ASSERT_EQ(::mkfifo(Path("pipe.cgd").c_str(), 0600), 0);
    ASSERT_EQ(::mkdir(Path("dir.cgd").c_str(), 0700), 0);
    ASSERT_EQ(::symlink("/dev/zero", Path("zero.cgd").c_str()), 0);
    ASSERT_EQ(::symlink("loop2.cgd", Path("loop1.cgd").c_str()), 0);
    ASSERT_EQ(::symlink("loop1.cgd", Path("loop2.cgd").c_str()), 0);
    std::ofstream(Path("huge.cgd")).put('1');
    ASSERT_EQ(::truncate(Path("huge.cgd").c_str(), 100 << 20), 0);
    std::mt19937 random(11);
    std::string noise(kBoardTextLimit, '\0');
    for (char& byte : noise) byte = static_cast<char>(random());
    std::ofstream(Path("noise.cgd"), std::ios::binary) << noise;
    std::ofstream(Path("short-noise.cgd"), std::ios::binary) << noise.substr(0, 3000);

    const std::pair<std::string, std::string> expected[] = {
        {"pipe.cgd", CannotOpenMessage("pipe.cgd")},
        {"dir.cgd", CannotOpenMessage("dir.cgd")},
        {"zero.cgd", CannotOpenMessage("zero.cgd")},
        {"/dev/zero", CannotOpenMessage("/dev/zero")},
        {"loop1.cgd", CannotOpenMessage("loop1.cgd")},
        {"huge.cgd", kTextTooLargeMessage},
        {"noise.cgd", "loaded"},
        {"short-noise.cgd", "loaded"},
    };
    for (const auto& [name, message] : expected) {
        const ProbeRun run = RunProbe(Dir(), {"load", name});
        EXPECT_TRUE(run.exited) << name << " did not end by itself";
        EXPECT_EQ(run.out, message + "\n") << name;
    }
}

}  // namespace
}  // namespace quillet
