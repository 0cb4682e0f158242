#include "LikePattern.h"

namespace wel {

QString likePrefix(const QString& text)
{
    QString t = text;
    for (const QChar special : {kLikeEscape, QChar(QLatin1Char('%')), QChar(QLatin1Char('_'))})
        t.replace(special, QString(kLikeEscape) + special);
    return t + QLatin1Char('%');
}

} // namespace wel
