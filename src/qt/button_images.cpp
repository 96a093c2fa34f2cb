#include "qt/button_images.h"

#include <QIcon>
#include <algorithm>
#include <array>

#include "support/enum_table.h"

// The images are in a static library; its resources need starting.
static void InitEditorResources() { Q_INIT_RESOURCE(folioteer); }

namespace folioteer {
namespace {

struct ImageRow {
  ButtonImage image;
  const char* themeName;
  const char* bundled;
};

// The theme names of data/README.md.
// clang-format off
constexpr ImageRow kImages[] = {
    {ButtonImage::Add,       "list-add",                 "add.svg"},
    {ButtonImage::Edit,      "document-edit",            "edit.svg"},
    {ButtonImage::Delete,    "edit-delete",              "delete.svg"},
    {ButtonImage::Up,        "go-up",                    "up.svg"},
    {ButtonImage::Down,      "go-down",                  "down.svg"},
    {ButtonImage::NewNode,   "document-new",             "new-node.svg"},
    {ButtonImage::Show,      "document-print-preview",   "show.svg"},
    {ButtonImage::Attribute, "format-text-color",        "attribute.svg"},
    {ButtonImage::Link,      "insert-link",              "link.svg"},
    {ButtonImage::Revert,    "document-revert",          "revert.svg"},
    {ButtonImage::Next,      "go-next",                  "next.svg"},
    {ButtonImage::Previous,  "go-previous",              "previous.svg"},
    {ButtonImage::Warning,   "dialog-warning",           "warning.svg"},
    {ButtonImage::Font,      "preferences-desktop-font", "font.svg"},
};
// clang-format on
static_assert(RowsFollowEnum(kImages, &ImageRow::image, kNumButtonImages));

const ImageRow& Row(ButtonImage image) { return kImages[static_cast<int>(image)]; }

}  // namespace

QString ThemeName(ButtonImage image) { return QString::fromLatin1(Row(image).themeName); }
QString BundledFile(ButtonImage image) { return QStringLiteral(":/buttons/") + Row(image).bundled; }
QIcon BundledIcon(ButtonImage image) { return QIcon(BundledFile(image)); }

std::vector<QIcon> RowIcons(std::initializer_list<ButtonImage> row) {
  bool themeHasAll = std::all_of(row.begin(), row.end(),
                                 [](ButtonImage image) { return QIcon::hasThemeIcon(ThemeName(image)); });
  std::vector<QIcon> icons;
  for (ButtonImage image : row)
    icons.push_back(themeHasAll ? QIcon::fromTheme(ThemeName(image), BundledIcon(image))
                                : BundledIcon(image));
  return icons;
}

QIcon ProgramIcon() {
  QIcon bundled(QStringLiteral(":/icons/folioteer.svg"));
  for (int size : {16, 24, 32, 48}) bundled.addFile(QStringLiteral(":/icons/folioteer-%1.png").arg(size));
  return QIcon::fromTheme(QStringLiteral("folioteer"), bundled);
}

void InitButtonImages() {
  static const bool done = [] {
    InitEditorResources();
    return true;
  }();
  (void)done;
}

}  // namespace folioteer
