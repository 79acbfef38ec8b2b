#include "support/OtherStation.h"

#include <QDir>

namespace nidora::test {

OtherStation::OtherStation(const QStringList& arguments)
{
    process_.setWorkingDirectory(QDir::currentPath());
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral(NIDORA_STATION_PROGRAM), arguments);
    process_.waitForStarted(kLongestWaitMs);
}

OtherStation::~OtherStation()
{
    if (process_.state() != QProcess::NotRunning)
        finish();
}

void OtherStation::readLines()
{
    partial_ += process_.readAllStandardOutput();
    for (qsizetype end = partial_.indexOf('\n'); end >= 0; end = partial_.indexOf('\n')) {
        lines_ << QString::fromUtf8(partial_.left(end)).trimmed();
        partial_.remove(0, end + 1);
    }
}

bool OtherStation::waitFor(const QString& line)
{
    for (;;) {
        readLines();
        if (lines_.contains(line))
            return true;
        if (process_.state() == QProcess::NotRunning || !process_.waitForReadyRead(kLongestWaitMs))
            return false;
    }
}

void OtherStation::goOn()
{
    process_.write("go\n");
    process_.waitForBytesWritten(kLongestWaitMs);
}

void OtherStation::kill()
{
    process_.kill();
    process_.waitForFinished(kLongestWaitMs);
}

int OtherStation::finish()
{
    process_.closeWriteChannel();
    // A station that ended while the test's event loop ran is already seen as ended.
    if (process_.state() != QProcess::NotRunning && !process_.waitForFinished(kLongestWaitMs)) {
        process_.kill();
        process_.waitForFinished(kLongestWaitMs);
        return -1;
    }
    readLines();
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

QStringList OtherStation::lines()
{
    readLines();
    return lines_;
}

} // namespace nidora::test
