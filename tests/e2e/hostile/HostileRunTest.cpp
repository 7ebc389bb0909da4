#include <gtest/gtest.h>

#include <string>

#include <QFile>
#include <QProcess>

#include "PrivatePcscd.h"
#include "TempDir.h"

// corvanta-run against a card that misbehaves: each row shows what came back, the trace
// holds every exchange, and a failed exchange is reported rather than taken for an answer.
namespace {

const QByteArray kScript = "A0A40000022FE2\r\nA0C000000F\r\nA0B0000002\r\nA0F2000016\r\n";
const std::string kDescription = "0000000A2FE204000FF04401020000";

std::string Counting256() {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (int i = 0; i < 256; ++i) text += {digits[i >> 4], digits[i & 15]};
    return text;
}

struct SRunCase {
    const char* pszMode;
    int nExitCode;
    std::string strRows;  // standard output
};

TEST(HostileRun, EachRowShowsWhatAMisbehavingCardAnswered) {
    CPrivatePcscd pcscd;
    std::string error;
    ASSERT_TRUE(pcscd.Start(&error)) << error;
    CTempDir dir("corvanta-hostile");
    QFile script(QString::fromStdString(dir.File("a.scp")));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly) && script.write(kScript) == kScript.size());
    script.close();

    const std::string selectAndDescribe = "1 A0A40000022FE2 9F0F\n2 A0C000000F 9000 " + kDescription;
    const std::string status = "000008003F000100000000000A0002010500838A838A";
    const SRunCase cases[] = {
        {"258:B0", 0,
         selectAndDescribe + "\n3 A0B0000002 9000 " + Counting256() + "\n4 A0F2000016 9000 " +
             status + "\n"},
        {"258:F2", 0,
         selectAndDescribe + "\n3 A0B0000002 9000 9800\n4 A0F2000016 9000 " + Counting256() +
             "\n"},
        {"overlong", 0,
         "1 A0A40000022FE2 9F0F\n2 A0C000000F 9000 " + kDescription +
             "EEEEEEEEEEEEEEEE\n3 A0B0000002 9000 9800EEEEEEEEEEEEEEEE\n4 A0F2000016 9000 " +
             status + "EEEEEEEEEEEEEEEE\n"},
        {"bare-sw", 0,
         "1 A0A40000022FE2 9F0F\n2 A0C000000F 9000\n3 A0B0000002 9000\n4 A0F2000016 9000\n"},
        {"61xx", 0,
         "1 A0A40000022FE2 610F\n2 A0C000000F 9000 " + kDescription +
             "\n3 A0B0000002 9000 9800\n4 A0F2000016 9000 " + status + "\n"},
        // The mute card fails its exchange and every one after it: the run goes on with
        // bare status words and ends reporting the failures.
        {"silent:C0", 2,
         "1 A0A40000022FE2 9F0F\n2 A0C000000F \n3 A0B0000002 \n4 A0F2000016 \n"},
    };
    for (const SRunCase& c : cases) {
        SCOPED_TRACE(c.pszMode);
        ASSERT_TRUE(pcscd.SwapCard({"--misbehave", c.pszMode}));
        QProcess run;
        run.start(CORVANTA_RUN_PATH, {"--trace", QString::fromStdString(dir.File("t.log")),
                                      QString::fromStdString(dir.File("a.scp"))});
        ASSERT_TRUE(run.waitForFinished(60000));
        EXPECT_EQ(run.exitCode(), c.nExitCode) << run.readAllStandardError().toStdString();
        EXPECT_EQ(run.readAllStandardOutput().toStdString(), c.strRows);
    }
    // The trace of the failed run still holds every exchange, the failed ones with SW= alone.
    QFile trace(QString::fromStdString(dir.File("t.log")));
    ASSERT_TRUE(trace.open(QIODevice::ReadOnly));
    QByteArray statusWords;
    for (const QByteArray& line : trace.readAll().split('\n'))
        if (line.startsWith("SW=")) statusWords += line.trimmed() + ' ';
    EXPECT_EQ(statusWords.toStdString(), "SW=9F0F SW= SW= SW= ");
}

}  // namespace
