#pragma once

// Whether another instance of the program is already running.
class InstanceLock
{
public:
    virtual ~InstanceLock() = default;
    virtual bool anotherInstanceRunning() = 0;
};
