// The system's reasons in Polish: one table, a device's words for the port
// box and a file's words for the file boxes.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "images/ImageMessages.h"
#include "serial/PortNames.h"
#include "texts/SystemReasons.h"
#include "texts/Texts.h"

TEST(SystemReasons, FilesGetTheirOwnWordsAndPortsKeepTheirs)
{
    const struct {
        int error;
        Text file;
    } files[] = {
        {ENOSPC, texts::FILE_REASON_NO_SPACE},    {EDQUOT, texts::FILE_REASON_QUOTA},
        {EROFS, texts::FILE_REASON_READ_ONLY},    {EIO, texts::FILE_REASON_IO_ERROR},
        {EACCES, texts::FILE_REASON_NO_PERMISSION}, {ENOENT, texts::FILE_REASON_NO_FILE},
        {EFBIG, texts::FILE_REASON_TOO_LARGE},
    };
    for (const auto& c : files)
        EXPECT_EQ(systemReasonText(c.error, ReasonFor::File), toStdString(c.file)) << std::strerror(c.error);
    EXPECT_EQ(portOpenReason(ENOENT), toStdString(texts::PORT_REASON_NO_DEVICE));
    EXPECT_EQ(portOpenReason(EIO), toStdString(texts::PORT_REASON_IO_ERROR));
    EXPECT_EQ(systemReasonText(ENOSPC, ReasonFor::Device), std::strerror(ENOSPC)) << "no words of ours for a device";
}

TEST(SystemReasons, AFileBoxGivesTheReasonOnASecondLineOnlyWhenThereIsOne)
{
    ImageSave full;
    full.failure = ImageFileFailure::WriteFailed;
    full.error = ENOSPC;
    EXPECT_EQ(withReasonLine(saveFailureText(full), full.error), "Nie moge otworzyc pliku\nBrak miejsca na dysku");
    EXPECT_EQ(withReasonLine("Nie moge otworzyc pliku", 0), "Nie moge otworzyc pliku");
}
