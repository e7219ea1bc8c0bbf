#pragma once

#include <QCoreApplication>
#include <memory>

#include "WindowLink.h"
#include "boardbus/BoardClient.h"

namespace quillet::board_tool {

// The window's board as the window offers it on the user's session bus, read
// and changed through the board's one client (boardbus/BoardClient.h). Qt's
// bus needs an application object, made on first use so that the commands
// without --window start as quickly as before.
class BusWindowLink : public WindowLink {
public:
    BusWindowLink();
    ~BusWindowLink() override;
    void ReadBoard(CandidateBoard& board) override;
    bool Place(CellPos at, int digit) override;
    bool Strike(const std::vector<Candidate>& strikes) override;

private:
    boardbus::BoardClient& Client();
    int argc_ = 1;
    char name_[14] = "quillet-board";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> application_;
    std::unique_ptr<boardbus::BoardClient> client_;
};

}  // namespace quillet::board_tool
