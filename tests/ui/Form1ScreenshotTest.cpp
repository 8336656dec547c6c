#include "FormFixture.h"

#include <QDir>
#include <QPixmap>

namespace tarn::test {
namespace {

// Renders every tab with the example folder into $TARN_SCREENSHOT_DIR, for the documentation;
// without that variable there is nothing to write.
TEST_F(FormTest, WritesScreenshotsOfEveryTab)
{
    const QString target = qEnvironmentVariable("TARN_SCREENSHOT_DIR");
    if (target.isEmpty())
        GTEST_SKIP() << "TARN_SCREENSHOT_DIR is not set";
    ASSERT_TRUE(QDir().mkpath(target));

    folder.copyExample();
    open(folder.path());
    ASSERT_TRUE(started);
    select(form->crossPointGrid(0), 3, 2, 5, 2);
    clickEntry(0, {"Desk faders", "Desk A", "Fader 2"});
    const char* const files[] = {"aes3-mix.png", "ip-mix.png", "dc-loops.png", "meters.png",
                                 "compressor.png"};
    for (int tab = 0; tab < 5; ++tab) {
        showTab(tab);
        const QString path = QDir(target).filePath(QLatin1String(files[tab]));
        EXPECT_TRUE(form->grab().save(path)) << path.toStdString();
    }
}

} // namespace
} // namespace tarn::test
