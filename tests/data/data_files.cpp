// The files under data/ as Qt reads them: the AmigaGuide file type in the MIME
// database, the images carried in the programs' resources, and the icon theme
// tree with every icon the desktop entries and the file type ask for.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QMimeDatabase>
#include <QPixmap>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>

namespace {

const QString kDataDir = QStringLiteral(FOLIOTEER_SOURCE_DIR "/data");
const QString kGuideType = QStringLiteral("text/x-amigaguide");

bool CanDrawSvg() { return QImageReader::supportedImageFormats().contains("svg"); }

const char* const kNoSvg = "Qt's SVG plugins are missing (Debian package libqt6svg6)";

// Share of the pixels that are not fully transparent: a drawn image has some,
// and an image that is not all background.
double CoveredShare(const QImage& image) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  qsizetype covered = 0;
  for (int y = 0; y < argb.height(); ++y)
    for (int x = 0; x < argb.width(); ++x) covered += qAlpha(argb.pixel(x, y)) > 0;
  return double(covered) / double(argb.width() * argb.height());
}

// The values of one key of a desktop entry ("MimeType=a;b;" gives a and b).
QStringList DesktopEntryValues(const QString& entryFile, const QString& key) {
  QFile file(kDataDir + "/" + entryFile);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
  const QString prefix = key + "=";
  for (const QString& line : QString::fromUtf8(file.readAll()).split('\n'))
    if (line.startsWith(prefix)) return line.mid(prefix.size()).split(';', Qt::SkipEmptyParts);
  return {};
}

// ---- the file type -------------------------------------------------------------

struct FileCase {
  const char* name;
  const char* content;
  const char* type;
};

TEST(GuideFileType, IsKnownByItsNameInAnyCaseAndByTheDatabaseCommandAtTheStart) {
  const FileCase cases[] = {
      {"Notes.guide", "@database \"Notes.guide\"\n@node MAIN\n", "text/x-amigaguide"},
      {"NOTES.GUIDE", "Not a guide inside, but named as one\n", "text/x-amigaguide"},
      {"Tour.Guide", "@node MAIN\n@endnode\n", "text/x-amigaguide"},
      {"manual", "@database \"manual\"\n", "text/x-amigaguide"},
      {"manual", "@DATABASE manual\n", "text/x-amigaguide"},
      {"manual", "@DataBase \"manual\"\n", "text/x-amigaguide"},
      {"manual", "Some notes on the @database command\n", "text/plain"},
      {"manual", "@databank\n", "text/plain"},
      {"manual", " @database\n", "text/plain"},
      {"guide", "Plain words\n", "text/plain"},
      {"notes.guide.txt", "Plain words\n", "text/plain"},
  };
  QMimeDatabase mimeDatabase;
  for (const FileCase& fileCase : cases) {
    SCOPED_TRACE(std::string(fileCase.name) + ": " + fileCase.content);
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile file(folder.filePath(fileCase.name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(fileCase.content);
    file.close();
    EXPECT_EQ(mimeDatabase.mimeTypeForFile(file.fileName()).name().toStdString(), fileCase.type);
  }
}

TEST(GuideFileType, IsPlainTextThatEveryDesktopEntryOpens) {
  const QMimeType guide = QMimeDatabase().mimeTypeForName(kGuideType);
  ASSERT_TRUE(guide.isValid());
  EXPECT_TRUE(guide.inherits("text/plain"));
  EXPECT_EQ(guide.comment(), "AmigaGuide document");
  for (const char* entry : {"folioteer.desktop", "folioview.desktop"}) {
    SCOPED_TRACE(entry);
    EXPECT_EQ(DesktopEntryValues(entry, "MimeType"), QStringList{kGuideType});
  }
}

// ---- the icon theme tree -------------------------------------------------------

TEST(IconTheme, HoldsEveryIconTheDesktopAsksForAtEverySize) {
  QStringList icons;  // context/name, as the tree files them
  for (const char* entry : {"folioteer.desktop", "folioview.desktop"})
    for (const QString& name : DesktopEntryValues(entry, "Icon")) icons << "apps/" + name;
  icons << "mimetypes/" + QMimeDatabase().mimeTypeForName(kGuideType).iconName();
  ASSERT_EQ(icons.size(), 3);

  const QString tree = kDataDir + "/icons/hicolor/";
  for (const QString& icon : icons) {
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
      const QString file = tree + QString("%1x%1/").arg(size) + icon + ".png";
      SCOPED_TRACE(file.toStdString());
      const QImage image(file);
      ASSERT_FALSE(image.isNull());
      EXPECT_EQ(image.size(), QSize(size, size));
      EXPECT_TRUE(image.hasAlphaChannel());
      EXPECT_GT(CoveredShare(image), 0.4);
    }
    const QString scalable = tree + "scalable/" + icon + ".svg";
    SCOPED_TRACE(scalable.toStdString());
    ASSERT_TRUE(QFile::exists(scalable));
    if (CanDrawSvg()) {
      EXPECT_GT(CoveredShare(QImage(scalable)), 0.4);
    }
  }
}

// ---- the images in the programs' resources -------------------------------------

// The names later code asks for: the button images and the window icons.
const char* const kButtonImages[] = {
    "add",  "edit",     "delete", "up",   "down",  "new-node", "show",    "link",      "revert",
    "next", "previous", "font",   "help", "index", "contents", "retrace", "attribute", "warning",
};

TEST(BundledImages, HoldExactlyTheButtonImagesAndWindowIcons) {
  QStringList expected;
  for (const char* name : kButtonImages) expected << QString(name) + ".svg";
  QStringList buttons = QDir(":/buttons").entryList();
  buttons.sort();
  expected.sort();
  EXPECT_EQ(buttons, expected);

  QStringList windowIcons = QDir(":/icons").entryList();
  windowIcons.sort();
  EXPECT_EQ(windowIcons,
            QStringList({"folioteer-16.png", "folioteer-24.png", "folioteer-32.png", "folioteer-48.png",
                         "folioteer.svg", "folioview-16.png", "folioview-24.png", "folioview-32.png",
                         "folioview-48.png", "folioview.svg"}));
}

TEST(BundledImages, EveryButtonImageIsDrawnAtSingleAndDoubleScale) {
  if (!CanDrawSvg()) GTEST_SKIP() << kNoSvg;
  for (const char* name : kButtonImages) {
    const QIcon icon(QString(":/buttons/%1.svg").arg(name));
    for (qreal scale : {1.0, 2.0}) {
      SCOPED_TRACE(std::string(name) + " at scale " + std::to_string(int(scale)));
      const QPixmap pixmap = icon.pixmap(QSize(24, 24), scale);
      ASSERT_FALSE(pixmap.isNull());
      // Drawn at the screen's own pixel size, not a 24-pixel image blown up.
      EXPECT_EQ(pixmap.size(), QSize(24, 24) * scale);
      const double covered = CoveredShare(pixmap.toImage());
      EXPECT_GT(covered, 0.05);
      EXPECT_LT(covered, 0.9);
    }
  }
}

TEST(BundledImages, WindowIconsCoverEverySizeFromTheirFiles) {
  if (!CanDrawSvg()) GTEST_SKIP() << kNoSvg;
  for (const char* program : {"folioteer", "folioview"}) {
    QIcon icon;
    icon.addFile(QString(":/icons/%1.svg").arg(program));
    for (int size : {16, 24, 32, 48}) icon.addFile(QString(":/icons/%1-%2.png").arg(program).arg(size));
    for (int size : {16, 22, 24, 32, 48, 96}) {
      SCOPED_TRACE(std::string(program) + " at " + std::to_string(size));
      const QPixmap pixmap = icon.pixmap(QSize(size, size));
      ASSERT_FALSE(pixmap.isNull());
      EXPECT_EQ(pixmap.size(), QSize(size, size));
      EXPECT_GT(CoveredShare(pixmap.toImage()), 0.4);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  // The file type is read from data/ alone, beside the system's database;
  // types of the user's own must not change what the tests see.
  QTemporaryDir xdgData;
  QTemporaryDir xdgHome;
  QDir(xdgData.path()).mkpath("mime/packages");
  QFile::copy(kDataDir + "/folioteer.xml", xdgData.filePath("mime/packages/folioteer.xml"));
  qputenv("XDG_DATA_DIRS", (xdgData.path() + ":/usr/local/share:/usr/share").toLocal8Bit());
  qputenv("XDG_DATA_HOME", xdgHome.path().toLocal8Bit());
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

  QGuiApplication application(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
