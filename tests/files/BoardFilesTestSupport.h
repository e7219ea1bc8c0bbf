#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "BoardTestSupport.h"
#include "board/CommandError.h"
#include "files/BoardFiles.h"

namespace quillet::testing {

class FakeFileControls : public FileControls {
public:
    std::string FileNameText() const override { return nameText; }
    std::string ListMask() const override { return "*.cgd"; }
    std::string ListDirectory() const override { return directory; }
    void RereadList() override { ++rereads; }
    void SetFileNameText(const std::string& text) override { nameText = text; }

    std::string nameText = "*.cgd";
    std::string directory = ".";
    int rereads = 0;
};

// Each test runs in a fresh temporary directory made current for it, as the
// program runs in the directory it lists and saves to.
class BoardFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        previous_ = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    }
    void TearDown() override { QDir::setCurrent(previous_); }

    // The CommandError message of a save or load, or "" when none was thrown.
    std::string Run(void (*operation)(BoardState&, FileControls&, Informer&),
                    const std::string& nameText) {
        controls.nameText = nameText;
        try {
            operation(state, controls, informer);
        } catch (const CommandError& error) {
            return error.what();
        }
        return {};
    }
    std::string Save(const std::string& nameText) { return Run(SaveBoard, nameText); }
    std::string Load(const std::string& nameText) { return Run(LoadBoard, nameText); }

    static void WriteFile(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static QStringList Entries() {
        return QDir().entryList(
            QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    CandidateBoard& board() { return state.Board(); }

    RecordingInformer informer;
    BoardState state{informer};
    FakeFileControls controls;

private:
    QTemporaryDir dir_;
    QString previous_;
};

}  // namespace quillet::testing
