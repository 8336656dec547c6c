#include "model/ConfigModel.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(ConfigModel, ImageSettersCopyOnlyWhatFitsAndKeepTheRest)
{
    ConfigModel model;
    model.setMeterImage(QByteArray(kMeterImageSize, '\x07'));
    model.setMeterImage(QByteArray::fromHex("0102"));
    EXPECT_EQ(model.meterImage(), QByteArray::fromHex("0102") + QByteArray(14, '\x07'));
    model.setCompressorImage(QByteArray(5000, '\x01'));
    EXPECT_EQ(model.compressorImage(), QByteArray(kCompressorImageSize, '\x01'));
}

} // namespace
} // namespace tarn
