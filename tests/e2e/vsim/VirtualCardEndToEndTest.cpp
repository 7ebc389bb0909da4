// The virtual card as PC/SC clients see it through a real pcscd and the vpcd driver.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <PCSC/winscard.h>

#include "PrivatePcscd.h"

namespace {

// A one-byte frame once left pcscd waiting for an answer that never came; ISO-style clients
// send SELECT as case 4, with an Le byte after the file id, and must see the MF's
// description wait.
TEST(VirtualCardEndToEnd, OneByteApduAndSelectWithTrailingLeAreAnswered) {
    CPrivatePcscd pcscd;
    std::string error;
    ASSERT_TRUE(pcscd.Start(&error)) << error;
    SCARDCONTEXT context = 0;
    ASSERT_EQ(SCardEstablishContext(SCARD_SCOPE_SYSTEM, nullptr, nullptr, &context),
              SCARD_S_SUCCESS);
    SCARDHANDLE card = 0;
    DWORD protocol = 0;
    ASSERT_EQ(SCardConnect(context, pcscd.ReaderName().c_str(), SCARD_SHARE_SHARED,
                           SCARD_PROTOCOL_T0, &card, &protocol),
              SCARD_S_SUCCESS);
    const auto transmit = [card](const std::vector<BYTE>& apdu) {
        std::vector<BYTE> answer(258);
        DWORD length = answer.size();
        const LONG code = SCardTransmit(card, SCARD_PCI_T0, apdu.data(), apdu.size(), nullptr,
                                        answer.data(), &length);
        answer.resize(code == SCARD_S_SUCCESS ? length : 0);
        return answer;
    };
    EXPECT_EQ(transmit({0xA0}), (std::vector<BYTE>{0x67, 0x00}));
    EXPECT_EQ(transmit({0xA0, 0xA4, 0x00, 0x00, 0x02, 0x3F, 0x00, 0x00}),
              (std::vector<BYTE>{0x9F, 0x17}));
    SCardDisconnect(card, SCARD_LEAVE_CARD);
    SCardReleaseContext(context);
}

}  // namespace
