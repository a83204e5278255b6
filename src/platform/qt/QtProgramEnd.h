#pragma once

#include "platform/ProgramEnd.h"

#include <functional>

// Ends the real process. endNow() runs the given clean-up (releasing the instance lock)
// and exits at once; endOrderly() leaves the main event loop.
class QtProgramEnd : public ProgramEnd
{
public:
    explicit QtProgramEnd(std::function<void()> cleanUp = {});
    [[noreturn]] void endNow(int exitCode) override;
    void endOrderly() override;
    bool hasEnded() const override { return m_ended; }

private:
    std::function<void()> m_cleanUp;
    bool m_ended = false;
};
