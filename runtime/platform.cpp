#include "platform.h"

namespace Platform {

QString javaUnderHome()
{
    return QStringLiteral("bin/java");
}

unsigned long lastStartError()
{
    return 0;
}

std::optional<int> runThroughShell(const QString &, const QStringList &, unsigned long)
{
    return std::nullopt;
}

} // namespace Platform
