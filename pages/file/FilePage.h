#pragma once

#include "ResizableDialog.h"

// Page 2 of the main window. Its controls arrive with its own work; until then it is an
// empty page of its template's size whose resize map is already in place.
class CFilePage : public CResizableDialog {
    Q_OBJECT

public:
    explicit CFilePage(QWidget* pParent = nullptr);

protected:
    const SResizeMapEntry* GetResizeMap() const override;
    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
};
