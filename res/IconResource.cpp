// SPDX-License-Identifier: GPL-3.0-or-later
#include "IconResource.h"

#include "ResourceIds.h"

// The resource file lives in a static library: register it before the first look-up.
static void InitIconResources() { Q_INIT_RESOURCE(corvanta_icons); }

namespace {

void EnsureResources() {
    static const bool bDone = (InitIconResources(), true);
    (void)bDone;
}

struct SIconFile {
    int nId;
    const char* pszName;
};

constexpr SIconFile kIconFiles[] = {
    {IDR_MAINFRAME, "app"},
    {IDI_SETTINGS, "settings"},
    {IDI_COMMAND, "command"},
    {IDI_FILE, "file"},
    {IDI_SCRIPT, "script"},
    {IDI_TRACE, "trace"},
    {IDB_MULTI, "multi"},
    {IDI_LIGHT_RED, "light-red"},
    {IDI_LIGHT_OFF, "light-off"},
    {IDI_LIGHT_GREEN, "light-green"},
    {ID_CARD_CONNECT, "connect"},
    {ID_CARD_DISCONNECT, "disconnect"},
    {ID_CARD_RECONNECT, "reconnect"},
    {ID_APP_ABOUT, "help"},
};

const SIconFile* FindFile(int id) {
    for (const SIconFile& file : kIconFiles)
        if (file.nId == id) return &file;
    return nullptr;
}

QString ResourcePath(const SIconFile& file) {
    EnsureResources();
    return QStringLiteral(":/icons/") + QLatin1String(file.pszName) + QStringLiteral(".svg");
}

}  // namespace

QIcon CIconResource::Icon(int id) {
    const SIconFile* pFile = FindFile(id);
    if (pFile == nullptr) return {};
    return QIcon(ResourcePath(*pFile));
}
