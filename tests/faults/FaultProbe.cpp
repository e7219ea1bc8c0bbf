// A child process for the fault tests, run in the directory to work in:
//   fault_probe save NAME DIGIT  saves a board with DIGIT placed at (1, 1)
//   fault_probe loop NAME        saves two boards in turn until killed,
//                                writing one byte to stdout after the first
//   fault_probe load NAME        loads NAME
// It prints what the user would see ("saved", "loaded" or the error text) and
// "injections=N" when the fault shim is preloaded. Exit 0 on success, 1 on an
// error. A load runs under a 10 s alarm and, unless sanitized, a limit on the
// address space, so a hang or a large allocation fails it.
#include <dlfcn.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "files/BoardFiles.h"

using namespace quillet;

namespace {

class PrintingInformer : public Informer {
public:
    void Inform(const std::string& text) override { std::printf("%s\n", text.c_str()); }
};

// Prints the error of a failed save or load, or the message of a missing
// name; true when it failed.
bool Failed(const FileOutcome& outcome, bool report) {
    if (outcome.kind == FileOutcome::Kind::kNoName) std::printf("%s\n", kInputFileNameMessage);
    if (!outcome.error) return false;
    if (report) std::printf("%s\n", outcome.error->what());
    return true;
}

// The shim's switch, when it is preloaded.
void ArmFaults(int on) {
    using Arm = void (*)(int);
    if (auto arm = reinterpret_cast<Arm>(dlsym(RTLD_DEFAULT, "quillet_fault_arm"))) arm(on);
}

void PrintInjections() {
    using Count = int (*)();
    if (auto count = reinterpret_cast<Count>(dlsym(RTLD_DEFAULT, "quillet_fault_injections")))
        std::printf("injections=%d\n", count());
}

bool IsSanitized() {
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
    return __has_feature(address_sanitizer);
#else
    return false;
#endif
}

// Room for the program as it is plus 64 MiB: a board needs far less.
void LimitAddressSpace() {
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t limit = static_cast<rlim_t>(pages) * ::sysconf(_SC_PAGESIZE) + (64 << 20);
    const rlimit lowered{limit, limit};
    ::setrlimit(RLIMIT_AS, &lowered);
}

// A fresh board with `digit` placed at (1, 1), saved under `name`.
int Save(BoardState& state, const std::string& name, int digit, bool report) {
    BoardFiles files(".");
    state.Board().ResetAll();
    state.Board().SetSelection({1, 1});
    state.PlaceDigit(digit);
    ArmFaults(1);
    const FileOutcome outcome = files.SaveBoard(state, name);
    ArmFaults(0);
    if (Failed(outcome, report)) return 1;
    if (report) std::printf("saved\n");
    return 0;
}

int Load(const std::string& name) {
    ::alarm(10);
    if (!IsSanitized()) LimitAddressSpace();
    PrintingInformer informer;
    BoardState state(informer);
    BoardFiles files(".");
    if (Failed(files.LoadBoard(state, name), true)) return 1;
    std::printf("loaded\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 2 ? argv[1] : "";
    if (mode == "load") return Load(argv[2]);
    PrintingInformer informer;
    BoardState state(informer);
    if (mode == "save" && argc > 3) {
        const int status = Save(state, argv[2], std::stoi(argv[3]), true);
        PrintInjections();
        return status;
    }
    if (mode == "loop") {
        Save(state, argv[2], 3, false);
        if (::write(STDOUT_FILENO, "r", 1) != 1) return 1;
        for (int round = 1;; ++round) Save(state, argv[2], round % 2 == 0 ? 3 : 7, false);
    }
    std::fprintf(stderr, "usage: fault_probe save NAME DIGIT | loop NAME | load NAME\n");
    return 2;
}
