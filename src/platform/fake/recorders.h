// Stand-ins that record what the program asked for: message boxes and hidden processes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/message_box_api.h"
#include "platform/process_api.h"

namespace tarnwick::fake {

struct ShownMessage {
    std::u16string text;
    std::u16string title;
    std::uint32_t style;
    bool operator==(const ShownMessage&) const = default;
};

class MessageRecorder : public MessageBoxApi {
  public:
    int Show(std::u16string_view text, std::u16string_view title, std::uint32_t style) override {
        shown.push_back({std::u16string(text), std::u16string(title), style});
        return 1;  // IDOK
    }
    std::vector<ShownMessage> shown;
};

class ProcessRecorder : public ProcessApi {
  public:
    void StartHidden(std::u16string_view commandLine) override {
        if (failToStart) {
            throw ProcessStartError("the command interpreter could not be started");
        }
        started.emplace_back(commandLine);
    }
    std::vector<std::u16string> started;
    bool failToStart = false;
};

}  // namespace tarnwick::fake
