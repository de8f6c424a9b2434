#include "surface/form/FittedText.h"

#include <algorithm>

namespace velmora {

namespace {

constexpr int kSizeStep = 4;
constexpr std::string_view kEllipsis = "…";

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t blank = std::min(text.find_first_of(" \n\t", start), text.size());
    if (blank > start) {
      words.emplace_back(text.substr(start, blank - start));
    }
    start = blank + 1;
  }
  return words;
}

// Greedy: each line takes words while they fit; a word wider than the box has a line alone.
std::vector<std::string> Wrap(const std::vector<std::string>& words, int width, int size,
                              const TextMeasure& measure) {
  std::vector<std::string> lines;
  for (const std::string& word : words) {
    if (!lines.empty() && measure.width(lines.back() + " " + word, size) <= width) {
      lines.back() += " " + word;
    } else {
      lines.push_back(word);
    }
  }
  return lines;
}

bool AllFit(const std::vector<std::string>& lines, int width, int size,
            const TextMeasure& measure) {
  return std::all_of(lines.begin(), lines.end(),
                     [&](const std::string& line) { return measure.width(line, size) <= width; });
}

// Whole characters come off the end until the line and its ellipsis fit.
std::string Elided(std::string line, int width, int size, const TextMeasure& measure) {
  while (!line.empty() && measure.width(line + std::string(kEllipsis), size) > width) {
    while (!line.empty()) {
      const auto byte = static_cast<unsigned char>(line.back());
      line.pop_back();
      if ((byte & 0xC0) != 0x80) {
        break;
      }
    }
  }
  while (!line.empty() && line.back() == ' ') {
    line.pop_back();
  }
  return line + std::string(kEllipsis);
}

}  // namespace

FittedText FitText(std::string_view text, int width, int height, int largest, int least,
                   const TextMeasure& measure) {
  const std::vector<std::string> words = Words(text);
  for (int size = largest;; size = std::max(size - kSizeStep, least)) {
    std::vector<std::string> lines = Wrap(words, width, size, measure);
    const std::size_t room =
        static_cast<std::size_t>(std::max(1, height / std::max(1, measure.lineHeight(size))));
    if (lines.size() <= room && AllFit(lines, width, size, measure)) {
      return {size, std::move(lines)};
    }
    if (size == least) {
      std::vector<std::string> kept(lines.begin(), lines.begin() + std::min(room, lines.size()));
      for (std::size_t rest = room; rest < lines.size(); ++rest) {
        kept.back() += " " + lines[rest];
      }
      for (std::string& line : kept) {
        if (measure.width(line, size) > width) {
          line = Elided(std::move(line), width, size, measure);
        }
      }
      return {size, std::move(kept)};
    }
  }
}

}  // namespace velmora
