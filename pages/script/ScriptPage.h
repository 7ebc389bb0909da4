#pragma once

#include "ResizableDialog.h"

// Page 3 of the main window. Its controls arrive with its own work; until then it is an
// empty page of its template's size whose resize map is already in place.
class CScriptPage : public CResizableDialog {
    Q_OBJECT

public:
    explicit CScriptPage(QWidget* pParent = nullptr);

protected:
    const SResizeMapEntry* GetResizeMap() const override;
    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
};
