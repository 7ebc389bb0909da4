#include "ColorLineModel.h"
#include "FileSizeLimit.h"
#include "TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>";
}

// A folder holding trace.log with the given old contents.
struct STarget {
    explicit STarget(const QByteArray& old) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) file.write(old);
    }
    CTempDir dir;
    QString path = QString::fromStdString(dir.File("trace.log"));
};

}  // namespace

TEST(ColorLineModelSave, ReplacesTheFileWithEveryLineAndCrLfByteForByte) {
    STarget target(QByteArray(5000, 'o'));
    CColorLineModel model;
    model.AppendRecord("A0A40000023F00", "9F16");
    model.Flush();
    model.AddLine("caf\xE9 \xFF", 0x123456);  // still pending
    model.AddLine("", 0);
    QString error;
    ASSERT_TRUE(model.SaveTo(target.path, &error)) << error.toStdString();
    EXPECT_EQ(ReadAll(target.path), QByteArray(60, '-') +
                                        "\r\nHeader=A0A4000002\r\nDataIn=3F00\r\nSW=9F16\r\n"
                                        "caf\xE9 \xFF\r\n\r\n");
    model.Clear();
    ASSERT_TRUE(model.SaveTo(target.path, nullptr));
    EXPECT_EQ(ReadAll(target.path), QByteArray());
}

TEST(ColorLineModelSave, MissingFolderOrFolderAsTargetFailsWithAReasonAndKeepsTheLines) {
    STarget target("");
    CColorLineModel model;
    model.AddLine("kept", 0x0000FF);
    QString error;
    EXPECT_FALSE(
        model.SaveTo(QString::fromStdString(target.dir.File("missing/trace.log")), &error));
    EXPECT_FALSE(error.isEmpty());
    QFile::remove(target.path);
    ASSERT_TRUE(QDir().mkpath(target.path + "/inside"));
    error.clear();
    EXPECT_FALSE(model.SaveTo(target.path, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(target.path + "/inside").isDir());
    EXPECT_EQ(model.Count(), 1);
    EXPECT_EQ(model.LineText(0), "kept");
}

// A write that runs out of room half way (a full disk; here a file size limit) must
// leave the previous log as it was and no temporary file beside it.
TEST(ColorLineModelSave, WriteCutShortKeepsTheOldFileWhole) {
    STarget target("old trace\r\n");
    CColorLineModel model;
    for (int n = 0; n < 100; ++n) model.AppendRecord("A0B0000010", std::string(32, 'C') + "9000");

    QString error;
    bool bSaved = true;
    {
        const CFileSizeLimit limit(4096);
        ASSERT_TRUE(limit.IsActive());
        bSaved = model.SaveTo(target.path, &error);
    }

    EXPECT_FALSE(bSaved);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadAll(target.path), QByteArray("old trace\r\n"));
    EXPECT_EQ(QDir(QString::fromStdString(target.dir.Path())).entryList(QDir::Files | QDir::Hidden),
              QStringList{"trace.log"});
    EXPECT_EQ(model.Count(), 400);
}
