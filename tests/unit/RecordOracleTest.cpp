// The record files checked against an independent implementation, Debian's
// srecord tools: what the program writes holds the same bytes at the same
// addresses for srec_cmp and passes srec_info; what srec_cat writes, in every
// width, record size and base style it offers, reads into the same bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

#include "RecordTestSupport.h"
#include "images/IntelHex.h"
#include "images/SRecord.h"

namespace fs = std::filesystem;

namespace {

class RecordOracleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(std::system("command -v srec_cat srec_cmp srec_info >/dev/null"), 0)
            << "the srecord tools are missing: run scripts/setup";
        std::string pattern = (fs::temp_directory_path() / "rovidada-records-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string at(const std::string& name) const { return (folder_ / name).string(); }

    // Runs a shell command in the folder; its messages go with the failure.
    ::testing::AssertionResult succeeds(const std::string& command) const
    {
        const std::string log = at("tool.log");
        const std::string inFolder = "cd '" + folder_.string() + "' && " + command + " >'" + log + "' 2>&1";
        const int status = std::system(inFolder.c_str());
        if (status == 0)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << command << "\n" << fileText(log);
    }

    // The srec_cat inputs that give `runs` at their addresses, one binary file per run.
    std::string srecCatInputs(const std::vector<DataRun>& runs) const
    {
        std::string inputs;
        for (std::size_t i = 0; i < runs.size(); ++i) {
            const std::string name = "run" + std::to_string(i) + ".bin";
            std::ofstream(at(name), std::ios::binary)
                .write(reinterpret_cast<const char*>(runs[i].bytes.data()), std::streamsize(runs[i].bytes.size()));
            inputs += " " + name + " -binary -offset " + std::to_string(runs[i].address);
        }
        return inputs;
    }

    static std::string fileText(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    fs::path folder_;
};

} // namespace

TEST_F(RecordOracleTest, WhatTheProgramWritesHoldsTheSameBytesForSrecord)
{
    for (unsigned seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(seed);
        const std::vector<DataRun> runs = randomRuns(seed);
        ASSERT_TRUE(succeeds("srec_cat" + srecCatInputs(runs) + " -o reference.srec"));
        const MemoryImage image = imageOf(bytesOf(runs));
        std::ofstream(at("ours.s19")) << writeSRecords(image, "Rovidada DE12");
        std::ofstream(at("ours.hex")) << writeIntelHex(image);

        EXPECT_TRUE(succeeds("srec_cmp ours.s19 reference.srec"));
        EXPECT_TRUE(succeeds("srec_cmp ours.hex -intel reference.srec"));
        EXPECT_TRUE(succeeds("srec_info ours.s19"));
        EXPECT_TRUE(succeeds("srec_info ours.hex -intel"));
    }
}

TEST_F(RecordOracleTest, WhatSrecCatWritesReadsIntoTheSameBytes)
{
    const struct {
        const char* output; // srec_cat's output options
        bool sRecords;
    } outputs[] = {
        {"-motorola -address-length=2", true},
        {"-motorola -address-length=3", true},
        {"-motorola -address-length=4", true},
        {"-motorola -address-length=2 -obs=8 -execution-start-address=0x0800", true},
        {"-motorola -address-length=3 -obs=64 -execution-start-address=0x0800", true},
        {"-motorola -address-length=4 -obs=250 -execution-start-address=0x0800 -crlf", true},
        {"-intel", false}, // with a type 04 base record
        {"-intel -address-length=2", false},
        {"-intel -address-length=2 -obs=8", false},
        {"-intel -obs=32 -execution-start-address=0x0800", false},
        {"-intel -obs=255 -crlf", false},
    };
    for (unsigned seed = 7; seed <= 9; ++seed) {
        const std::vector<DataRun> runs = randomRuns(seed);
        const std::string inputs = srecCatInputs(runs);
        for (const auto& o : outputs) {
            SCOPED_TRACE(std::to_string(seed) + ": " + o.output);
            ASSERT_TRUE(succeeds("srec_cat" + inputs + " -o written " + o.output));
            const std::string text = fileText(at("written"));
            const RecordRead read = o.sRecords ? readSRecords(text) : readIntelHex(text);
            expectPlaced(read, bytesOf(runs));
            if (o.sRecords) {
                EXPECT_EQ(read.image.header, "http://srecord.sourceforge.net/");
            }
        }
    }
}
