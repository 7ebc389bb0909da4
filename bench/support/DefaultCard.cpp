// SPDX-License-Identifier: GPL-3.0-or-later
#include "DefaultCard.h"

#include "PrivatePcscd.h"
#include "SimProfile.h"

#include <cstdio>
#include <cstdlib>

CSimCard LoadDefaultCard() {
    CSimProfile profile;
    std::string error;
    if (!profile.Load(CPrivatePcscd::DefaultProfilePath(), error)) {
        std::fprintf(stderr, "profile: %s\n", error.c_str());
        std::exit(1);
    }
    CSimCard card(std::move(profile));
    card.Reset();
    return card;
}
