#include "windows/main/CommandGuard.h"

#include <exception>
#include <new>

#include "board/CommandError.h"

namespace quillet {

std::optional<CommandFailure> RunGuarded(const std::function<void()>& command) noexcept {
    try {
        command();
        return std::nullopt;
    } catch (const CommandError& error) {
        return CommandFailure{QString::fromUtf8(error.what()), true};
    } catch (const std::bad_alloc&) {
        return CommandFailure{QString::fromUtf8(kOutOfMemoryMessage)};
    } catch (const std::exception& error) {
        return CommandFailure{QString::fromUtf8(kUnexpectedErrorMessage) + QStringLiteral(": ") +
                              QString::fromLocal8Bit(error.what())};
    } catch (...) {
        return CommandFailure{QString::fromUtf8(kUnexpectedErrorMessage)};
    }
}

}  // namespace quillet
