#pragma once

#include <QIcon>

// The program's icons by resource id (page icons, lights, the application icon) and the
// toolbar images by command id.
class CIconResource {
public:
    static QIcon Icon(int id);
    // True when our own artwork for that id is compiled in; otherwise Icon() draws a
    // plain stand-in so that the window still shows something in its place.
    static bool HasArtwork(int id);
};
