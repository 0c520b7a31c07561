// How a long copy or cleanup tells where it is and learns that the user wants it stopped: the
// window shows Windows' own progress dialog, the command line prints a line now and then.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarnwick {

class TreeProgress {
  public:
    virtual ~TreeProgress() = default;

    // A piece of work begins: what it is (a sentence for people), the folder it works on, and
    // how much there is to do in the unit Advance counts (0 when that is not known).
    virtual void Begin(std::u16string_view task, std::u16string_view folder,
                       std::uint64_t total) = 0;
    // The entry being handled and how much of the total is done. Called for every file and
    // every megabyte, so it must be cheap; false once the user has asked to stop.
    virtual bool Advance(std::u16string_view entry, std::uint64_t done) = 0;
    // The piece of work has ended, whole or not.
    virtual void End() = 0;
};

// Progress that nobody watches and that never stops.
class NoProgress : public TreeProgress {
  public:
    void Begin(std::u16string_view, std::u16string_view, std::uint64_t) override {}
    bool Advance(std::u16string_view, std::uint64_t) override { return true; }
    void End() override {}
};

}  // namespace tarnwick
