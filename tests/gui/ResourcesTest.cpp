// Every image the window names is compiled in, decodes, and has its size.
#include <gtest/gtest.h>

#include "app/Resources.h"

TEST(Resources, EveryNamedImageLoadsAtItsSize)
{
    const struct {
        const char* name;
        int width, height;
    } images[] = {
        {"new", 16, 16},     {"open", 16, 16},     {"save", 16, 16},   {"close", 16, 16},
        {"help", 16, 16},    {"connect", 80, 40},  {"read", 80, 40},   {"write", 80, 40},
        {"HC12BMP", 87, 178}, {"hc12bmp", 87, 178}, {"CONNECT", 80, 40},
    };
    for (const auto& image : images) {
        const wxBitmap bitmap = loadResourceBitmap(image.name);
        ASSERT_TRUE(bitmap.IsOk()) << image.name;
        EXPECT_EQ(bitmap.GetSize(), wxSize(image.width, image.height)) << image.name;
    }
}

TEST(Resources, WindowIconLoads)
{
    for (const char* name : {"IDI_ICON", "idi_icon"}) {
        const wxIcon icon = loadResourceIcon(name);
        ASSERT_TRUE(icon.IsOk()) << name;
        EXPECT_EQ(icon.GetSize(), wxSize(48, 48)) << name;
    }
}
