// SPDX-License-Identifier: GPL-3.0-or-later
#include "AcceleratorResource.h"

#include "ResourceIds.h"

const std::vector<SAccelerator>& CAcceleratorResource::Find(int id) {
    static const std::vector<SAccelerator> none;
    static const std::vector<SAccelerator> scriptList = {
        {QKeySequence(Qt::CTRL | Qt::Key_A), ID_SCRIPT_SELECT_ALL},
        {QKeySequence(Qt::CTRL | Qt::Key_C), ID_SCRIPT_COPY},
        {QKeySequence(Qt::CTRL | Qt::Key_V), ID_SCRIPT_PASTE},
        {QKeySequence(Qt::Key_Delete), ID_SCRIPT_DELETE},
        {QKeySequence(Qt::Key_F9), ID_SCRIPT_BREAKPOINT},
        {QKeySequence(Qt::Key_Insert), ID_SCRIPT_INSERT},
        {QKeySequence(Qt::CTRL | Qt::Key_X), ID_SCRIPT_CUT},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), ID_SCRIPT_SAVE_AS},
    };
    return id == IDR_SCRIPT_ACCELERATORS ? scriptList : none;
}
