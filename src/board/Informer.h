#pragma once

#include <string>

namespace quillet {

// Shows a refusal to the user and returns once it has been acknowledged.
// The main window shows an information box; tests record the texts.
class Informer {
public:
    virtual ~Informer() = default;
    virtual void Inform(const std::string& text) = 0;
};

// Counts the refusals where no one is there to see them.
class CountingInformer : public Informer {
public:
    void Inform(const std::string&) override { ++count; }
    int count = 0;
};

}  // namespace quillet
