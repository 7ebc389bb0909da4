// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <utility>

#include <PCSC/pcsclite.h>

#include "CardReader.h"
#include "CardWatch.h"
#include "PrivatePcscd.h"
#include "TempDir.h"

// The card core against a real pcscd, the vpcd driver and the virtual SIM card: what a
// pulled card and a stopped service really answer. The rules are the unit tests' matter.
// The card keeps its update in its state file across being pulled.
TEST(CardEndToEnd, PulledCardOrStoppedServiceFailTheExchangeAndAFreshConnectWorks) {
    CTempDir stateDir("corvanta-state");
    CPrivatePcscd pcscd({"", stateDir.File("card.state")});
    std::string error;
    ASSERT_TRUE(pcscd.Start(&error)) << error;
    CCardReader reader;
    reader.SetReaderName(pcscd.ReaderName());
    // The answer's text, or "failed" when the transmit failed.
    const auto send = [&reader](const std::string& command) -> std::string {
        std::string response;
        return reader.Exchange(command, response) == SCARD_S_SUCCESS ? response : "failed";
    };
    // The old connection ends, a fresh one reaches the card present again.
    const auto reconnect = [&]() {
        ASSERT_TRUE(pcscd.WaitForCard(true));
        reader.Disconnect();
        EXPECT_FALSE(reader.IsConnected());
        ASSERT_EQ(reader.Connect(), SCARD_S_SUCCESS);
        EXPECT_EQ(send("A02000010831323334FFFFFFFF"), "9000");  // VERIFY CHV1
        for (const char* id : {"3F00", "7F10", "6F3A"})         // to EF ADN
            EXPECT_EQ(send(std::string("A0A4000002") + id).substr(0, 2), "9F");
    };
    reconnect();
    const std::string record(56, 'C');
    EXPECT_EQ(send("A0DC01041C" + record), "9000");

    ASSERT_TRUE(pcscd.StopCard(true));
    EXPECT_EQ(send("A0B201041C"), "failed");
    ASSERT_TRUE(pcscd.StartCard(&error)) << error;
    reconnect();
    EXPECT_EQ(send("A0B201041C"), record + "9000");

    ASSERT_TRUE(pcscd.StopDaemon());
    EXPECT_EQ(send("A0B201041C"), "failed");
    ASSERT_TRUE(pcscd.StartDaemon(&error)) << error;
    reconnect();
}

// The card watch against the real service: what pcsc-lite reports when the card is pulled,
// when the service stops and for a reader it does not know, and that a cancel from
// another thread ends a watch of a card that stays.
TEST(CardEndToEnd, CardWatchEndsWhenTheCardOrTheServiceGoesAndOnCancel) {
    using EEnd = CCardWatch::EEnd;
    CPrivatePcscd pcscd;
    std::string error;
    ASSERT_TRUE(pcscd.Start(&error)) << error;
    const auto watch = [&pcscd](std::string reader = {}) {
        auto pWatch = std::make_shared<CCardWatch>(reader.empty() ? pcscd.ReaderName() : reader);
        return std::make_pair(pWatch,
                              std::async(std::launch::async, [pWatch] { return pWatch->Run(); }));
    };
    // By the time the unknown reader's watch has ended, the other one is waiting.
    auto [pStaying, staying] = watch();
    EXPECT_EQ(watch("Corvanta Virtual SIM 00 07").second.get(), EEnd::kReaderRemoved);
    do pStaying->Cancel();
    while (staying.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready);
    EXPECT_EQ(staying.get(), EEnd::kCancelled);

    auto pulled = watch().second;
    EXPECT_EQ(pulled.wait_for(std::chrono::milliseconds(0)), std::future_status::timeout);
    ASSERT_TRUE(pcscd.StopCard(true));
    EXPECT_EQ(pulled.get(), EEnd::kCardRemoved);

    ASSERT_TRUE(pcscd.StartCard(&error)) << error;
    ASSERT_TRUE(pcscd.WaitForCard(true));
    // A context asked for while the service goes down is refused with other codes.
    auto stopped = watch().second;
    EXPECT_EQ(watch("Corvanta Virtual SIM 00 07").second.get(), EEnd::kReaderRemoved);
    ASSERT_TRUE(pcscd.StopDaemon());
    EXPECT_EQ(stopped.get(), EEnd::kServiceStopped);
}
