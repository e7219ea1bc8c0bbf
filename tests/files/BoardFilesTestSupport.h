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

// Each test saves and loads in a fresh temporary directory, listed with the
// window's mask; the test process's current directory is left alone, and
// relative paths of the helpers below mean that directory.
class BoardFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        files = BoardFiles(QFile::encodeName(dir_.path()).toStdString());
        files.SetMask("*.cgd");
    }

    // `name` in the test's directory; an absolute path stays as it is.
    std::string Path(const std::string& name) const {
        return name.starts_with('/') ? name : files.Directory() + "/" + name;
    }
    QString QPath(const std::string& name) const { return QFile::decodeName(Path(name).c_str()); }

    // The error message of a save or load, or "" when there was none; the
    // user is told of a missing name as the window tells it.
    using Operation = FileOutcome (BoardFiles::*)(BoardState&, const std::string&);
    std::string Run(Operation operation, const std::string& nameText) {
        outcome = (files.*operation)(state, nameText);
        if (outcome.kind == FileOutcome::Kind::kNoName) informer.Inform(kInputFileNameMessage);
        return outcome.error ? outcome.error->what() : "";
    }
    std::string Save(const std::string& nameText) { return Run(&BoardFiles::SaveBoard, nameText); }
    std::string Load(const std::string& nameText) { return Run(&BoardFiles::LoadBoard, nameText); }

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
    BoardFiles files{"."};
    FileOutcome outcome;

private:
    QTemporaryDir dir_;
};

}  // namespace quillet::testing
