#include "CommandPage.h"

#include "ResourceIds.h"

namespace {

using R = CResizableDialog;
constexpr R::SResizeMapEntry kResizeMap[] = {
    {1030, R::kSizeX},
    {1061, R::kMoveX}, {1032, R::kMoveX}, {1036, R::kMoveX}, {1063, R::kMoveX},
    {1064, R::kMoveX}, {1065, R::kMoveX}, {1073, R::kMoveX}, {1068, R::kMoveX},
    {1069, R::kMoveX}, {1074, R::kMoveX}, {1075, R::kMoveX}, {1076, R::kMoveX},
    {1037, R::kSizeX},
    {1062, R::kMoveX}, {1038, R::kMoveX},
    {1079, R::kSizeX | R::kSizeY},
    {-1, 0},
};

}  // namespace

CCommandPage::CCommandPage(QWidget* pParent) : CResizableDialog(IDD_COMMAND_PAGE, pParent) {}

const CResizableDialog::SResizeMapEntry* CCommandPage::GetResizeMap() const { return kResizeMap; }

bool CCommandPage::OnInitDialog() {
    CaptureLayout(false, kStyleClipChildren);
    return true;
}
