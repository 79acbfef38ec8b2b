#pragma once

#include "core/Picture.h"

#include <gtest/gtest.h>

#include <QString>

namespace nidora {

// The picture a test names, failing the test when the text is not a picture.
inline Picture picture(const char* text)
{
    const std::optional<Picture> p = parsePicture(QString::fromUtf8(text));
    EXPECT_TRUE(p) << text;
    return p.value_or(Picture {});
}

} // namespace nidora
