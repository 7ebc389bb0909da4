// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SimCard.h"

// The shipped default virtual card in this process, for a bench's share without any
// transport; ends the program when its profile cannot be read, as the figures would mean
// nothing.
CSimCard LoadDefaultCard();
