// kandora's command line, decided before Qt starts; and the program itself
// run as a launcher and a session end run it.
#include <gtest/gtest.h>

#include <csignal>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include "app/StartArguments.h"

namespace {

struct StartCase {
    const char* name;
    QStringList arguments;  // "@" stands for an existing file's path
    StartRequest::Action action;
    const char* path;  // expected; "@" for the existing file, "" for none
    int messages;
};

class StartArgumentsTest : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartArgumentsTest, Decides)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("a lamp.ies"));
    QFile(file).open(QIODevice::WriteOnly);
    QStringList arguments;
    for (QString argument : GetParam().arguments)
        arguments << argument.replace(QStringLiteral("@"), file);
    const StartRequest request = ParseStartArguments(arguments, QStringLiteral("thishost"));
    EXPECT_EQ(request.action, GetParam().action);
    EXPECT_EQ(request.messages.size(), GetParam().messages) << request.messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(request.path, QString::fromUtf8(GetParam().path).replace(QStringLiteral("@"), file));
}

using A = StartRequest::Action;

INSTANTIATE_TEST_SUITE_P(
    Lines, StartArgumentsTest,
    ::testing::Values(
        StartCase{"none", {}, A::Run, "", 0}, StartCase{"path", {QStringLiteral("@")}, A::Run, "@", 0},
        StartCase{"version", {QStringLiteral("--version"), QStringLiteral("@")}, A::Version, "", 0},
        StartCase{"help", {QStringLiteral("-h")}, A::Help, "", 0},
        StartCase{"unknown", {QStringLiteral("--bogus"), QStringLiteral("@")}, A::Usage, "", 1},
        StartCase{"qtOptions",
                  {QStringLiteral("-style"), QStringLiteral("Fusion"), QStringLiteral("--platform"),
                   QStringLiteral("xcb"), QStringLiteral("-reverse"), QStringLiteral("@")},
                  A::Run, "@", 0},
        StartCase{"qtOptionWithoutValue", {QStringLiteral("-session")}, A::Usage, "", 1},
        StartCase{"localhostUri", {QStringLiteral("file://localhost@")}, A::Run, "@", 0},
        StartCase{"ownHostUri", {QStringLiteral("file://ThisHost@")}, A::Run, "@", 0},
        StartCase{"otherHostUri", {QStringLiteral("file://elsewhere@")}, A::Run, "", 1},
        StartCase{"remoteUri", {QStringLiteral("sftp://host/lamp.ies")}, A::Run, "", 1},
        StartCase{"severalFiles", {QStringLiteral("@"), QStringLiteral("b.ies"), QStringLiteral("c.ies")}, A::Run, "@", 2},
        StartCase{"missing", {QStringLiteral("/no/such/lamp.ies")}, A::Run, "/no/such/lamp.ies", 1}),
    [](const ::testing::TestParamInfo<StartCase>& row) { return std::string(row.param.name); });

TEST(StartArguments, FileUriIsDecodedAndDashNamesFollowDoubleDash)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("-odd 100%.ies"));
    QFile(file).open(QIODevice::WriteOnly);
    const QString uri = QString::fromLatin1(QUrl::fromLocalFile(file).toEncoded());
    EXPECT_EQ(ParseStartArguments({uri}, QString()).path, file);
    QDir::setCurrent(dir.path());
    const StartRequest dashed = ParseStartArguments({QStringLiteral("--"), QStringLiteral("-odd 100%.ies")}, QString());
    EXPECT_EQ(dashed.path, file);
    EXPECT_TRUE(dashed.messages.isEmpty());
}

// The program as installed: options answered with no display at all, and a
// session's end that cannot save the settings ends it anyway, saying why.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A copy beside no ies.ini, so the settings live in XDG_CONFIG_HOME.
        program_ = dir_.filePath(QStringLiteral("kandora"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(KANDORA_APP), program_));
    }
    QTemporaryDir dir_;
    QString program_;
};

TEST_F(ProgramTest, OptionsNeedNoDisplay)
{
    QProcess process;
    process.setProcessEnvironment(QProcessEnvironment());
    process.start(program_, {QStringLiteral("--version")});
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(process.readAllStandardOutput().startsWith("kandora 2."));

    process.start(program_, {QStringLiteral("--no-such-option")});
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_TRUE(process.readAllStandardError().contains("usage: kandora"));
}

TEST_F(ProgramTest, TerminationWithUnwritableSettingsEndsAndTellsStandardError)
{
    // The configuration folder cannot be made: a file stands in its way.
    const QString blocker = dir_.filePath(QStringLiteral("blocker"));
    QFile(blocker).open(QIODevice::WriteOnly);
    const QString empty = dir_.filePath(QStringLiteral("empty"));
    ASSERT_TRUE(QDir().mkpath(empty));
    QProcessEnvironment env;
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), dir_.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), blocker);
    env.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program_, {empty});
    ASSERT_TRUE(process.waitForStarted(20000));

    // Signalled once the handler is in place (its bit among the caught signals).
    const QString status = QStringLiteral("/proc/%1/status").arg(process.processId());
    bool caught = false;
    for (int i = 0; i < 400 && !caught; ++i) {
        QFile file(status);
        if (file.open(QIODevice::ReadOnly))
            for (const QByteArray& line : file.readAll().split('\n'))
                if (line.startsWith("SigCgt:"))
                    caught = (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
        if (!caught)
            QThread::msleep(50);
    }
    ASSERT_TRUE(caught) << "the program never caught SIGTERM";
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    const bool ended = process.waitForFinished(20000);
    if (!ended)
        process.kill();
    ASSERT_TRUE(ended) << "a message box kept the program";
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_TRUE(process.readAllStandardError().contains("Unable to write configuration data."));
}

}  // namespace
