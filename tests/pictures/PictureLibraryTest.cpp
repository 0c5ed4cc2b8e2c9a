#include "pictures/PictureLibrary.h"

#include "ResourceDll.h"
#include "pictures/PeResourceReader.h"
#include "support/TempAppDir.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QRandomGenerator>
#include <QSvgRenderer>
#include <QtEndian>
#include <gtest/gtest.h>

using pictures::PeResourceReader;
using pictures::PictureLibrary;

namespace {

QImage filled(QImage::Format format, QColor color) {
    QImage image(4, 3, format);
    if (format == QImage::Format_Indexed8) {
        // The chosen entry is not the first, so a misplaced colour table shows.
        image.setColorTable({qRgb(0, 0, 0), qRgb(1, 1, 1), color.rgb()});
        image.fill(2);
    } else {
        image.fill(color);
    }
    return image;
}

const QList<NamedBitmap> bitmaps = {{"n_home", filled(QImage::Format_RGB32, Qt::red)},
                                    {"n_home_d", filled(QImage::Format_Indexed8, Qt::blue)}};

QColor colorOf(const QPixmap& picture) {
    return picture.toImage().pixelColor(1, 1);
}

QByteArray patched(QByteArray bytes, qsizetype offset, quint32 value) {
    qToLittleEndian(value, bytes.data() + offset);
    return bytes;
}

} // namespace

class PictureLibraryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { dll_ = buildResourceDll(bitmaps, PeKind::Pe32Plus); }
    void SetUp() override { ASSERT_FALSE(dll_.isEmpty()); }

    QPixmap loadWith(const QByteArray& dll, const QString& name) {
        QFile file(dir.file("lang.dll"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(dll);
        file.close();
        return library.load(name);
    }

    static inline QByteArray dll_;
    TempAppDir dir;
    PictureLibrary library{dir.path()};
};

TEST_F(PictureLibraryTest, LibraryBitmapsComeFirstByNameWithoutRegardToCase) {
    EXPECT_EQ(colorOf(loadWith(dll_, "n_home")), QColor(Qt::red));
    EXPECT_EQ(library.load("n_home").size(), QSize(4, 3));
    EXPECT_EQ(colorOf(library.load("N_Home_D")), QColor(Qt::blue));

    const QByteArray pe32 = buildResourceDll(bitmaps, PeKind::Pe32);
    EXPECT_EQ(colorOf(loadWith(pe32, "n_home_d")), QColor(Qt::blue));
}

// A window's pictures come from one reading of the file.
TEST_F(PictureLibraryTest, ContentsServeManyPicturesFromOneReading) {
    loadWith(dll_, "n_home");
    const PictureLibrary::Contents contents = library.read();
    ASSERT_TRUE(QFile::remove(dir.file("lang.dll")));
    EXPECT_EQ(colorOf(contents.load("n_home")), QColor(Qt::red));
    EXPECT_EQ(colorOf(contents.load("n_home_d")), QColor(Qt::blue));
    EXPECT_EQ(library.load("n_home").size(), QSize(96, 22)) << "a new reading sees the change";
}

TEST_F(PictureLibraryTest, DesignPicturesServeWhatTheLibraryLacksOrCannotGive) {
    const QPixmap design = library.load("n_home");
    EXPECT_EQ(design.size(), QSize(96, 22));
    EXPECT_EQ(loadWith(dll_, "m_home").size(), QSize(96, 72));
    EXPECT_TRUE(library.load("no_such_picture").isNull());
    EXPECT_EQ(loadWith(dll_.left(dll_.size() / 2), "n_home").toImage(), design.toImage());
    EXPECT_EQ(loadWith("MZ", "n_home").toImage(), design.toImage());
}

// Damage anywhere must never make the reader read outside the file or return a part.
TEST_F(PictureLibraryTest, DamagedLibrariesAreReadSafely) {
    const QByteArray whole = PeResourceReader(dll_).bitmap("n_home");
    ASSERT_FALSE(whole.isEmpty());
    for (qsizetype length = 0; length < dll_.size(); ++length) {
        const QByteArray part = PeResourceReader(dll_.left(length)).bitmap("n_home");
        EXPECT_TRUE(part.isEmpty() || part == whole) << length;
    }
    QRandomGenerator random(7);
    for (int round = 0; round < 2000; ++round) {
        QByteArray damaged = dll_;
        for (int i = random.bounded(1, 8); i > 0; --i)
            damaged[random.bounded(int(damaged.size()))] = char(random.bounded(256));
        PeResourceReader(damaged).bitmap("n_home_d");
    }
}

TEST_F(PictureLibraryTest, HeadersPointingAstrayHoldNothing) {
    const qsizetype pe = qFromLittleEndian<quint32>(dll_.constData() + 0x3C);
    const qsizetype section = dll_.indexOf(QByteArray(".rsrc\0\0\0", 8));
    ASSERT_GT(section, 0);
    const qsizetype resources = qFromLittleEndian<quint32>(dll_.constData() + section + 20);
    const QByteArray cases[] = {
        patched(dll_, 0x3C, 0xFFFFFFF0),            // PE header outside the file
        patched(dll_, section + 20, 0xFFFFFF00),    // section data outside the file
        patched(dll_, pe + 24 + 112 + 16, 0),       // no resource directory
        patched(dll_, resources + 20, 0x80000000)}; // the type entry leads back to the root
    for (const QByteArray& bytes : cases)
        EXPECT_TRUE(PeResourceReader(bytes).bitmap("n_home").isEmpty());
}

// An installed program finds the library in a read-only folder; one in the data directory
// comes first.
TEST_F(PictureLibraryTest, LibraryIsLookedUpAmongTheProgramsFiles) {
    TempAppDir installed;
    QFile file(installed.file("lang.dll"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(dll_);
    file.close();
    const PictureLibrary lookedUp(store::AppFiles(dir.path(), {installed.path()}));
    EXPECT_EQ(colorOf(lookedUp.load("n_home")), QColor(Qt::red));

    const QByteArray ownCopy =
        buildResourceDll({{"n_home", filled(QImage::Format_RGB32, Qt::green)}}, PeKind::Pe32Plus);
    EXPECT_EQ(colorOf(loadWith(ownCopy, "n_home")), QColor(Qt::green));
    EXPECT_EQ(colorOf(lookedUp.load("n_home")), QColor(Qt::green));
}

// Also run with QT_SCALE_FACTOR=2 (tests/ui/CMakeLists.txt).
TEST(DesignPictureScale, IsDrawnAtTheScreensPixelDensityInItsDesignSize) {
    TempAppDir empty;
    const pictures::PictureLibrary library(empty.path());
    const QPixmap tab = library.load("n_home");
    const qreal ratio = qApp->devicePixelRatio();
    EXPECT_EQ(tab.devicePixelRatio(), ratio);
    EXPECT_EQ(tab.deviceIndependentSize().toSize(), QSize(96, 22));
    EXPECT_EQ(tab.size(), (QSizeF(96, 22) * ratio).toSize());

    // The whole design is in the picture, not a magnified corner of it.
    QImage design(96, 22, QImage::Format_ARGB32_Premultiplied);
    design.fill(Qt::transparent);
    QPainter painter(&design);
    QSvgRenderer(QStringLiteral(":/pictures/n_home.svg")).render(&painter);
    painter.end();
    const QImage shrunk = tab.toImage()
                              .scaled(96, 22, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                              .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    qint64 difference = 0;
    for (int y = 0; y < 22; ++y)
        for (int x = 0; x < 96; ++x)
            difference += qAbs(qGray(shrunk.pixel(x, y)) - qGray(design.pixel(x, y)));
    EXPECT_LT(difference / (96 * 22), 12);
}
