#pragma once
#include <QString>

namespace wel {

// LIKE patterns of typed text. Every pattern the program binds goes with
// "... LIKE ? ESCAPE '!'" (or Database::ciLike(column, '!')).
inline constexpr QChar kLikeEscape = QLatin1Char('!');

// Matches the texts that begin with text: typed text is a prefix, so "%",
// "_" and "!" in it match themselves.
QString likePrefix(const QString& text);

} // namespace wel
