// The scanner behind the station: SANE's own test devices, the fake, the silent device and the
// acquisition of a sheet into Raw.bmp.
#include "SaneFolder.h"
#include "ScannerFake.h"
#include "SheetMaker.h"
#include "TestFolder.h"
#include "platform/ProgramFolder.h"
#include "platform/scanner/ScannerSane.h"
#include "sheets/ImagingControl.h"
#include "sheets/ScanAcquisition.h"

using namespace dvq3;
using namespace std::chrono_literals;

TEST(Scanner, PnmDeviceGivesTheRenderedSheetPixelForPixel) {
    const sheettest::SaneFolder sane;
    const QImage page = sheettest::Blank(false);
    const auto scanner = std::make_shared<ScannerSane>();
    const ScanOutcome outcome =
        AcquirePage(scanner, ScanRequest{"pnm:0", {"filename=" + sane.sheet(page)}}, 30s);
    ASSERT_EQ(outcome.status, ScannerStatus::Good);
    EXPECT_EQ(outcome.page, page);
    // Without a name the first device found is used: the test device, not the file.
    EXPECT_EQ(AcquirePage(scanner, ScanRequest{}, 30s).status, ScannerStatus::Good);
}

TEST(Scanner, NoDeviceAtAllIsNoDataSource) {
    const QTemporaryDir empty; // no backend listed
    qputenv("SANE_CONFIG_DIR", empty.path().toLocal8Bit());
    EXPECT_EQ(AcquirePage(std::make_shared<ScannerSane>(), ScanRequest{}, 30s).status,
              ScannerStatus::NoDevice);
}

TEST(Scanner, ASilentDeviceIsCancelledThenGivenUp) {
    // SANE's test device answering one byte every 0.2 s is silent for longer than allowed.
    const sheettest::SaneFolder sane;
    const auto scanner = std::make_shared<ScannerSane>();
    const ScanRequest slow{
        "test:0",
        {"read-limit=yes", "read-limit-size=1", "read-delay=yes", "read-delay-duration=200000"}};
    EXPECT_EQ(AcquirePage(scanner, slow, 50ms).status, ScannerStatus::Timeout);
    // The device was let go.
    EXPECT_EQ(
        AcquirePage(scanner, ScanRequest{"test:0", {"read-limit=no", "read-delay=no"}}, 30s).status,
        ScannerStatus::Good);

    // A fake that does not even take the cancel is given up too.
    const auto fake = std::make_shared<ScannerFake>();
    fake->givePage(sheettest::Blank(false));
    fake->hang(false);
    EXPECT_EQ(AcquirePage(fake, ScanRequest{}, 50ms, 100ms).status, ScannerStatus::Timeout);
    EXPECT_EQ(fake->cancels(), 1);
    fake->release();
}

// The device and its settings from the [Scanner] section, the rest fixed.
TEST(Scanner, SheetIsAskedInColourAt100DpiOverTheLetterFrame) {
    const dvq3test::TestFolder folder;
    EXPECT_EQ(std::tuple(ReadScannerConfig().device, ReadScannerConfig().quiet),
              std::tuple(QString(), std::chrono::milliseconds(90s)));
    sheettest::WriteScannerIni(
        "Device=fake:2\r\nOptions=filename=/x y/s.ppm; source=ADF ;\r\nTimeout=2.5\r\n");
    EXPECT_EQ(ReadScannerConfig().quiet, 2500ms);
    const auto fake = std::make_shared<ScannerFake>();
    fake->givePage(sheettest::Blank(false));
    ImagingControl lead;
    ASSERT_TRUE(AcquireSheet(lead, fake, false));
    ASSERT_EQ(fake->requests().size(), 1u);
    const ScanRequest asked = fake->requests()[0];
    EXPECT_EQ(asked.options, (QStringList{"filename=/x y/s.ppm", "source=ADF"}));
    EXPECT_EQ(std::tuple(asked.device.toStdString(), asked.colour, asked.bitsPerSample, asked.dpi),
              std::tuple("fake:2", true, 8, 100));
    EXPECT_EQ(asked.frameInches.size(), QSizeF(8.5, 11.0));
    EXPECT_DOUBLE_EQ(asked.frameInches.left(), 1.0 / 1440);
    // Raw.bmp holds the page as scanned, for its user's eyes only.
    ImagingControl raw;
    ASSERT_TRUE(raw.Load(StationFile("Raw.bmp")));
    EXPECT_EQ(dvq3test::TestFolder::Mode(StationFile("Raw.bmp")), 0600);
    EXPECT_EQ(raw.image(), sheettest::Blank(false));
    EXPECT_EQ(AcquireSheet(lead, nullptr, false).error().number(), 20082); // no scanner at all
}
