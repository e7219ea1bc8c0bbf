#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "RecordingDialogs.h"
#include "windows/main/Unit1.h"

namespace quillet::testing {

// The main window as the window tests make it: boxes recorded instead of
// shown, and a fresh directory of its own for the file list and the board
// files, removed after the window. The test process's current directory is
// never touched.
class ScratchWindow {
public:
    ScratchWindow() : form(dialogs, nullptr, QFile::encodeName(dir.path()).toStdString()) {
        QVERIFY(dir.isValid());
    }

    // A file of the list's directory.
    QString Path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    RecordingDialogs dialogs;
    TForm1 form;
};

}  // namespace quillet::testing
