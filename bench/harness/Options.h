#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace quillet::bench {

// The "--key value" pairs of a runner's command line. Paths are made
// absolute and are required; numbers are held at their least value. Parse
// throws the usage line when a path is missing and names an unknown key.
class RunnerOptions {
public:
    explicit RunnerOptions(std::string usage) : usage_(std::move(usage)) {}

    RunnerOptions& Path(const std::string& key, std::string& into);
    RunnerOptions& Number(const std::string& key, int& into, int least);
    RunnerOptions& Text(const std::string& key, std::string& into);

    void Parse(int argc, const char* const* argv) const;

private:
    struct Entry {
        std::string key;
        std::function<void(const std::string&)> set;
        const std::string* required = nullptr;
    };
    std::string usage_;
    std::vector<Entry> entries_;
};

}  // namespace quillet::bench
