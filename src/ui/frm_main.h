// FrmMain's logic: start-up and the window's events, over an abstract set of controls.
#pragma once

#include <string_view>

#include "core/controls.h"
#include "platform/mod_reg.h"
#include "platform/single_instance.h"

namespace tarnwick {

inline constexpr std::u16string_view kCredits = u"Tarnwick工具  作者: Tarnwick 开发组";

class FrmMain {
  public:
    FrmMain(Controls& controls, ModReg& modReg) : controls_(controls), modReg_(modReg) {}

    // False when another copy runs: the program must then end at once, without a window.
    static bool Form_Initialize(SingleInstance& instance);

    // Fills the window before it is first shown; reads the registry, writes nothing.
    void Form_Load();

  private:
    std::u16string CurrentLocation(std::u16string_view key, std::u16string_view valueName);

    Controls& controls_;
    ModReg& modReg_;
};

}  // namespace tarnwick
