#pragma once

// Ends the program. endNow() ends at once, without any close handling; endOrderly()
// leaves the event loop after the main window's close handler has run.
class ProgramEnd
{
public:
    virtual ~ProgramEnd() = default;
    virtual void endNow(int exitCode) = 0;
    virtual void endOrderly() = 0;
    // True once the program has been told to end. The real program never returns from
    // endNow(); a scripted end returns, and callers use this to stop what they were doing.
    virtual bool hasEnded() const = 0;
};
