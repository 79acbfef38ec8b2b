#pragma once

#include <QProcess>
#include <QStringList>

// Another instance of the program on the same folder: the station helper (tests/station),
// started in the current working directory with a command. Every wait is bounded, so a
// station that goes wrong fails its test instead of hanging it.
//
//   OtherStation holder({ "hold", "PACIENTE.QVM" });
//   ASSERT_TRUE(holder.waitFor("held"));
//   ...                                    // the file is locked by another process
//   holder.goOn();                         // it lets go
//   EXPECT_EQ(holder.finish(), 0);
namespace nidora::test {

class OtherStation {
public:
    static constexpr int kLongestWaitMs = 30'000;

    explicit OtherStation(const QStringList& arguments);
    // Ends the station if the test has not: its input closed, then killed if it lingers.
    ~OtherStation();
    OtherStation(const OtherStation&) = delete;
    OtherStation& operator=(const OtherStation&) = delete;

    // Waits for the station to write this line; false when it ended or took too long.
    bool waitFor(const QString& line);
    // Lets a station that waits for the test go on.
    void goOn();
    // Kills it at once (SIGKILL), as a power cut or a crash would end it.
    void kill();
    // Closes its input and waits for its end: its exit code, -1 when it crashed or hung.
    int finish();
    // The lines it wrote, those waitFor took included.
    QStringList lines();

private:
    void readLines();

    QProcess process_;
    QStringList lines_;
    QByteArray partial_;
};

} // namespace nidora::test
