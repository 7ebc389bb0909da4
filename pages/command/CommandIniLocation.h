// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

// Where Command.INI is read and written. Beside the executable when the user may write
// there; otherwise (an installed copy) in the user's configuration folder, which starts
// as a copy of the file beside the executable the first time something is written.
class CCommandIniLocation {
public:
    using WritableCheck = std::function<bool(const QString& strPath)>;

    static constexpr const char* kFileName = "Command.INI";

    // strUserDir is the per-user folder, $XDG_CONFIG_HOME/Mireldane in the program.
    CCommandIniLocation(QString strExeDir, QString strUserDir,
                        WritableCheck isWritable = &IsWritableLocation);
    // The executable's folder and the per-user folder of the running program.
    static CCommandIniLocation ForThisProgram();

    QString ReadPath() const;
    // The file that writes go to, whether or not it exists yet.
    QString WritePath() const;
    // Prepares the per-user copy when it is needed; empty when that fails.
    QString PrepareWritePath() const;

    QString BesideExecutable() const;
    QString InUserFolder() const;

    // True when a file may be replaced at strPath: its folder takes new files and an
    // existing file there may be written.
    static bool IsWritableLocation(const QString& strPath);

private:
    QString m_strExeDir;
    QString m_strUserDir;
    WritableCheck m_isWritable;
};
