#include "data/CheckPragma.h"

#include "data/SqliteConnection.h"

namespace nidora::data {

QStringList pragmaProblems(sql::Connection& connection, const QByteArray& pragma)
{
    QStringList found;
    sql::Statement* statement = connection.prepare(pragma);
    if (!statement)
        return { connection.error().text };
    sql::Connection::Use use(statement);
    while (statement->step()) {
        const QString line = statement->text(0);
        if (line != QLatin1String("ok"))
            found << line.split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
    }
    if (!statement->ok())
        found << connection.error().text;
    return found;
}

} // namespace nidora::data
