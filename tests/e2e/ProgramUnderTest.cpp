#include "ProgramUnderTest.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcessEnvironment>
#include <QThread>

namespace nidora::e2e {

namespace {

// Bounds, never pauses: each is only how long a broken program may keep the test waiting.
constexpr int kStartBound = 30'000;
constexpr int kWaitBound = 20'000;
constexpr int kAnswerBound = 10'000;

void xdotool(const QStringList& arguments)
{
    QProcess::execute(QStringLiteral("xdotool"), arguments);
}

} // namespace

QRect rectOf(const QJsonObject& place)
{
    return QRect(place.value(QStringLiteral("x")).toInt(), place.value(QStringLiteral("y")).toInt(),
        place.value(QStringLiteral("w")).toInt(), place.value(QStringLiteral("h")).toInt());
}

ProgramUnderTest::ProgramUnderTest(const QString& folder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(NIDORA_PROBE));
    process_.setProcessEnvironment(environment);
    process_.setWorkingDirectory(folder);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral(NIDORA_PROGRAM), {});
    process_.waitForStarted(kStartBound);
    // The probe says it is ready once the program's loop runs.
    const QDeadlineTimer deadline(kStartBound);
    while (process_.state() == QProcess::Running && !deadline.hasExpired()) {
        if (process_.canReadLine() || process_.waitForReadyRead(int(deadline.remainingTime()))) {
            if (process_.readLine().startsWith("@probe {\"ready\""))
                return;
        }
    }
}

ProgramUnderTest::~ProgramUnderTest()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(kAnswerBound);
    }
}

QJsonObject ProgramUnderTest::ask(const QString& question)
{
    if (process_.state() != QProcess::Running)
        return {};
    process_.write(question.toUtf8() + '\n');
    const QDeadlineTimer deadline(kAnswerBound);
    while (!deadline.hasExpired()) {
        while (process_.canReadLine()) {
            const QByteArray line = process_.readLine();
            if (line.startsWith("@probe "))
                return QJsonDocument::fromJson(line.mid(7)).object();
        }
        if (!process_.waitForReadyRead(int(deadline.remainingTime())))
            break;
    }
    return {};
}

bool ProgramUnderTest::waitFor(
    const QString& question, const std::function<bool(const QJsonObject&)>& done, QJsonObject* last)
{
    const QDeadlineTimer deadline(kWaitBound);
    for (;;) {
        const QJsonObject answer = ask(question);
        if (last)
            *last = answer;
        if (done(answer))
            return true;
        if (deadline.hasExpired() || process_.state() != QProcess::Running) {
            // What was on screen at the end says why the wait failed.
            qWarning("gave up on \"%s\"; the last answer: %s; on screen: %s", qPrintable(question),
                QJsonDocument(answer).toJson(QJsonDocument::Compact).constData(),
                QJsonDocument(ask(QStringLiteral("windows"))).toJson(QJsonDocument::Compact).constData());
            return false;
        }
        // The program needs the processor to get there; asking again at once would take it.
        QThread::msleep(10);
    }
}

bool ProgramUnderTest::waitForWindowWhere(
    const std::function<bool(const QJsonObject&)>& which, QJsonObject* found)
{
    return waitFor(QStringLiteral("windows"), [&](const QJsonObject& answer) {
        for (const QJsonValue& each : answer.value(QStringLiteral("windows")).toArray()) {
            if (which(each.toObject())) {
                if (found)
                    *found = each.toObject();
                return true;
            }
        }
        return false;
    });
}

bool ProgramUnderTest::waitForWindow(const QString& title, QJsonObject* found)
{
    return waitForWindowWhere(
        [&](const QJsonObject& window) { return window.value(QStringLiteral("title")).toString() == title; },
        found);
}

bool ProgramUnderTest::showWhole(const std::function<bool(const QJsonObject&)>& which)
{
    // Every window opens at the size its description gives, so the user has nothing to do but
    // wait for it: active, framed, and more than a title bar (a collapsed window's content is
    // a few pixels high).
    return waitForWindowWhere([&](const QJsonObject& shown) {
        const QRect content = rectOf(shown.value(QStringLiteral("content")).toObject());
        return which(shown) && shown.value(QStringLiteral("active")).toBool()
            && shown.value(QStringLiteral("framed")).toBool() && content.width() > 100
            && content.height() > 40;
    });
}

bool ProgramUnderTest::showWhole(const QString& title)
{
    return showWhole(
        [&](const QJsonObject& window) { return window.value(QStringLiteral("title")).toString() == title; });
}

bool ProgramUnderTest::waitForNoWindow(const QString& title)
{
    return waitFor(QStringLiteral("windows"), [&](const QJsonObject& answer) {
        for (const QJsonValue& each : answer.value(QStringLiteral("windows")).toArray()) {
            if (each.toObject().value(QStringLiteral("title")).toString() == title)
                return false;
        }
        return true;
    });
}

bool ProgramUnderTest::waitForWidget(const QString& name, QJsonObject* found)
{
    return waitFor(
        QStringLiteral("find ") + name, [](const QJsonObject& answer) { return !answer.isEmpty(); }, found);
}

bool ProgramUnderTest::focusFrame()
{
    QJsonObject frame;
    if (!waitForWindow(QStringLiteral("Nidora 1.76"), &frame))
        return false;
    focus(frame);
    return true;
}

void ProgramUnderTest::focus(const QJsonObject& window)
{
    xdotool({ QStringLiteral("windowfocus"), QStringLiteral("--sync"),
        window.value(QStringLiteral("id")).toString() });
}

void ProgramUnderTest::click(const QJsonObject& place)
{
    const QPoint centre = rectOf(place).center();
    xdotool({ QStringLiteral("mousemove"), QString::number(centre.x()), QString::number(centre.y()),
        QStringLiteral("click"), QStringLiteral("1") });
}

bool ProgramUnderTest::clickWidget(const QString& name)
{
    QJsonObject found;
    if (!waitForWidget(name, &found))
        return false;
    click(found);
    return true;
}

bool ProgramUnderTest::clickAction(const QString& text)
{
    QJsonObject found;
    if (!waitFor(
            QStringLiteral("action ") + text, [](const QJsonObject& answer) { return !answer.isEmpty(); },
            &found))
        return false;
    click(found);
    return true;
}

void ProgramUnderTest::type(const QString& text)
{
    xdotool({ QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("1"), text });
}

void ProgramUnderTest::key(const QString& keys)
{
    xdotool({ QStringLiteral("key"), keys });
}

int ProgramUnderTest::waitForExit()
{
    process_.closeWriteChannel();
    if (!process_.waitForFinished(kWaitBound))
        return -1;
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

} // namespace nidora::e2e
