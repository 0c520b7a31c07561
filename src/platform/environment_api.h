// Telling running programs that the user's environment variables have changed.
#pragma once

namespace tarnwick {

class EnvironmentApi {
  public:
    virtual ~EnvironmentApi() = default;
    // Broadcasts WM_SETTINGCHANGE "Environment"; windows that hang are skipped.
    virtual void AnnounceEnvironmentChange() = 0;
};

}  // namespace tarnwick
