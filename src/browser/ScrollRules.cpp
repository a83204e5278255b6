#include "browser/ScrollRules.h"

#include "platform/Units.h"

#include <algorithm>

int scrollMaximum(double pictureHeight, double scrollBarHeight)
{
    const double difference = std::clamp(pictureHeight - scrollBarHeight, 0.0, 32767.0);
    return roundHalfEven(difference);
}
