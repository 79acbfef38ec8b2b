// The photo window over a double of the computer's cameras: the devices it lists, connecting and
// disconnecting, the picture formats, and the photo it writes, or does not write and says so.
#include "views/RecordWindowsTest.h"

#include "clinical/Camera.h"
#include "clinical/PatientFormRules.h"
#include "platform/CaptureDevices.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMessageBox>
#include <QTreeWidget>

#include <gmock/gmock.h>

#include <optional>

namespace nidora::clinical {
namespace {

struct FakeCameras;

class FakeConnection final : public platform::CaptureConnection {
public:
    explicit FakeConnection(FakeCameras& cameras);
    ~FakeConnection() override;

    void deliver(const QImage& picture)
    {
        picture_ = picture;
        if (changed_)
            changed_();
    }

    QImage picture() const override { return picture_; }
    void onPicture(std::function<void()> changed) override { changed_ = std::move(changed); }
    QStringList formats() const override;
    int currentFormat() const override { return 0; }
    void setFormat(int index) override;

private:
    FakeCameras& cameras_;
    QImage picture_;
    std::function<void()> changed_;
};

struct FakeCameras final : platform::CaptureDevices {
    QStringList names() const override { return devices; }
    std::unique_ptr<platform::CaptureConnection> connect(int index) override
    {
        connectedIndex = index;
        auto made = std::make_unique<FakeConnection>(*this);
        live = made.get();
        return made;
    }

    QStringList devices;
    QStringList formats;
    int connectedIndex = -1;
    int formatChosen = -1;
    FakeConnection* live = nullptr;
};

FakeConnection::FakeConnection(FakeCameras& cameras)
    : cameras_(cameras)
{
}
FakeConnection::~FakeConnection()
{
    cameras_.live = nullptr;
}
QStringList FakeConnection::formats() const
{
    return cameras_.formats;
}
void FakeConnection::setFormat(int index)
{
    cameras_.formatChosen = index;
}

QImage testPicture()
{
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(QColor(20, 120, 200));
    return picture;
}

class CameraTest : public views::test::RecordWindowsTest {
protected:
    CameraTest() { cameras.devices = { QStringLiteral("Cámara integrada"), QStringLiteral("Cámara USB") }; }

    void open()
    {
        driver.start([this] { written = Camera(photoBaseName(42)); });
        ASSERT_NE(driver.window(QStringLiteral("Captura foto de cámara")), nullptr);
    }
    bool enabled(const char* name) const { return driver.find(QString::fromUtf8(name))->isEnabled(); }
    QTreeWidget* deviceList() const
    {
        return static_cast<QTreeWidget*>(driver.find(QStringLiteral("?LIST1")));
    }
    QString photo() const { return scratch.filePath(QStringLiteral("P000042.jpg")); }

    // "Guardar Imagen" when no photo can be written: the error, and the window closes.
    void saveRefused()
    {
        driver.click(QStringLiteral("?BUTTON1"));
        QMessageBox* box = nullptr;
        ASSERT_TRUE(
            driver.runUntil([&] { return (box = driver.messageBox(QString::fromUtf8(kPhotoNotWritten))); }));
        EXPECT_EQ(box->windowTitle(), QStringLiteral("error"));
        ASSERT_TRUE(driver.answer(QString::fromUtf8(kPhotoNotWritten), QStringLiteral("OK")));
        ASSERT_TRUE(driver.runUntil([this] { return written.has_value(); }));
        EXPECT_FALSE(*written);
    }

    FakeCameras cameras;
    platform::CaptureDeviceService::Override useCameras { cameras };
    std::optional<bool> written;
};

class DevicesListed : public CameraTest, public testing::WithParamInterface<int> { };

TEST_P(DevicesListed, AtMostTenAndTheFirstHighlighted)
{
    cameras.devices.clear();
    for (int n = 1; n <= GetParam(); ++n)
        cameras.devices << QStringLiteral("Cámara %1").arg(n);
    open();
    const int listed = std::min(GetParam(), 10);
    ASSERT_EQ(deviceList()->topLevelItemCount(), listed);
    if (listed > 0) {
        EXPECT_EQ(deviceList()->topLevelItem(0)->text(0), QStringLiteral("Cámara 1"));
        EXPECT_EQ(deviceList()->indexOfTopLevelItem(deviceList()->currentItem()), 0);
    }
    driver.close(QStringLiteral("Captura foto de cámara"));
    ASSERT_TRUE(driver.runUntil([this] { return written.has_value(); }));
}

INSTANTIATE_TEST_SUITE_P(Counts, DevicesListed, testing::Values(0, 2, 11));

TEST_F(CameraTest, ConnectingTakesTheFirstDeviceAndDisconnectingLetsItGo)
{
    open();
    EXPECT_FALSE(enabled("?BUTTON6"));
    EXPECT_FALSE(enabled("?BUTTON5"));
    deviceList()->setCurrentItem(deviceList()->topLevelItem(1));

    driver.click(QStringLiteral("?BUTTON4"));
    EXPECT_EQ(cameras.connectedIndex, 0) << "the first device, whichever row is highlighted";
    ASSERT_NE(cameras.live, nullptr);
    EXPECT_TRUE(enabled("?BUTTON6"));
    EXPECT_TRUE(enabled("?BUTTON5"));

    driver.click(QStringLiteral("?BUTTON6"));
    EXPECT_EQ(cameras.live, nullptr);
    EXPECT_FALSE(enabled("?BUTTON6"));
    EXPECT_FALSE(enabled("?BUTTON5"));
    driver.close(QStringLiteral("Captura foto de cámara"));
    ASSERT_TRUE(driver.runUntil([this] { return written.has_value(); }));
}

TEST_F(CameraTest, ClosingTheWindowDisconnectsAndWritesNothing)
{
    open();
    driver.click(QStringLiteral("?BUTTON4"));
    cameras.live->deliver(testPicture());

    driver.close(QStringLiteral("Captura foto de cámara"));

    ASSERT_TRUE(driver.runUntil([this] { return written.has_value(); }));
    EXPECT_FALSE(*written);
    EXPECT_EQ(cameras.live, nullptr);
    EXPECT_FALSE(QFile::exists(photo()));
}

TEST_F(CameraTest, SavesThePictureShownAsThePatientsPhoto)
{
    open();
    driver.click(QStringLiteral("?BUTTON4"));
    cameras.live->deliver(testPicture());

    driver.click(QStringLiteral("?BUTTON1"));

    ASSERT_TRUE(driver.runUntil([this] { return written.has_value(); }));
    EXPECT_TRUE(*written);
    EXPECT_EQ(cameras.live, nullptr);
    const QImage saved(photo());
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), QSize(64, 48));
}

// Before the camera has shown anything there is no photo to take: an earlier photo of the
// patient stays as it was.
TEST_F(CameraTest, WithNoPictureYetNothingIsWritten)
{
    QFile earlier(photo());
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("foto anterior");
    earlier.close();
    open();
    driver.click(QStringLiteral("?BUTTON4"));

    saveRefused();

    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), QByteArray("foto anterior"));
}

TEST_F(CameraTest, APhotoThatCannotBeWrittenIsReported)
{
    ASSERT_TRUE(QDir(scratch.path()).mkdir(QStringLiteral("P000042.jpg")));
    open();
    driver.click(QStringLiteral("?BUTTON4"));
    cameras.live->deliver(testPicture());

    saveRefused();
}

TEST_F(CameraTest, OptionsChooseAmongTheDevicesPictureFormats)
{
    cameras.formats
        = { QStringLiteral("640 × 480, 30 imágenes/s"), QStringLiteral("1280 × 720, 15 imágenes/s") };
    open();
    driver.click(QStringLiteral("?BUTTON4"));

    driver.click(QStringLiteral("?BUTTON5"));
    QComboBox* formats = nullptr;
    ASSERT_TRUE(driver.runUntil([&] {
        return (formats = static_cast<QComboBox*>(driver.find(QStringLiteral("?Formato")))) != nullptr;
    }));
    EXPECT_EQ(formats->count(), 2);
    formats->setCurrentIndex(1);
    driver.click(QStringLiteral("?Aceptar"));

    EXPECT_TRUE(driver.runUntil([this] { return cameras.formatChosen == 1; }));
    driver.close(QStringLiteral("Captura foto de cámara"));
    ASSERT_TRUE(driver.runUntil([this] { return written.has_value(); }));
}

} // namespace
} // namespace nidora::clinical
