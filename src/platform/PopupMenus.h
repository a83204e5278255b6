#pragma once

class QMenu;
class QPoint;

// Opens pop-up menus. A test cannot drive a modal menu, so it scripts this instead.
class PopupMenus
{
public:
    virtual ~PopupMenus() = default;
    // Opens `menu` at `globalPos` and returns when it has closed; choosing an item
    // triggers that item's action before this returns.
    virtual void popup(QMenu& menu, const QPoint& globalPos) = 0;
};
