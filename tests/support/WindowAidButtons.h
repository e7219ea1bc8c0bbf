#pragma once

#include <QPushButton>

#include "RecordingDialogs.h"
#include "aids/AidRounds.h"
#include "windows/main/Unit1.h"

namespace quillet::testing {

// "OK?", "解1" and "解2" of a real window, clicked as a user clicks them; the
// check congratulated when the recorded congratulations went up.
inline AidButtons WindowAidButtons(TForm1& form, const RecordingDialogs& dialogs) {
    return {[&form, &dialogs] {
                const int before = dialogs.congratulations;
                form.Button8->click();
                return dialogs.congratulations > before;
            },
            [&form] { form.Button6->click(); }, [&form] { form.Button7->click(); }};
}

// The rounds of the aids, pressed in the window.
inline AidRoundsOutcome PressAidsInRounds(TForm1& form, const RecordingDialogs& dialogs) {
    return PressAidsInRounds(form.State().Board(), WindowAidButtons(form, dialogs));
}

}  // namespace quillet::testing
