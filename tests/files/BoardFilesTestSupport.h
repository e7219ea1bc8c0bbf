#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <string>

#include "BoardTestSupport.h"
#include "FileBytes.h"
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

// Each test saves and loads in a fresh temporary directory, the list's
// directory as the controls give it; the test process's current directory is
// left alone, and relative paths of the helpers below mean that directory.
class BoardFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        controls.directory = QFile::encodeName(dir_.path()).toStdString();
    }

    // `name` in the test's directory; an absolute path stays as it is.
    std::string Path(const std::string& name) const {
        return name.starts_with('/') ? name : controls.directory + "/" + name;
    }
    QString QPath(const std::string& name) const { return QFile::decodeName(Path(name).c_str()); }

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

    void WriteFile(const std::string& path, const std::string& bytes) const {
        WriteBytes(Path(path), bytes);
    }
    std::string ReadFile(const std::string& path) const { return ReadBytes(Path(path)); }
    QDir Directory() const { return QDir(dir_.path()); }
    QStringList Entries() const {
        return Directory().entryList(
            QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    CandidateBoard& board() { return state.Board(); }

    RecordingInformer informer;
    BoardState state{informer};
    FakeFileControls controls;

private:
    QTemporaryDir dir_;
};

}  // namespace quillet::testing
