// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The program's own messages, tooltips, status texts and file filters that are not tied to
// a command id, each written once.
class CUiText {
public:
    static constexpr const char* kCouldNotOpen = "Could not open ";
    static constexpr const char* kCouldNotSaveSettings = "Could not save the settings in ";
    static constexpr const char* kEnterCountBetween = "Please enter an integer between 0 and %1.";

    // Tooltips of buttons and lights that have no command of their own.
    static constexpr const char* kReadTip = "Read data from the currect file";
    static constexpr const char* kUpdateTip = "Update data to the current file";
    static constexpr const char* kApplyTip = "Apply new settings";
    static constexpr const char* kSendTip = "Transmit APDU command to the card";
    static constexpr const char* kGreenLightTip =
        "This status light is green when the connection is ready";
    static constexpr const char* kRedLightTip =
        "This status light is red when the connection is not ready";

    // The connection's status texts.
    static constexpr const char* kNoConnection = "No connection !";
    static constexpr const char* kConnecting = "Connecting to the card ...";
    static constexpr const char* kConnectionCreated = "Connection created !";
    static constexpr const char* kConnectError = "Error connecting to the card !";
    static constexpr const char* kDisconnecting = "Disconnecting from the card ...";
    static constexpr const char* kConnectionLost = "Connection lost !";

    // The reader list when there is none.
    static constexpr const char* kNoReaders = "No readers available";

    // File dialog filters.
    static constexpr const char* kLogFiles = "Log Files (*.log)";
    static constexpr const char* kScriptFiles = "Script Files (*.scp)";
    static constexpr const char* kAllFiles = "All Files (*.*)";

    // "Could not open " followed directly by the path.
    static QString CouldNotOpen(const QString& strPath) {
        return QLatin1String(kCouldNotOpen) + strPath;
    }
    // A settings file that keeps its old contents: the settings live only until exit.
    static QString CouldNotSaveSettings(const QString& strPath) {
        return QLatin1String(kCouldNotSaveSettings) + strPath;
    }
};
