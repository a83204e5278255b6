#pragma once

#include "programwide/Texts.h"

#include <QString>

// The maker of the program, as the Help menu and the About box name it. The web host is
// under the reserved ".example" domain, so no real site is ever reached.
namespace Maker {

// The web site: a bare host name, the caption of the About box's web button.
inline QString webSite() { return QStringLiteral("www.tellwind.example"); }
// The on-line registration page on that site.
inline QString registrationPage() { return webSite() + QStringLiteral("/register.htm"); }
// The name and postal address, three lines; the town line begins with a space.
inline QString nameAndAddress()
{
    return QStringLiteral("Tellwind Software") + crlf() + QStringLiteral("418 Orchard Lane") + crlf()
           + QStringLiteral(" Millbrook, OR 97999");
}
// The one-line rights notice.
inline QString rightsNotice() { return QStringLiteral("\u00a9 1999 Tellwind Software"); }

} // namespace Maker
