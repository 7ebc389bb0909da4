#include "CardReader.h"
#include "PrivatePcscd.h"
#include "Profile.h"
#include "ShellFixture.h"

#include <QComboBox>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

// pcscd loads its drivers after it starts listening: wait until they are all listed.
std::size_t WaitForReaders(std::size_t count) {
    SCARDCONTEXT context = 0;
    std::size_t listed = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (context == 0 &&
            SCardEstablishContext(SCARD_SCOPE_USER, nullptr, nullptr, &context) != SCARD_S_SUCCESS)
            context = 0;
        char names[4096];
        DWORD length = sizeof names;
        if (context != 0 && SCardListReaders(context, nullptr, names, &length) == SCARD_S_SUCCESS)
            listed = CCardReader::SplitReaderList(names, 100).size();
        if (listed >= count) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (context != 0) SCardReleaseContext(context);
    return listed;
}

// Six vpcd entries give twelve readers; no card is needed to list them.
class ReaderList : public CShellFixture {
protected:
    void SetUp() override {
        CPrivatePcscd::Options options;
        options.nReaderEntries = 6;
        m_pPcscd = std::make_unique<CPrivatePcscd>(options);
        std::string error;
        ASSERT_TRUE(m_pPcscd->StartDaemon(&error)) << error;
        setenv("PCSCLITE_CSOCK_NAME", m_pPcscd->SocketPath().c_str(), 1);
        ASSERT_EQ(WaitForReaders(12), 12u);
        CShellFixture::SetUp();
        m_listed = CCardReader::SplitReaderList(g_pCardReader->GetReaderList(), 100);
        ASSERT_EQ(m_listed.size(), 12u);
    }

    std::unique_ptr<CPrivatePcscd> m_pPcscd;
    std::vector<std::string> m_listed;
};

TEST_F(ReaderList, TwelveReadersAreCutToTheFirstTenInAlphabeticalOrder) {
    StartMainWindow();
    QStringList expected;
    for (std::size_t i = 0; i < 10; ++i) expected << QString::fromStdString(m_listed[i]);
    std::sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    EXPECT_EQ(Items(m_pMainDlg->SettingsPage().ReaderCombo()), expected);
    // Nothing stored: the alphabetically first one.
    EXPECT_EQ(m_pMainDlg->SettingsPage().ReaderCombo()->currentIndex(), 0);
    EXPECT_EQ(g_pCardReader->GetReaderName(), expected[0].toStdString());
}

TEST_F(ReaderList, StoredReaderMatchesIgnoringCaseAndAnUnknownOneFallsBackToTheFirst) {
    const std::string chosen = m_listed[3];
    std::string lower = chosen;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    CProfile::WriteString("Settings", "Reader", lower);
    StartMainWindow();
    EXPECT_EQ(m_pMainDlg->SettingsPage().ReaderCombo()->currentText().toStdString(), chosen);
    EXPECT_EQ(g_pCardReader->GetReaderName(), chosen);
    DestroyMainWindow();

    CProfile::WriteString("Settings", "Reader", "Reader unplugged since");
    StartMainWindow();
    EXPECT_EQ(m_pMainDlg->SettingsPage().ReaderCombo()->currentIndex(), 0);
}

}  // namespace
