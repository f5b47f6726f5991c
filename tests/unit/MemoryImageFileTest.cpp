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

const char* const kSRecords = "S1060803010203E8\nS9030000FC\n";
const char* const kIntelHex = ":03080300010203EC\n:00000001FF\n";
const AddressBytes kBytes = {{0x0803, 1}, {0x0804, 2}, {0x0805, 3}};

} // namespace

TEST_F(MemoryImageFileTest, TheContentDecidesTheFormatNotTheName)
{
    const struct {
        const char* name;
        std::string content;
        ImageFormat format;
    } cases[] = {
        {"records.bin", kSRecords, ImageFormat::sRecord},
        {"records.s19", kIntelHex, ImageFormat::intelHex},
        {"almost.s19", std::string(kSRecords) + "; a comment\n", ImageFormat::raw},
        {"mixed.hex", std::string(kSRecords) + kIntelHex, ImageFormat::raw},
        {"empty.s19", "", ImageFormat::raw},
        {"blank.hex", "\n \r\n", ImageFormat::raw},
        {"binary.s19", std::string("S1\0\xFF\n", 5), ImageFormat::raw},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const MemoryImageLoad load = loadMemoryImage(write(c.name, c.content));
        ASSERT_TRUE(load.ok());
        EXPECT_EQ(load.format, c.format);
        if (c.format == ImageFormat::raw) {
            EXPECT_EQ(load.image.startAddress, 0u);
            EXPECT_EQ(std::string(load.image.bytes.begin(), load.image.bytes.end()), c.content);
            EXPECT_EQ(load.image.filledCount(), c.content.size());
        } else {
            expectPlaced({load.image, {}}, kBytes);
        }
    }
}

TEST_F(MemoryImageFileTest, BrokenRecordsAndUnreadableFilesGiveNoBytesAndTheirWords)
{
    const MemoryImageLoad broken = loadMemoryImage(write("broken.hex", ":03080300010203ED\n:00000001FF\n"));
    EXPECT_EQ(broken.failure, ImageFileFailure::badRecords);
    EXPECT_EQ(broken.format, ImageFormat::intelHex);
    EXPECT_EQ(broken.recordError.line, 1u);
    EXPECT_TRUE(broken.image.bytes.empty());
    EXPECT_EQ(loadFailureText(broken),
              "Błąd w pliku Intel HEX, nic nie wczytano:\nWiersz 1: zła suma kontrolna (jest ED, powinna być EC).");

    const MemoryImageLoad typo = loadMemoryImage(write("typo.bin", "S1060803010G03E8\n"));
    EXPECT_EQ(typo.format, ImageFormat::sRecord) << "a line of text with a wrong digit is still a record";
    EXPECT_EQ(typo.recordError.problem, RecordProblem::notHexDigit);

    const MemoryImageLoad missing = loadMemoryImage(at("missing.s19"));
    EXPECT_EQ(missing.failure, ImageFileFailure::cannotOpen);
    EXPECT_EQ(loadFailureText(missing), "Nie moge otworzyc pliku");
}

TEST_F(MemoryImageFileTest, TheNameAsksForAFormatByItsEnding)
{
    const struct {
        const char* name;
        std::optional<ImageFormat> format;
    } cases[] = {
        {"a.s19", ImageFormat::sRecord},  {"a.S28", ImageFormat::sRecord},   {"dir/a.s37", ImageFormat::sRecord},
        {"a.mot", ImageFormat::sRecord},  {"a.SREC", ImageFormat::sRecord},  {"a.hex", ImageFormat::intelHex},
        {"a.IHX", ImageFormat::intelHex}, {"a.bin", ImageFormat::raw},       {"a", std::nullopt},
        {"a.s19.txt", std::nullopt},      {"dir.hex/a", std::nullopt},       {".hex/", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatOfName(c.name), c.format) << c.name;
}

TEST_F(MemoryImageFileTest, SavingWritesTheFormatAskedFor)
{
    MemoryImage image = imageOf({{0x0803, 1}, {0x0805, 3}});
    ASSERT_TRUE(saveMemoryImage(at("a.bin"), ImageFormat::raw, image).ok());
    EXPECT_EQ(textOf(at("a.bin")), std::string("\x01\x00\x03", 3)) << "a gap is a 00 in a raw file";

    ASSERT_TRUE(saveMemoryImage(at("a.s19"), ImageFormat::sRecord, image).ok());
    EXPECT_EQ(textOf(at("a.s19")), "S0140000526F766964616461204445313220312E3501\n"
                                   "S104080301EF\nS104080503EB\nS5030002FA\nS9030000FC\n");
    image.header = "hdr";
    ASSERT_TRUE(saveMemoryImage(at("a.s19"), ImageFormat::sRecord, image).ok());
    EXPECT_TRUE(textOf(at("a.s19")).starts_with("S0060000686472BB\n"));

    ASSERT_TRUE(saveMemoryImage(at("a.hex"), ImageFormat::intelHex, image).ok());
    EXPECT_EQ(textOf(at("a.hex")), ":0108030001F3\n:0108050003EF\n:00000001FF\n");
}

TEST_F(MemoryImageFileTest, AnImageAboveFFFFIsNoRecordFile)
{
    MemoryImage image = imageOf({{0xFFFF, 1}, {0x10000, 2}});
    for (ImageFormat format : {ImageFormat::sRecord, ImageFormat::intelHex}) {
        const ImageSave save = saveMemoryImage(at("top"), format, image);
        EXPECT_EQ(save.failure, ImageFileFailure::beyondAddressSpace);
        EXPECT_EQ(saveFailureText(save), "Bufor sięga poza adres FFFF, a pliki S-record i Intel HEX mieszczą tylko "
                                         "adresy 0000–FFFF. Nic nie zapisano; zapisz bufor jako obraz binarny.");
        EXPECT_FALSE(fs::exists(at("top")));
    }
    image.filled.back() = false; // a gap above FFFF holds nothing
    EXPECT_TRUE(saveMemoryImage(at("top"), ImageFormat::intelHex, image).ok());
    EXPECT_TRUE(saveMemoryImage(at("top.bin"), ImageFormat::raw, imageOf({{0x10000, 2}})).ok());
}
