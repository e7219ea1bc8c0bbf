#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "EventDeadline.h"
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

// The base of a test class on the main window: each test function opens a
// fresh ScratchWindow (in init()) and closes it (in cleanup()).
class ScratchWindowTest : public QObject {
protected:
    // With `shown`, the window is shown and true means it came on screen.
    bool OpenWindow(bool shown = true) {
        window = std::make_unique<ScratchWindow>();
        dialogs = &window->dialogs;
        form = &window->form;
        if (!shown) return true;
        form->show();
        return QTest::qWaitForWindowExposed(form, kEventDeadlineMs);
    }
    void CloseWindow() { window.reset(); }
    CandidateBoard& board() { return form->State().Board(); }

    std::unique_ptr<ScratchWindow> window;
    RecordingDialogs* dialogs = nullptr;
    TForm1* form = nullptr;
};

}  // namespace quillet::testing
