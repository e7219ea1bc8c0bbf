#pragma once

#include <QPushButton>

#include "RecordingDialogs.h"
#include "aids/AidRounds.h"
#include "windows/main/Unit1.h"

namespace quillet::testing {

// "OK?", "解1" and "解2" of a real window, clicked as a user clicks them; the
// check congratulated when the recorded congratulations went up.
class WindowAidButtons : public AidButtons {
public:
    WindowAidButtons(TForm1& form, const RecordingDialogs& dialogs)
        : form_(form), dialogs_(dialogs) {}

    bool PressCheck() override {
        const int before = dialogs_.congratulations;
        form_.Button8->click();
        return dialogs_.congratulations > before;
    }
    void PressBoxAid() override { form_.Button6->click(); }
    void PressLinesAid() override { form_.Button7->click(); }

private:
    TForm1& form_;
    const RecordingDialogs& dialogs_;
};

// The rounds of the aids, pressed in the window.
inline AidRoundsOutcome PressAidsInRounds(TForm1& form, const RecordingDialogs& dialogs) {
    WindowAidButtons buttons(form, dialogs);
    return PressAidsInRounds(form.State().Board(), buttons);
}

}  // namespace quillet::testing
