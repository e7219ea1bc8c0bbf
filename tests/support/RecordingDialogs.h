#pragma once

#include <QStringList>

#include "windows/main/Dialogs.h"

namespace quillet::testing {

// Records what the window would have shown, so no test waits on a box.
class RecordingDialogs : public Dialogs {
public:
    void ShowInformation(QWidget*, const QString& text) override { informations << text; }
    void ShowError(QWidget*, const QString& text) override { errors << text; }
    void ShowCongratulation(QWidget*) override { ++congratulations; }

    QStringList informations;
    QStringList errors;
    int congratulations = 0;
};

}  // namespace quillet::testing
