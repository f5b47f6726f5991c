// The entry point both faces load and save through: the format comes from the
// content on loading (raw files exactly as before), from the caller on saving,
// and every failure is a value with the program's words for it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

#include "RecordTestSupport.h"
#include "images/ImageMessages.h"
#include "images/MemoryImageFile.h"

namespace fs = std::filesystem;

namespace {

class MemoryImageFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "rovidada-images-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string write(const char* name, const std::string& content) const
    {
        const std::string path = (folder_ / name).string();
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    std::string at(const char* name) const { return (folder_ / name).string(); }
    static std::string textOf(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    fs::path folder_;
};

const char* const S_RECORDS = "S1060803010203E8\nS9030000FC\n";
const char* const INTEL_HEX = ":03080300010203EC\n:00000001FF\n";
const AddressBytes BYTES = {{0x0803, 1}, {0x0804, 2}, {0x0805, 3}};

} // namespace

TEST_F(MemoryImageFileTest, TheContentDecidesTheFormatNotTheName)
{
    const struct {
        const char* name;
        std::string content;
        ImageFormat format;
    } cases[] = {
        {"records.bin", S_RECORDS, ImageFormat::SRecord},
        {"records.s19", INTEL_HEX, ImageFormat::IntelHex},
        {"almost.s19", std::string(S_RECORDS) + "; a comment\n", ImageFormat::Raw},
        {"mixed.hex", std::string(S_RECORDS) + INTEL_HEX, ImageFormat::Raw},
        {"empty.s19", "", ImageFormat::Raw},
        {"blank.hex", "\n \r\n", ImageFormat::Raw},
        {"binary.s19", std::string("S1\0\xFF\n", 5), ImageFormat::Raw},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const MemoryImageLoad load = loadMemoryImage(write(c.name, c.content));
        ASSERT_TRUE(load.ok());
        EXPECT_EQ(load.format, c.format);
        if (c.format == ImageFormat::Raw) {
            EXPECT_EQ(load.image.startAddress, 0u);
            EXPECT_EQ(std::string(load.image.bytes.begin(), load.image.bytes.end()), c.content);
            EXPECT_EQ(load.image.filledCount(), c.content.size());
        } else {
            expectPlaced({load.image, {}}, BYTES);
        }
    }
}

TEST_F(MemoryImageFileTest, BrokenRecordsAndUnreadableFilesGiveNoBytesAndTheirWords)
{
    const MemoryImageLoad broken = loadMemoryImage(write("broken.hex", ":03080300010203ED\n:00000001FF\n"));
    EXPECT_EQ(broken.failure, ImageFileFailure::BadRecords);
    EXPECT_EQ(broken.format, ImageFormat::IntelHex);
    EXPECT_EQ(broken.recordError.line, 1u);
    EXPECT_TRUE(broken.image.bytes.empty());
    EXPECT_EQ(loadFailureText(broken),
              "Błąd w pliku Intel HEX, nic nie wczytano:\nWiersz 1: zła suma kontrolna (jest ED, powinna być EC).");

    const MemoryImageLoad typo = loadMemoryImage(write("typo.bin", "S1060803010G03E8\n"));
    EXPECT_EQ(typo.format, ImageFormat::SRecord) << "a line of text with a wrong digit is still a record";
    EXPECT_EQ(typo.recordError.problem, RecordProblem::NotHexDigit);

    const MemoryImageLoad missing = loadMemoryImage(at("missing.s19"));
    EXPECT_EQ(missing.failure, ImageFileFailure::CannotOpen);
    EXPECT_EQ(loadFailureText(missing), "Nie moge otworzyc pliku");
}

TEST_F(MemoryImageFileTest, TheNameAsksForAFormatByItsEnding)
{
    const struct {
        const char* name;
        std::optional<ImageFormat> format;
    } cases[] = {
        {"a.s19", ImageFormat::SRecord},  {"a.S28", ImageFormat::SRecord},   {"dir/a.s37", ImageFormat::SRecord},
        {"a.mot", ImageFormat::SRecord},  {"a.SREC", ImageFormat::SRecord},  {"a.hex", ImageFormat::IntelHex},
        {"a.IHX", ImageFormat::IntelHex}, {"a.bin", ImageFormat::Raw},       {"a", std::nullopt},
        {"a.s19.txt", std::nullopt},      {"dir.hex/a", std::nullopt},       {".hex/", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatOfName(c.name), c.format) << c.name;
}

TEST_F(MemoryImageFileTest, SavingWritesTheFormatAskedFor)
{
    MemoryImage image = imageOf({{0x0803, 1}, {0x0805, 3}});
    ASSERT_TRUE(saveMemoryImage(at("a.bin"), ImageFormat::Raw, image).ok());
    EXPECT_EQ(textOf(at("a.bin")), std::string("\x01\x00\x03", 3)) << "a gap is a 00 in a raw file";

    ASSERT_TRUE(saveMemoryImage(at("a.s19"), ImageFormat::SRecord, image).ok());
    EXPECT_EQ(textOf(at("a.s19")), "S0140000526F766964616461204445313220312E3501\n"
                                   "S104080301EF\nS104080503EB\nS5030002FA\nS9030000FC\n");
    image.header = "hdr";
    ASSERT_TRUE(saveMemoryImage(at("a.s19"), ImageFormat::SRecord, image).ok());
    EXPECT_TRUE(textOf(at("a.s19")).starts_with("S0060000686472BB\n"));

    ASSERT_TRUE(saveMemoryImage(at("a.hex"), ImageFormat::IntelHex, image).ok());
    EXPECT_EQ(textOf(at("a.hex")), ":0108030001F3\n:0108050003EF\n:00000001FF\n");
}

TEST_F(MemoryImageFileTest, AnImageAboveFFFFIsNoRecordFile)
{
    MemoryImage image = imageOf({{0xFFFF, 1}, {0x10000, 2}});
    for (ImageFormat format : {ImageFormat::SRecord, ImageFormat::IntelHex}) {
        const ImageSave save = saveMemoryImage(at("top"), format, image);
        EXPECT_EQ(save.failure, ImageFileFailure::BeyondAddressSpace);
        EXPECT_EQ(saveFailureText(save), "Bufor sięga poza adres FFFF, a pliki S-record i Intel HEX mieszczą tylko "
                                         "adresy 0000–FFFF. Nic nie zapisano; zapisz bufor jako obraz binarny.");
        EXPECT_FALSE(fs::exists(at("top")));
    }
    image.filled.back() = false; // a gap above FFFF holds nothing
    EXPECT_TRUE(saveMemoryImage(at("top"), ImageFormat::IntelHex, image).ok());
    EXPECT_TRUE(saveMemoryImage(at("top.bin"), ImageFormat::Raw, imageOf({{0x10000, 2}})).ok());
}
