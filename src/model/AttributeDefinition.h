#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace vnt {

// One attribute of the definition file, as FindAttribute hands it out: a copy,
// valid on its own. Texts are as written in the file (keys and numbers trimmed of
// surrounding white space are what lookups and conversions use), except numbers
// the user's locale would read otherwise: those are written anew in that locale.
struct AttributeDefinition {
    QString key;
    QString name;
    QString description;
    QString min_range;     // lower end of the displayed value, as text
    QString max_range;     // upper end, as text
    qint32 range_mult = 0; // slider steps per unit of the displayed value
    qint16 offset = 0;     // 1-based position of the value in the working copy

    // Default texts per skill level.
    QString easy;
    QString medium;
    QString difficlt;

    // The default text for "Easy", "Medium" or "Difficlt" (exact case); nothing for
    // any other text.
    std::optional<QString> DefaultFor(const QString& skill) const;
};

} // namespace vnt
