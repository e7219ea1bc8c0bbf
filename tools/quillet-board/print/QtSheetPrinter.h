#pragma once

#include <QGuiApplication>
#include <memory>

#include "SheetPrinter.h"

namespace quillet::board_tool {

// The pages drawn with Qt (the printing layer) into a PDF or sent to the
// system's print queue. Qt draws text only with an application object for
// its fonts: one without a display, made when print begins, so that the
// other commands start as quickly as before.
class QtSheetPrinter : public SheetPrinter {
public:
    QtSheetPrinter();
    ~QtSheetPrinter() override;
    void Prepare() override;
    std::string Pdf(const PrintJob& job) override;
    void Queue(const PrintJob& job, const std::string& printer) override;

private:
    int argc_ = 3;
    char name_[14] = "quillet-board";
    char option_[10] = "-platform";
    char platform_[10] = "offscreen";
    char* argv_[4] = {name_, option_, platform_, nullptr};
    std::unique_ptr<QGuiApplication> application_;
    QtMessageHandler previousHandler_ = nullptr;
    bool quieted_ = false;
};

}  // namespace quillet::board_tool
