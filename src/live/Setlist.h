#pragma once

// A setlist: the ordered sounds of a gig, each a preset file or one of the amplifier's
// stored presets. It keeps every line of the file it came from, comments and blank lines
// included, so that saving it again changes only the lines that were edited.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

struct SetlistItem {
  // A preset file when file is not empty; otherwise a stored preset of group ("USER" or
  // "FACTORY") and key ("1A" .. "16D").
  std::filesystem::path file;  // absolute
  std::string group;
  std::string key;
  std::string label;  // as given after the tab; empty when none was

  bool IsFile() const { return !file.empty(); }
  // The label given, else the file's stem or "USER 3B".
  std::string ShownLabel() const;
};

class Setlist {
 public:
  // One line of the file: its bytes without the line ending, and the item it holds.
  struct Line {
    std::string text;
    std::string ending;  // "\n", "\r\n", or empty for a last line without one
    std::optional<SetlistItem> item;
    bool edited = false;  // written anew from item on the next save
  };

  Setlist() = default;
  Setlist(std::filesystem::path folder, std::vector<Line> lines, bool byteOrderMark);

  std::size_t Count() const { return itemLines_.size(); }
  // index from 0 to Count() - 1.
  const SetlistItem& Item(std::size_t index) const;

  // The folder relative file paths are read from and written to.
  const std::filesystem::path& Folder() const { return folder_; }
  const std::vector<Line>& Lines() const { return lines_; }
  bool ByteOrderMark() const { return byteOrderMark_; }

  // The editing of the setlist pane: an item put before index (Count() appends), removed,
  // or swapped with its neighbour (delta -1 or +1; nothing past the ends).
  void Insert(std::size_t index, SetlistItem item);
  void Remove(std::size_t index);
  void Move(std::size_t index, int delta);

  // After a save elsewhere: relative paths are written from the new folder, so every file
  // line is written anew.
  void MoveTo(std::filesystem::path folder);

 private:
  void IndexItems();

  std::filesystem::path folder_;
  std::vector<Line> lines_;
  std::vector<std::size_t> itemLines_;
  bool byteOrderMark_ = false;
};

}  // namespace velmora
