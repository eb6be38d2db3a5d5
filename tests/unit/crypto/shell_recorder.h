// A shell that records the messages and quit requests the engine sends it.
#pragma once

#include <string>
#include <vector>

#include "core/shell.h"

namespace kestrone::test {

class ShellRecorder : public ShellCallbacks {
public:
    struct Message {
        std::string caption, text;
    };
    void ShowSystemMessage(const std::string& caption, const std::string& text) override {
        events.push_back("message");
        messages.push_back({caption, text});
    }
    void RequestQuit() override { events.push_back("quit"); }

    std::vector<Message> messages;
    std::vector<std::string> events;  // "message" and "quit", in order
};

}  // namespace kestrone::test
