#include "browser/Catalogue.h"

const std::array<ParentCompany, 4>& catalogue()
{
    // Group 0 leaves the sixth caption as it was: the button is hidden and disabled.
    // Group 3 shows four makes; its default is the caption of the hidden fifth button.
    static const std::array<ParentCompany, 4> table{{
        {QStringLiteral("Vantorra "),
         {QStringLiteral("Vantorra"), QStringLiteral("Solenne"), QStringLiteral("Tarvis"),
          QStringLiteral("Ambrel"), QStringLiteral("Rovane"), QString()},
         {false, false, false, false, false, true},
         {false, false, false, false, false, true},
         QStringLiteral("/Graphics/VACorp00.bmp"), QStringLiteral("Vantorra"), QStringLiteral("VaVa")},
        {QStringLiteral("Halvern  "),
         {QStringLiteral("Orlav"), QStringLiteral("Halvern"), QStringLiteral("Wexley"),
          QStringLiteral("Nerida"), QStringLiteral("Garrin"), QStringLiteral("Aldane")},
         {false, false, false, false, false, false},
         {false, false, false, false, false, false},
         QStringLiteral("/Graphics/HaCorp00.bmp"), QStringLiteral("Orlav"), QStringLiteral("HaOr")},
        {QStringLiteral("KT"),
         {QStringLiteral("Ulvard"), QStringLiteral("Pravik"), QStringLiteral("Yarlund"),
          QStringLiteral("Zandor"), QStringLiteral("Elvessa"), QStringLiteral("Tolvar")},
         {false, false, false, false, false, false},
         {false, false, false, false, false, false},
         QStringLiteral("/Graphics/ktCorp00.jpg"), QStringLiteral("Ulvard"), QStringLiteral("KTUl")},
        {QStringLiteral("Others"),
         {QStringLiteral("Isel/Ranvik"), QStringLiteral("Farrant"), QStringLiteral("Dunvelt"),
          QStringLiteral("Merrow"), QStringLiteral("Quillan"), QStringLiteral("Kobb")},
         {false, false, false, false, true, true},
         {false, false, false, false, false, false},
         QStringLiteral("/Graphics/otcorp00.jpg"), QStringLiteral("Quillan"), QStringLiteral("OtQu")},
    }};
    return table;
}

QString firstTwo(const QString& caption)
{
    return caption.left(2);
}

QString makeCodeFor(const QString& parentCaption, const QString& makeCaption)
{
    return firstTwo(parentCaption) + firstTwo(makeCaption);
}
