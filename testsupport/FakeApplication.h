#pragma once

#include <string>
#include <vector>

#include "ui/main/Application.h"

namespace velnix::testing {

// The running program: says whether another copy runs and counts the requests to end.
class FakeApplication : public Application {
  public:
    explicit FakeApplication(std::vector<std::string>* journal) : journal_(journal) {}

    bool AnotherCopyRunning() override { return anotherCopy; }
    void Quit() override {
        ++quits;
        journal_->push_back("quit");
    }

    bool anotherCopy = false;
    int quits = 0;

  private:
    std::vector<std::string>* journal_;
};

}  // namespace velnix::testing
