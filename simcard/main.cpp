// SPDX-License-Identifier: GPL-3.0-or-later
// corvanta-vsim: a virtual GSM SIM card for the vpcd driver of pcscd.

#include <fcntl.h>
#include <unistd.h>
#include <csignal>
#include <cstdio>
#include <string>

#include "SimCard.h"
#include "SimProfile.h"
#include "StateFile.h"
#include "VpcdLink.h"
#include "VsimOptions.h"

namespace {

int g_stopPipe[2] = {-1, -1};

void OnStopSignal(int) {
    char byte = 1;
    // Nothing to do if the pipe is full: a stop is already pending.
    ssize_t ignored = ::write(g_stopPipe[1], &byte, 1);
    (void)ignored;
}

// Beside the program in a build tree; an installed program finds it in its data folder,
// reached from the program's own folder so that any install prefix works.
std::string DefaultProfilePath() {
    char path[4096];
    ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return "default.sim";
    std::string exe(path, static_cast<std::size_t>(length));
    const std::string folder = exe.substr(0, exe.rfind('/') + 1);
    const std::string beside = folder + "default.sim";
    if (::access(beside.c_str(), F_OK) == 0) return beside;
    return folder + CORVANTA_VSIM_PROFILE_DIR "/default.sim";
}

bool InstallStopHandlers() {
    if (::pipe2(g_stopPipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    return ::sigaction(SIGTERM, &action, nullptr) == 0 &&
           ::sigaction(SIGINT, &action, nullptr) == 0;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "corvanta-vsim: %s\n", message.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    CVsimOptions options;
    std::string error;
    if (!options.Parse(argc, argv, error)) return Fail(error);
    if (options.m_action == CVsimOptions::Action::Help) {
        std::fputs(CVsimOptions::Usage().c_str(), stdout);
        return 0;
    }
    if (options.m_action == CVsimOptions::Action::Version) {
        std::printf("corvanta-vsim %s\n", CORVANTA_VERSION);
        return 0;
    }

    std::string profilePath =
        options.m_strProfile.empty() ? DefaultProfilePath() : options.m_strProfile;
    CSimProfile profile;
    if (!profile.Load(profilePath, error)) return Fail(error);

    CStateFile state(options.m_strState);
    if (!options.m_strState.empty()) {
        CSimProfile saved;
        CStateFile::LoadResult result = state.Load(saved, error);
        if (result == CStateFile::LoadResult::Failed)
            return Fail(error +
                        "\n(fix or remove it; the card does not start over a state "
                        "it cannot read)");
        if (result == CStateFile::LoadResult::Loaded) profile = std::move(saved);
    }

    if (!InstallStopHandlers()) return Fail("cannot install the signal handlers");

    CSimCard card(std::move(profile));
    CVpcdLink link(card, options.m_strHost, options.m_nPort, options.m_atr);
    link.SetVerbose(options.m_bVerbose);
    link.SetMisbehaviour(options.m_misbehaviour);
    bool saveFailed = false;
    if (!options.m_strState.empty()) {
        link.SetOnChanged([&]() {
            std::string saveError;
            saveFailed = !state.Save(card.GetProfile(), saveError);
            if (saveFailed) std::fprintf(stderr, "corvanta-vsim: %s\n", saveError.c_str());
        });
    }
    int result = link.Run(g_stopPipe[0]);
    if (result == 0 && options.m_bVerbose) std::fprintf(stderr, "corvanta-vsim: stopped\n");
    return result != 0 ? result : (saveFailed ? 3 : 0);
}
