#include "BusWindowLink.h"

#include <QDBusConnection>

#include "ToolErrors.h"

namespace quillet::board_tool {
namespace {

// Throws what kept the call from the window, in the tool's words.
void Check(boardbus::CallProblem problem, const QString& busError, qsizetype cells = 0) {
    switch (problem) {
        case boardbus::CallProblem::kNone: return;
        case boardbus::CallProblem::kNoBus:
            throw InputError("no Quillet window is open: no session bus");
        case boardbus::CallProblem::kNoWindow: throw InputError("no Quillet window is open");
        case boardbus::CallProblem::kBusy:
            throw InputError("the Quillet window is busy: close its box or menu first");
        case boardbus::CallProblem::kNoAnswer:
            throw InputError("the Quillet window does not answer: " + busError.toStdString());
        case boardbus::CallProblem::kNotABoard:
            throw InputError("the Quillet window gave " + std::to_string(cells) + " cells, not 81");
    }
}

}  // namespace

BusWindowLink::BusWindowLink() = default;
BusWindowLink::~BusWindowLink() = default;

boardbus::BoardClient& BusWindowLink::Client() {
    if (!QCoreApplication::instance())
        application_ = std::make_unique<QCoreApplication>(argc_, argv_);
    if (!client_) client_ = std::make_unique<boardbus::BoardClient>(QDBusConnection::sessionBus());
    return *client_;
}

void BusWindowLink::ReadBoard(CandidateBoard& board) {
    const boardbus::BoardReading read = Client().Read();
    Check(read.problem, read.busError, read.cells.size());
    // Column by column, as in a board file; the texts are bytes and stay so.
    for (int k = 0; k < kCellCount; ++k)
        board.SetCell(
            CellOfColumnMajor(k),
            std::string_view(read.cells[k].data(), static_cast<std::size_t>(read.cells[k].size())));
}

bool BusWindowLink::Place(CellPos at, int digit) {
    const boardbus::CommandAnswer answer = Client().Place(at.col, at.row, digit);
    Check(answer.problem, answer.busError);
    return answer.taken;
}

bool BusWindowLink::Strike(const std::vector<Candidate>& strikes) {
    const boardbus::CommandAnswer answer =
        Client().Strike(QList<Candidate>(strikes.begin(), strikes.end()));
    Check(answer.problem, answer.busError);
    return answer.taken;
}

}  // namespace quillet::board_tool
