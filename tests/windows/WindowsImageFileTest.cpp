// Image files on Windows: names with Polish letters, replacing a file in one
// step without leaving a temporary behind, and files that must not be replaced.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "images/ImageFile.h"

namespace {

namespace fs = std::filesystem;

class WindowsImageFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / fs::path(u8"rovidada-pliki-żółć");
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    std::string utf8(const fs::path& path) const
    {
        const auto text = path.u8string();
        return std::string(text.begin(), text.end());
    }
    fs::path folder;
};

TEST_F(WindowsImageFileTest, SaveReplacesAndLoadReadsBackUnderAPolishName)
{
    const fs::path file = folder / fs::path(u8"pamięć EEPROM.bin");
    const std::vector<std::uint8_t> first = {0x0A, 0x0D, 0x00, 0xFF, 0x1A};
    ASSERT_TRUE(saveImageFile(utf8(file), first).ok());
    const std::vector<std::uint8_t> second = {0x12, 0x0A, 0x34};
    ASSERT_TRUE(saveImageFile(utf8(file), second).ok());

    const ImageLoad loaded = loadImageFile(utf8(file));
    ASSERT_TRUE(loaded.ok()) << loaded.reason;
    EXPECT_EQ(loaded.bytes, second); // binary: no 0x0A turned into 0x0D 0x0A
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST_F(WindowsImageFileTest, MissingFoldersAndReadOnlyFilesAreRefusedAndKept)
{
    const ImageLoad missing = loadImageFile(utf8(folder / "brak.bin"));
    EXPECT_EQ(missing.failure, ImageFileFailure::CannotOpen);
    EXPECT_FALSE(missing.reason.empty());
    EXPECT_EQ(loadImageFile(utf8(folder)).failure, ImageFileFailure::NotRegularFile);

    const fs::path locked = folder / "locked.bin";
    ASSERT_TRUE(saveImageFile(utf8(locked), std::vector<std::uint8_t>{1, 2, 3}).ok());
    ASSERT_TRUE(::SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(saveImageFile(utf8(locked), std::vector<std::uint8_t>{9}).failure, ImageFileFailure::CannotOpen);
    EXPECT_EQ(loadImageFile(utf8(locked)).bytes, (std::vector<std::uint8_t>{1, 2, 3}));
    ::SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_EQ(saveImageFile(utf8(folder / "nie-ma" / "x.bin"), std::vector<std::uint8_t>{1}).failure,
              ImageFileFailure::CannotCreate);
}

} // namespace
