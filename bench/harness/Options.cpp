#include "harness/Options.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "harness/Process.h"

namespace quillet::bench {

RunnerOptions& RunnerOptions::Path(const std::string& key, std::string& into) {
    entries_.push_back({key, [&into](const std::string& v) { into = AbsolutePath(v); }, &into});
    return *this;
}

RunnerOptions& RunnerOptions::Number(const std::string& key, int& into, int least) {
    entries_.push_back({key, [&into, least](const std::string& v) {
                            into = std::max(least, std::atoi(v.c_str()));
                        }});
    return *this;
}

RunnerOptions& RunnerOptions::Text(const std::string& key, std::string& into) {
    entries_.push_back({key, [&into](const std::string& v) { into = v; }});
    return *this;
}

void RunnerOptions::Parse(int argc, const char* const* argv) const {
    for (int i = 1; i < argc; i += 2) {
        const std::string key = argv[i];
        const auto entry = std::find_if(entries_.begin(), entries_.end(),
                                        [&](const Entry& e) { return e.key == key; });
        if (entry == entries_.end()) throw std::runtime_error("unknown option " + key);
        if (i + 1 == argc) throw std::runtime_error("option " + key + " needs a value");
        entry->set(argv[i + 1]);
    }
    for (const Entry& e : entries_)
        if (e.required && e.required->empty()) throw std::runtime_error("usage: " + usage_);
}

}  // namespace quillet::bench
