// The files under data/ as Qt reads them: file type, bundled images, icon theme.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QMimeDatabase>
#include <QPixmap>
#include <QStringList>
#include <QTemporaryDir>

namespace {

const QString kDataDir = QStringLiteral(FOLIOTEER_SOURCE_DIR "/data");
const QString kGuideType = QStringLiteral("text/x-amigaguide");

// The values of one key of a desktop entry ("MimeType=a;b;" gives a and b).
QStringList DesktopEntryValues(const QString& entryFile, const QString& key) {
  QFile file(kDataDir + "/" + entryFile);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
  const QString prefix = key + "=";
  for (const QString& line : QString::fromUtf8(file.readAll()).split('\n'))
    if (line.startsWith(prefix)) return line.mid(prefix.size()).split(';', Qt::SkipEmptyParts);
  return {};
}

struct FileCase {
  const char* name;
  const char* content;
  const char* type;
};

// The name pattern is checked in the installed database (tests/install);
// here the content rule, for files not named *.guide.
TEST(GuideFileType, IsKnownByTheDatabaseCommandAtTheStart) {
  const FileCase cases[] = {
      {"manual", "@DataBase \"manual\"\n", "text/x-amigaguide"},
      {"manual", "Some notes on the @database command\n", "text/plain"},
      {"manual", " @database\n", "text/plain"},
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
  for (const char* entry : {"folioteer.desktop", "folioview.desktop"}) {
    SCOPED_TRACE(entry);
    EXPECT_EQ(DesktopEntryValues(entry, "MimeType"), QStringList{kGuideType});
  }
}

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
      EXPECT_EQ(image.size(), QSize(size, size));
    }
    EXPECT_TRUE(QFile::exists(tree + "scalable/" + icon + ".svg")) << icon.toStdString();
  }
}

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

// Drawn at the screen's own pixel size, not a 24-pixel image blown up.
TEST(BundledImages, EveryButtonImageIsDrawnAtDoubleScale) {
  if (!QImageReader::supportedImageFormats().contains("svg"))
    GTEST_SKIP() << "Qt's SVG plugins are missing (Debian package libqt6svg6)";
  for (const char* name : kButtonImages)
    EXPECT_EQ(QIcon(QString(":/buttons/%1.svg").arg(name)).pixmap(QSize(24, 24), 2.0).size(), QSize(48, 48))
        << name;
}

}  // namespace

int main(int argc, char** argv) {
  // The file type from data/ beside the system's database, never the user's own.
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
