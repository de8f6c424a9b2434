#include "live/Setlist.h"

#include <utility>

namespace velmora {

std::string SetlistItem::ShownLabel() const {
  if (!label.empty()) {
    return label;
  }
  if (IsFile()) {
    const std::u8string stem = file.stem().u8string();
    return std::string(stem.begin(), stem.end());
  }
  return group + " " + key;
}

Setlist::Setlist(std::filesystem::path folder, std::vector<Line> lines, bool byteOrderMark)
    : folder_(std::move(folder)), lines_(std::move(lines)), byteOrderMark_(byteOrderMark) {
  IndexItems();
}

const SetlistItem& Setlist::Item(std::size_t index) const {
  return *lines_.at(itemLines_.at(index)).item;
}

void Setlist::Insert(std::size_t index, SetlistItem item) {
  item.file = item.file.lexically_normal();
  const std::size_t at = index < itemLines_.size() ? itemLines_[index] : lines_.size();
  const std::string ending = lines_.empty() ? "\n" : lines_.front().ending;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                Line{{}, ending.empty() ? "\n" : ending, std::move(item), true});
  IndexItems();
}

void Setlist::Remove(std::size_t index) {
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(itemLines_.at(index)));
  IndexItems();
}

// Only the two items trade places; the comments between them stay where they are.
void Setlist::Move(std::size_t index, int delta) {
  const std::size_t other = index + static_cast<std::size_t>(static_cast<std::ptrdiff_t>(delta));
  if ((delta != -1 && delta != 1) || index >= itemLines_.size() || other >= itemLines_.size()) {
    return;
  }
  Line& first = lines_[itemLines_[index]];
  Line& second = lines_[itemLines_[other]];
  std::swap(first.text, second.text);
  std::swap(first.item, second.item);
  std::swap(first.edited, second.edited);
}

void Setlist::MoveTo(std::filesystem::path folder) {
  if (folder == folder_) {
    return;
  }
  folder_ = std::move(folder);
  for (Line& line : lines_) {
    line.edited = line.edited || (line.item && line.item->IsFile());
  }
}

void Setlist::IndexItems() {
  itemLines_.clear();
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].item) {
      itemLines_.push_back(i);
    }
  }
}

}  // namespace velmora
