#include "IconResource.h"

#include "ResourceIds.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>

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
    QRgb standIn;
};

constexpr SIconFile kIconFiles[] = {
    {IDR_MAINFRAME, "app", 0x2060A0},
    {IDI_SETTINGS, "settings", 0x606060},
    {IDI_COMMAND, "command", 0x2080C0},
    {IDI_FILE, "file", 0xC0A040},
    {IDI_SCRIPT, "script", 0x40A060},
    {IDI_TRACE, "trace", 0xA04040},
    {IDB_MULTI, "multi", 0x808080},
    {IDI_LIGHT_RED, "light-red", 0xE02020},
    {IDI_LIGHT_OFF, "light-off", 0x909090},
    {IDI_LIGHT_GREEN, "light-green", 0x20C020},
    {ID_CARD_CONNECT, "connect", 0x20A020},
    {ID_CARD_DISCONNECT, "disconnect", 0xC02020},
    {ID_CARD_RECONNECT, "reconnect", 0x2060C0},
    {ID_APP_ABOUT, "help", 0x2040A0},
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

QIcon StandIn(QRgb colour) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(colour));
    painter.setPen(QColor(colour).darker());
    painter.drawEllipse(3, 3, 26, 26);
    return QIcon(pixmap);
}

}  // namespace

bool CIconResource::HasArtwork(int id) {
    const SIconFile* pFile = FindFile(id);
    return pFile != nullptr && QFile::exists(ResourcePath(*pFile));
}

QIcon CIconResource::Icon(int id) {
    const SIconFile* pFile = FindFile(id);
    if (pFile == nullptr) return {};
    if (QFile::exists(ResourcePath(*pFile))) return QIcon(ResourcePath(*pFile));
    return StandIn(pFile->standIn);
}
