#pragma once

#include <QByteArray>
#include <QStringList>

namespace nidora::data {

namespace sql {
class Connection;
}

// What a check pragma ("PRAGMA quick_check", "PRAGMA integrity_check") finds on the connection,
// one problem a line; empty when the file is sound. A check that cannot run to its end (the
// file is too damaged to be read) is one problem: its error, left as the connection's error.
QStringList pragmaProblems(sql::Connection& connection, const QByteArray& pragma);

} // namespace nidora::data
