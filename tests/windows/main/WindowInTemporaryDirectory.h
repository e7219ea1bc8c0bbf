#pragma once

#include <QDir>
#include <QTemporaryDir>

#include <memory>

#include "RecordingDialogs.h"
#include "windows/main/Unit1.h"

namespace quillet::testing {

// A main window with recorded dialogs, created in a fresh temporary directory
// made current for it, as the window lists and saves where it starts. The
// directory current before comes back when the window goes.
class WindowInTemporaryDirectory {
public:
    WindowInTemporaryDirectory() : startDir_(QDir::currentPath()) {
        QDir::setCurrent(dir.path());
        form = std::make_unique<TForm1>(dialogs);
    }
    ~WindowInTemporaryDirectory() {
        form.reset();
        QDir::setCurrent(startDir_);
    }

    QTemporaryDir dir;
    RecordingDialogs dialogs;
    std::unique_ptr<TForm1> form;

private:
    QString startDir_;
};

}  // namespace quillet::testing
