#pragma once

namespace platform {

/// The short blocking waits between commands to the controller. They hold
/// the user-interface thread as the controller expects; tests make them instant.
class Pause {
public:
    virtual ~Pause() = default;
    virtual void wait(int ms) = 0;
};

/// Sleeps the calling thread; events that arrive meanwhile are handled afterwards.
class BlockingPause : public Pause {
public:
    void wait(int ms) override;
};

/// No wait at all, recording how long was asked for.
class InstantPause : public Pause {
public:
    void wait(int ms) override { total += ms; }
    int total = 0;
};

}  // namespace platform
