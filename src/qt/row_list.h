// A list of rows as the editor's windows show them: the global commands, the
// nodes, the node-local commands, the misspelled words.
//
// The rows are the program's bytes, kept as they are (RowText gives them
// back unchanged) and decoded only when a row is drawn, in the guide's
// character set, with control bytes shown as their value in hex and a row
// longer than kShownRowLength characters cut short on screen; so a list of
// 20,000 rows fills in one step without decoding them all.
//
// Only the user's actions are reported: Chosen when the user selects a row
// or clicks the selected one (mouse or keyboard), DoubleClicked after the
// click of a double click. What the program does (SetRows, SelectRow, ...)
// reports nothing; a removed selected row leaves no row selected.
#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <string>
#include <string_view>
#include <vector>

#include "qt/guide_text.h"

namespace folioteer {

inline constexpr qsizetype kShownRowLength = 400;

// A row's bytes as one line of text to show.
QString ShownRowText(std::string_view bytes, const GuideTextCodec& codec);

class RowModel : public QAbstractListModel {
  Q_OBJECT

 public:
  using QAbstractListModel::QAbstractListModel;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  void SetCodec(const GuideTextCodec& codec);
  void SetRows(std::vector<std::string> rows);
  void InsertRow(int position, std::string_view text);
  void RemoveRow(int position);
  void ReplaceRow(int position, std::string_view text);
  void SwapRows(int first, int second);
  const std::string* Row(int position) const;

 private:
  std::vector<std::string> rows_;
  GuideTextCodec codec_;
};

class RowList : public QListView {
  Q_OBJECT

 public:
  explicit RowList(QWidget* parent = nullptr);

  // The program's changes, each reported to no one.
  void SetCodec(const GuideTextCodec& codec);
  void SetRows(std::vector<std::string> rows);
  void InsertRow(int position, std::string_view text);
  void RemoveRow(int position);
  void ReplaceRow(int position, std::string_view text);
  void SwapRows(int first, int second);
  int RowCount() const { return model_.rowCount(); }
  // -1: none.
  void SelectRow(int position);
  int SelectedRow() const;
  std::string RowText(int position) const;

 signals:
  void Chosen();
  void DoubleClicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

 private:
  template <typename Change>
  void Quietly(Change change);

  RowModel model_;
  int programChanges_ = 0;  // above 0 while the program changes the selection
  bool chosenInPress_ = false;
};

}  // namespace folioteer
