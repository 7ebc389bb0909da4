#include "FilePage.h"

#include "ResourceIds.h"

namespace {

using R = CResizableDialog;
constexpr R::SResizeMapEntry kResizeMap[] = {
    {1080, R::kSizeX},
    {1033, R::kMoveX | R::kMoveY}, {1035, R::kMoveX | R::kMoveY},
    {1031, R::kSizeX | R::kMoveY},
    {1081, R::kSizeX | R::kSizeY},
    {1082, R::kMoveY}, {1083, R::kMoveY}, {1084, R::kMoveY}, {1085, R::kMoveY},
    {1086, R::kMoveY}, {1090, R::kMoveY}, {1091, R::kMoveY}, {1092, R::kMoveY},
    {1089, R::kMoveX | R::kMoveY},
    {-1, 0},
};

}  // namespace

CFilePage::CFilePage(QWidget* pParent) : CResizableDialog(IDD_FILE_PAGE, pParent) {}

const CResizableDialog::SResizeMapEntry* CFilePage::GetResizeMap() const { return kResizeMap; }

bool CFilePage::OnInitDialog() {
    CaptureLayout(false, kStyleClipChildren);
    return true;
}
