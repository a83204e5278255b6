#pragma once

// The application-wide mouse pointer: 0 default, 11 hourglass.
class MousePointer
{
public:
    enum { Default = 0, Hourglass = 11 };
    virtual ~MousePointer() = default;
    virtual void setMousePointer(int code) = 0;
    virtual int mousePointer() const = 0;
};
