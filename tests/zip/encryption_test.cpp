// Traditional encryption: the key stream worked by hand, round trips, the check byte, and
// our encrypted archives opened by Debian's unzip.
#include "support/archivebuilder.h"
#include "support/testfiles.h"
#include "zip/crc32.h"
#include "zip/unzipper.h"
#include "zip/zipcrypt.h"

#include <gtest/gtest.h>

namespace duebell::zip {
namespace {

using namespace ziptest;

TEST(ZipCrypt, KeyStreamOfTheEmptyPassword) {
    TZipCrypt crypt;
    crypt.InitKeys("");
    // key 2 = 0x34567890: t = 0x7892, (t * (t ^ 1)) >> 8 = 0x...AB.
    EXPECT_EQ(crypt.DecryptByte(), 0xAB);
}

TEST(ZipCrypt, RoundTripAndTheCheckByte) {
    std::string data = SampleText(5000, 1);
    const std::string plain = data;
    const std::uint32_t crc = Crc32(plain);
    TZipCrypt writer;
    const TEncryptionHeader header = writer.MakeHeader("pa55", crc, {9, 8, 7, 6, 5, 4, 3, 2, 1, 0});
    writer.EncryptBuffer(reinterpret_cast<std::uint8_t*>(data.data()), data.size());
    EXPECT_NE(data, plain);

    TZipCrypt reader;
    EXPECT_EQ(reader.CheckHeader("pa55", header), static_cast<std::uint8_t>(crc >> 24));
    reader.DecryptBuffer(reinterpret_cast<std::uint8_t*>(data.data()), data.size());
    EXPECT_EQ(data, plain);

    // A wrong password gives another check byte (for this header).
    TZipCrypt wrong;
    EXPECT_NE(wrong.CheckHeader("pa56", header), static_cast<std::uint8_t>(crc >> 24));
}

TEST(ZipCrypt, OurEncryptedEntriesOpenWithDebianUnzip) {
    TempFolder folder;
    const std::string content = SampleLoanBook(20000, 4);
    RawEntry entry = StoredEntry("secret.xml", content);
    TZipCrypt crypt;
    TMemoryStream header;
    crypt.WriteHeader("lender's key", entry.crc, header);
    std::string data = content;
    crypt.EncryptBuffer(reinterpret_cast<std::uint8_t*>(data.data()), data.size());
    entry.data = std::string(header.Data().begin(), header.Data().end()) + data;
    entry.flags = 1;
    WriteFile(folder / "e.zip", BuildArchive({entry}));
    ASSERT_EQ(RunCommand("unzip -p -P \"lender's key\" " + Quote(folder / "e.zip") + " > " +
                         Quote(folder / "by-unzip.xml")),
              0);
    EXPECT_EQ(ReadFile(folder / "by-unzip.xml"), content);

    TUnZipper unzipper;
    unzipper.SetZipName(folder / "e.zip");
    unzipper.SetDestDir(folder / "ours");
    unzipper.DoAll = true;
    unzipper.Password = "lender's key";
    EXPECT_EQ(unzipper.UnZip(), 1);
    EXPECT_EQ(ReadFile(folder / "ours/secret.xml"), content);
}

TEST(ZipCrypt, OnDecryptReplacesTheBuiltInDecryption) {
    TempFolder folder;
    RawEntry entry = StoredEntry("x.txt", "plain");
    // "Encrypted" by adding one to each byte, behind a header that passes the check.
    TZipCrypt crypt;
    const TEncryptionHeader header = crypt.MakeHeader("pw", entry.crc, {});
    std::string data = "plain";
    for (char& c : data) {
        ++c;
    }
    entry.data = std::string(header.begin(), header.end()) + data;
    entry.flags = 1;
    WriteFile(folder / "x.zip", BuildArchive({entry}));
    TUnZipper unzipper;
    unzipper.SetZipName(folder / "x.zip");
    unzipper.SetDestDir(folder / "out");
    unzipper.DoAll = true;
    unzipper.Password = "pw";
    unzipper.OnDecrypt = [](std::uint8_t* buffer, int length, const std::string& password) {
        EXPECT_EQ(password, "pw");
        for (int i = 0; i < length; ++i) {
            --buffer[i];
        }
    };
    EXPECT_EQ(unzipper.UnZip(), 1);
    EXPECT_EQ(ReadFile(folder / "out/x.txt"), "plain");
}

} // namespace
} // namespace duebell::zip
