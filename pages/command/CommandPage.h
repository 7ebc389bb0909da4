#pragma once

#include "ResizableDialog.h"

// Page 1 of the main window. Its controls arrive with its own work; until then it is an
// empty page of its template's size whose resize map is already in place.
class CCommandPage : public CResizableDialog {
    Q_OBJECT

public:
    explicit CCommandPage(QWidget* pParent = nullptr);

protected:
    const SResizeMapEntry* GetResizeMap() const override;
    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
};
