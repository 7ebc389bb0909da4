// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DialogTemplate.h"

#include <QDialog>
#include <QHash>
#include <QRect>
#include <QSize>

#include <vector>

class QResizeEvent;

// A dialog built from a template in dialog units that keeps its controls at fixed
// distances from its right and bottom edges when it changes size, as the class's resize
// map says. Base of the main window, of every page and of the small modal dialogs. Every
// control carries its numeric id; a button that the dialog does not handle itself issues
// its id as a command to the dialog's owner.
class CResizableDialog : public QDialog {
    Q_OBJECT

public:
    enum EResizeFlag : unsigned { kSizeX = 1, kSizeY = 2, kMoveX = 4, kMoveY = 8 };
    // Qt clips children always; the thick frame is the only style that means anything here.
    enum EStyle : unsigned { kStyleThickFrame = 0x00040000 };

    struct SResizeMapEntry {
        int nId;
        unsigned nFlags;
    };
    struct SResizeEntry {
        int nId;
        unsigned nFlags;
        QRect rect;  // captured, in the dialog's client coordinates
    };

    explicit CResizableDialog(int nTemplateId, QWidget* pParent = nullptr);

    // Builds the controls of the template and runs OnInitDialog, as a child page of
    // pParent or, with null, as a top-level window. Runs once; later calls do nothing.
    bool Create(QWidget* pParent = nullptr);
    // Creates the dialog as a top-level window when needed and runs it modally through
    // the dialog service; returns the result code.
    int DoModal();

    int TemplateId() const { return m_nTemplateId; }
    QWidget* GetDlgItem(int nId) const { return m_controls.value(nId, nullptr); }
    // Gives a widget made outside the template (a bar) its id.
    void SetControlId(QWidget* pControl, int nId);
    static int ControlId(const QWidget* pControl);

    // The conversion of a rectangle in dialog units, by the dialog font's base units.
    QRect MapDialogRect(const QRect& dialogUnits) const;

    void CaptureLayout(bool bMinSize, unsigned forcedStyles);
    void UpdateLayout(int cx, int cy);
    const std::vector<SResizeEntry>& Entries() const { return m_entries; }
    QSize CapturedClientSize() const { return m_capturedSize; }

    // QDialog: Enter and Escape end up here; they go through OnOK and OnCancel.
    void accept() override;
    void reject() override;

signals:
    // A command id that this dialog leaves to its owner.
    void CommandIssued(int nId);
    // A status-line text for the main window (remember 1 keeps it as the status text).
    void StatusTextRequested(const QString& strText, int nRemember);
    // The main window's remembered status text back in the status line (a menu closed).
    void StatusTextRestoreRequested();

protected:
    // The class's map, ended by {-1, 0}. The base's map is empty.
    virtual const SResizeMapEntry* GetResizeMap() const;
    // A window that the user may size (the main window) says so before it is created.
    void SetThickFrame() { m_nStyle |= kStyleThickFrame; }
    // Makes the widget for one template control; the base makes a plain one per kind.
    virtual QWidget* CreateControl(const SDialogControl& control);
    virtual bool OnInitDialog();
    virtual void DoDataExchange(bool bSaveAndValidate);
    // Enter and Escape land here; a page overrides both with nothing.
    virtual void OnOK();
    virtual void OnCancel();
    // A button's id: OK and Cancel end the dialog, everything else goes to the owner.
    virtual void OnCommand(int nId);

    // QWidget
    void resizeEvent(QResizeEvent* pEvent) override;

private:
    bool CreateAs(QWidget* pParent, bool bChild);
    void BuildControls(const SDialogTemplate& dialogTemplate);
    QFont TemplateFont(const SDialogTemplate& dialogTemplate) const;
    QSize BaseUnits() const;

    int m_nTemplateId;
    bool m_bCreated = false;
    unsigned m_nStyle = 0;
    QHash<int, QWidget*> m_controls;
    std::vector<SResizeEntry> m_entries;
    QSize m_capturedSize{0, 0};
};
