#pragma once

#include "PageDialog.h"

// Page 3 of the main window: the script list and its buttons, laid out by its resize map.
class CScriptPage : public CPageDialog {
    Q_OBJECT

public:
    explicit CScriptPage(QWidget* pParent = nullptr);

protected:
    const SResizeMapEntry* GetResizeMap() const override;
};
