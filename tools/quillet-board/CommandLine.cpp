#include "CommandLine.h"

#include "ToolErrors.h"

namespace quillet::board_tool {

std::string CommandLine::Value(const std::string& option, const std::string& fallback) const {
    const auto it = values.find(option);
    return it == values.end() ? fallback : it->second;
}

unsigned long long CommandLine::Number(const std::string& option, unsigned long long fallback,
                                       unsigned long long low, unsigned long long high) const {
    const auto it = values.find(option);
    if (it == values.end()) return fallback;
    const std::string& text = it->second;
    unsigned long long value = 0;
    bool ok = !text.empty() && text.size() <= 19;
    for (const char ch : text) {
        ok = ok && ch >= '0' && ch <= '9';
        value = value * 10 + static_cast<unsigned>(ch - '0');
    }
    if (!ok || value < low || value > high)
        throw UsageError(option + " takes a whole number from " + std::to_string(low) + " to " +
                         std::to_string(high) + ", not '" + text + "'");
    return value;
}

CommandLine ParseCommandLine(const std::string& command, const std::vector<std::string>& args,
                             const CommandGrammar& grammar) {
    CommandLine line;
    line.command = command;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || !arg.starts_with("-")) {
            if (line.operands.size() == grammar.maxOperands)
                throw UsageError(command + ": unexpected operand '" + arg + "'");
            line.operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (grammar.flags.count(name) && equals == std::string::npos) {
            line.flags.insert(name);
        } else if (grammar.valued.count(name)) {
            if (equals != std::string::npos)
                line.values[name] = arg.substr(equals + 1);
            else if (i + 1 < args.size())
                line.values[name] = args[++i];
            else
                throw UsageError(command + ": " + name + " needs a value");
        } else {
            throw UsageError(command + ": unknown option '" + arg + "'");
        }
    }
    return line;
}

}  // namespace quillet::board_tool
