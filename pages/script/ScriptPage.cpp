#include "ScriptPage.h"

#include "ResourceIds.h"

namespace {

using R = CResizableDialog;
constexpr R::SResizeMapEntry kResizeMap[] = {
    {1048, R::kSizeX | R::kSizeY},
    {1049, R::kMoveX}, {1050, R::kMoveX}, {1039, R::kMoveX},
    {1040, R::kMoveX | R::kMoveY},
    {-1, 0},
};

}  // namespace

CScriptPage::CScriptPage(QWidget* pParent) : CPageDialog(IDD_SCRIPT_PAGE, pParent) {}

const CResizableDialog::SResizeMapEntry* CScriptPage::GetResizeMap() const { return kResizeMap; }
