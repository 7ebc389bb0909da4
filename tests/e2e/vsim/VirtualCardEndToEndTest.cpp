// The virtual card as PC/SC clients see it through a real pcscd and the vpcd driver.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <PCSC/winscard.h>

#include "PrivatePcscd.h"

namespace {

class VirtualCardEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(m_pcscd.Start(&error)) << error;
        ASSERT_EQ(SCardEstablishContext(SCARD_SCOPE_SYSTEM, nullptr, nullptr, &m_context),
                  SCARD_S_SUCCESS);
    }
    void TearDown() override {
        if (m_card) SCardDisconnect(m_card, SCARD_LEAVE_CARD);
        SCardReleaseContext(m_context);
    }
    LONG Connect() {
        if (m_card) SCardDisconnect(m_card, SCARD_LEAVE_CARD);
        m_card = 0;
        DWORD protocol = 0;
        return SCardConnect(m_context, m_pcscd.ReaderName().c_str(), SCARD_SHARE_SHARED,
                            SCARD_PROTOCOL_T0, &m_card, &protocol);
    }
    // The answer's bytes, or nothing when the transmit fails.
    std::vector<BYTE> Transmit(const std::vector<BYTE>& apdu) {
        std::vector<BYTE> answer(258);
        DWORD length = answer.size();
        LONG code = SCardTransmit(m_card, SCARD_PCI_T0, apdu.data(), apdu.size(), nullptr,
                                  answer.data(), &length);
        EXPECT_EQ(code, SCARD_S_SUCCESS) << std::hex << code;
        answer.resize(code == SCARD_S_SUCCESS ? length : 0);
        return answer;
    }

    CPrivatePcscd m_pcscd;
    SCARDCONTEXT m_context = 0;
    SCARDHANDLE m_card = 0;
};

// ISO-style clients send SELECT as case 4, with an Le byte after the file id.
TEST_F(VirtualCardEndToEndTest, SelectWithTrailingLeAnswersResponseWaiting) {
    ASSERT_EQ(Connect(), SCARD_S_SUCCESS);
    std::vector<BYTE> answer = Transmit({0xA0, 0xA4, 0x00, 0x00, 0x02, 0x3F, 0x00, 0x00});
    ASSERT_EQ(answer.size(), 2u);
    EXPECT_EQ(answer[0], 0x9F);
    EXPECT_EQ(answer[1], 0x17);  // the MF's description waits
}

// A one-byte frame once left pcscd waiting for an answer that never came.
TEST_F(VirtualCardEndToEndTest, OneByteApduIsAnsweredAndTheReaderServesTheNextConnect) {
    ASSERT_EQ(Connect(), SCARD_S_SUCCESS);
    EXPECT_EQ(Transmit({0xA0}), (std::vector<BYTE>{0x67, 0x00}));
    ASSERT_EQ(Connect(), SCARD_S_SUCCESS);
    EXPECT_EQ(Transmit({0xA0, 0xA4, 0x00, 0x00, 0x02, 0x3F, 0x00}),
              (std::vector<BYTE>{0x9F, 0x17}));
}

}  // namespace
