#pragma once

#include <QString>
#include <array>

// The fixed catalogue of parent companies and their makes. It is part of the
// program, not read from the media.
struct ParentCompany
{
    QString caption;                    // design caption of optParent(i), trailing spaces included
    std::array<QString, 6> makes;       // captions written into Option1(0..5); empty = left as it was
    std::array<bool, 6> hidden;         // Option1 buttons hidden for this group
    std::array<bool, 6> disabled;       // Option1 buttons also disabled for this group
    QString companyPicture;             // relative to MediaRoot
    QString defaultMake;                // SelectedMake until a make is chosen
    QString defaultCode;                // MakeCode until a make is chosen
};

const std::array<ParentCompany, 4>& catalogue();

// The first two characters of a caption (all of it when shorter).
QString firstTwo(const QString& caption);

// MakeCode: first two characters of the parent's caption + first two of the make's.
QString makeCodeFor(const QString& parentCaption, const QString& makeCaption);
