#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace quillet::board_tool {

// A sub-command's options and operands as given. Options take the form
// "--name value", "--name=value" or "-o value"; "--" ends them.
struct CommandLine {
    std::string command;
    std::map<std::string, std::string> values;
    std::set<std::string> flags;
    std::vector<std::string> operands;

    bool Has(const std::string& flag) const { return flags.count(flag) > 0; }
    std::string Value(const std::string& option, const std::string& fallback) const;
    // The option's value as a whole number within [low, high]; the fallback
    // when it is absent. Throws UsageError for anything else.
    unsigned long long Number(const std::string& option, unsigned long long fallback,
                              unsigned long long low, unsigned long long high) const;
};

struct CommandGrammar {
    std::set<std::string> valued;  // options followed by a value
    std::set<std::string> flags;
    std::size_t maxOperands = 0;
};

// Splits `args` (without the sub-command) by `grammar`. Throws UsageError.
CommandLine ParseCommandLine(const std::string& command, const std::vector<std::string>& args,
                             const CommandGrammar& grammar);

}  // namespace quillet::board_tool
