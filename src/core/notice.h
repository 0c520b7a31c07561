// What a run has to tell the user, and the one way it asks: the window shows a message box, the
// command line prints the same text and answers as told.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/message_box_api.h"

namespace tarnwick {

struct Notice {
    std::u16string text;
    std::u16string_view title;
    std::uint32_t style = kMbIconInformation;  // a message box's icon and buttons
};

class Confirmation {
  public:
    virtual ~Confirmation() = default;
    // Yes or No to a question the plan raised; No is what the user gets by default.
    virtual bool Confirm(const Notice& question) = 0;
};

}  // namespace tarnwick
