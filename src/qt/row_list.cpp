#include "qt/row_list.h"

#include <QMouseEvent>
#include <algorithm>

namespace folioteer {

QString ShownRowText(std::string_view bytes, const GuideTextCodec& codec) {
  bool cut = false;
  // Enough bytes for the characters shown, whatever their width.
  constexpr size_t kBytesLooked = static_cast<size_t>(kShownRowLength) * 4;
  if (bytes.size() > kBytesLooked) {
    bytes = bytes.substr(0, kBytesLooked);
    cut = true;
  }
  QString text = codec.Decode(bytes);
  if (text.size() > kShownRowLength) {
    text.truncate(kShownRowLength);
    cut = true;
  }
  QString shown;
  shown.reserve(text.size() + 8);
  for (QChar ch : text) {
    if (IsByteMark(ch))
      shown += QStringLiteral("<%1>").arg(MarkHex(ch));
    else if (ch == u'\t')
      shown += u' ';
    else
      shown += ch;
  }
  if (cut) shown += QChar(0x2026);
  return shown;
}

// ---------------------------------------------------------------------------
// RowModel

int RowModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant RowModel::data(const QModelIndex& index, int role) const {
  const std::string* row = Row(index.row());
  if (row == nullptr || role != Qt::DisplayRole) return {};
  return ShownRowText(*row, codec_);
}

void RowModel::SetCodec(const GuideTextCodec& codec) {
  codec_ = codec;
  if (!rows_.empty()) emit dataChanged(index(0), index(static_cast<int>(rows_.size()) - 1));
}

void RowModel::SetRows(std::vector<std::string> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

void RowModel::InsertRow(int position, std::string_view text) {
  int count = static_cast<int>(rows_.size());
  if (position < 0 || position > count) position = count;
  beginInsertRows({}, position, position);
  rows_.insert(rows_.begin() + position, std::string(text));
  endInsertRows();
}

void RowModel::RemoveRow(int position) {
  if (Row(position) == nullptr) return;
  beginRemoveRows({}, position, position);
  rows_.erase(rows_.begin() + position);
  endRemoveRows();
}

void RowModel::ReplaceRow(int position, std::string_view text) {
  if (Row(position) == nullptr) return;
  rows_[position] = text;
  emit dataChanged(index(position), index(position));
}

void RowModel::SwapRows(int first, int second) {
  if (Row(first) == nullptr || Row(second) == nullptr) return;
  std::swap(rows_[first], rows_[second]);
  emit dataChanged(index(std::min(first, second)), index(std::max(first, second)));
}

const std::string* RowModel::Row(int position) const {
  return position >= 0 && position < static_cast<int>(rows_.size()) ? &rows_[position] : nullptr;
}

// ---------------------------------------------------------------------------
// RowList

RowList::RowList(QWidget* parent) : QListView(parent) {
  setModel(&model_);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setUniformItemSizes(true);
  setTextElideMode(Qt::ElideRight);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

template <typename Change>
void RowList::Quietly(Change change) {
  ++programChanges_;
  change();
  --programChanges_;
}

void RowList::SetCodec(const GuideTextCodec& codec) {
  Quietly([&] { model_.SetCodec(codec); });
}
void RowList::SetRows(std::vector<std::string> rows) {
  Quietly([&] { model_.SetRows(std::move(rows)); });
}
void RowList::InsertRow(int position, std::string_view text) {
  Quietly([&] { model_.InsertRow(position, text); });
}
// A removed selected row leaves none selected (the selection model would
// pass it on to a neighbour).
void RowList::RemoveRow(int position) {
  Quietly([&] {
    bool selected = SelectedRow() == position;
    model_.RemoveRow(position);
    if (selected) selectionModel()->clear();
  });
}
void RowList::ReplaceRow(int position, std::string_view text) {
  Quietly([&] { model_.ReplaceRow(position, text); });
}
void RowList::SwapRows(int first, int second) {
  Quietly([&] { model_.SwapRows(first, second); });
}

void RowList::SelectRow(int position) {
  Quietly([&] {
    if (position >= 0 && position < RowCount()) {
      QModelIndex index = model_.index(position);
      selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
      scrollTo(index);
    } else {
      selectionModel()->clear();
    }
  });
}

int RowList::SelectedRow() const {
  QModelIndexList selected = selectionModel()->selectedIndexes();
  return selected.isEmpty() ? -1 : selected.first().row();
}

std::string RowList::RowText(int position) const {
  const std::string* row = model_.Row(position);
  return row != nullptr ? *row : std::string();
}

void RowList::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
  QListView::selectionChanged(selected, deselected);
  if (programChanges_ > 0 || selected.isEmpty()) return;
  chosenInPress_ = true;
  emit Chosen();
}

// A click on the row that is selected already changes no selection, but is
// the user's choice all the same.
void RowList::mousePressEvent(QMouseEvent* event) {
  chosenInPress_ = false;
  QListView::mousePressEvent(event);
  if (!chosenInPress_ && event->button() == Qt::LeftButton &&
      indexAt(event->position().toPoint()).isValid() &&
      SelectedRow() == indexAt(event->position().toPoint()).row())
    emit Chosen();
}

void RowList::mouseDoubleClickEvent(QMouseEvent* event) {
  QListView::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid())
    emit DoubleClicked();
}

}  // namespace folioteer
