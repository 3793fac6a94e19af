#include "help/HelpBook.h"

#include <algorithm>

namespace vimo {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool IsTopicName(std::string_view name) {
  return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
           return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
         });
}

// "78, 79" as help ids; false for anything else, 0 and numbers past any real id included.
bool ParseIds(std::string_view text, std::vector<int>& ids) {
  ids.clear();
  while (true) {
    std::size_t comma = text.find(',');
    std::string_view part = Trim(text.substr(0, comma));
    if (part.empty() || part.size() > 9) return false;
    int id = 0;
    for (char c : part) {
      if (c < '0' || c > '9') return false;
      id = id * 10 + (c - '0');
    }
    if (id == 0) return false;
    ids.push_back(id);
    if (comma == std::string_view::npos) return true;
    text.remove_prefix(comma + 1);
  }
}

std::string LinePrefix(int line) { return "line " + std::to_string(line) + ": "; }

// Reads the source line by line into topics; paragraphs and bullets run on over lines.
class TParser {
 public:
  TParser(std::vector<THelpTopic>& topics, std::vector<std::string>& problems)
      : topics_(topics), problems_(problems) {}

  void Line(std::string_view raw, int number) {
    std::string_view line = Trim(raw);
    if (!raw.empty() && raw.front() == ';') return;
    if (line.empty()) {
      open_ = nullptr;
      return;
    }
    if (raw.front() == '#') {
      open_ = nullptr;
      Marker(raw, number);
      return;
    }
    bool bullet = raw.size() >= 2 && raw[0] == '-' && raw[1] == ' ';
    // A bullet runs on over indented lines only: text at the margin after a list is a
    // paragraph of its own.
    bool indented = raw.front() == ' ' || raw.front() == '\t';
    if (open_ && open_->Kind == THelpBlockKind::Bullet && !indented) open_ = nullptr;
    if (!bullet && open_) {
      open_->Text += ' ';
      open_->Text += line;
      return;
    }
    if (topics_.empty()) {
      problems_.push_back(LinePrefix(number) + "text before the first topic");
      return;
    }
    THelpBlock block;
    block.Kind = bullet ? THelpBlockKind::Bullet : THelpBlockKind::Paragraph;
    block.Text = std::string(bullet ? Trim(line.substr(2)) : line);
    block.Line = number;
    topics_.back().Blocks.push_back(std::move(block));
    open_ = &topics_.back().Blocks.back();
  }

 private:
  void Marker(std::string_view raw, int number) {
    std::size_t level = raw.find_first_not_of('#');
    if (level == std::string_view::npos || level > 3 || raw[level] != ' ') {
      problems_.push_back(LinePrefix(number) + "cannot be read: " + std::string(Trim(raw)));
      return;
    }
    std::string_view rest = Trim(raw.substr(level));
    if (level == 1) {
      std::size_t colon = rest.find(':');
      std::string_view name = colon == std::string_view::npos ? rest : Trim(rest.substr(0, colon));
      std::string_view title = colon == std::string_view::npos ? std::string_view() : Trim(rest.substr(colon + 1));
      if (!IsTopicName(name) || title.empty()) {
        problems_.push_back(LinePrefix(number) + "a topic needs \"# name: Title\" with a name of a-z, 0-9 and -");
        return;
      }
      topics_.push_back({std::string(name), std::string(title), {}});
      return;
    }
    if (topics_.empty()) {
      problems_.push_back(LinePrefix(number) + "text before the first topic");
      return;
    }
    THelpBlock block;
    block.Line = number;
    if (level == 2) {
      block.Kind = THelpBlockKind::Heading;
      block.Text = std::string(rest);
    } else {
      std::size_t colon = rest.find(':');
      std::string_view title = colon == std::string_view::npos ? std::string_view() : Trim(rest.substr(colon + 1));
      if (colon == std::string_view::npos || !ParseIds(rest.substr(0, colon), block.Ids) || title.empty()) {
        problems_.push_back(LinePrefix(number) + "a control entry needs \"### id, id: Title\" with ids above 0");
        return;
      }
      block.Kind = THelpBlockKind::Control;
      block.Text = std::string(title);
    }
    topics_.back().Blocks.push_back(std::move(block));
  }

  std::vector<THelpTopic>& topics_;
  std::vector<std::string>& problems_;
  THelpBlock* open_ = nullptr;  // the paragraph or bullet later lines run on in
};

// The spans of a paragraph; `unclosedBold` tells whether a bold mark was left open.
std::vector<THelpSpan> Spans(std::string_view markup, bool& unclosedBold) {
  std::vector<THelpSpan> spans;
  std::string text;
  bool bold = false;
  auto flush = [&] {
    if (!text.empty()) spans.push_back({std::move(text), bold, ""});
    text.clear();
  };
  std::size_t i = 0;
  while (i < markup.size()) {
    char c = markup[i];
    if (c == '\\' && i + 1 < markup.size()) {
      text += markup[i + 1];
      i += 2;
    } else if (c == '*' && i + 1 < markup.size() && markup[i + 1] == '*') {
      flush();
      bold = !bold;
      i += 2;
    } else if (c == '[') {
      // A link only when "](target)" follows, with text to click on.
      std::size_t close = markup.find("](", i + 1);
      std::size_t end = close == std::string_view::npos ? close : markup.find(')', close + 2);
      if (end == std::string_view::npos || close == i + 1 || close + 2 == end ||
          markup.substr(i + 1, close - i - 1).find('[') != std::string_view::npos) {
        text += c;
        ++i;
        continue;
      }
      flush();
      spans.push_back({std::string(markup.substr(i + 1, close - i - 1)), bold,
                       std::string(markup.substr(close + 2, end - close - 2))});
      i = end + 1;
    } else {
      text += c;
      ++i;
    }
  }
  flush();
  unclosedBold = bold;
  return spans;
}

}  // namespace

std::vector<THelpSpan> ParseInline(std::string_view markup) {
  bool unclosed = false;
  return Spans(markup, unclosed);
}

std::string PlainText(std::string_view markup) {
  std::string plain;
  for (const auto& span : ParseInline(markup)) plain += span.Text;
  return plain;
}

THelpBook THelpBook::Parse(std::string_view source) {
  THelpBook book;
  if (source.substr(0, 3) == "\xEF\xBB\xBF") source.remove_prefix(3);
  TParser parser(book.topics_, book.problems_);
  int number = 0;
  while (!source.empty()) {
    std::size_t end = source.find('\n');
    parser.Line(source.substr(0, end), ++number);
    if (end == std::string_view::npos) break;
    source.remove_prefix(end + 1);
  }
  book.Check();
  return book;
}

void THelpBook::Check() {
  // Later topics of the same name cannot be reached: the first one counts.
  for (std::size_t i = 0; i < topics_.size(); ++i)
    for (std::size_t j = 0; j < i; ++j)
      if (topics_[i].Name == topics_[j].Name) {
        problems_.push_back("topic \"" + topics_[i].Name + "\" is given twice");
        break;
      }

  std::map<int, int> definitions;
  std::vector<std::pair<int, int>> references;  // id, line
  for (const auto& topic : topics_) {
    if (topic.Blocks.empty()) problems_.push_back("topic \"" + topic.Name + "\" has no text");
    for (std::size_t b = 0; b < topic.Blocks.size(); ++b) {
      const THelpBlock& block = topic.Blocks[b];
      if (block.Kind != THelpBlockKind::Control) continue;
      THelpContext context{block.Text, {}, topic.Name};
      for (std::size_t k = b + 1; k < topic.Blocks.size(); ++k) {
        const THelpBlock& next = topic.Blocks[k];
        if (next.Kind != THelpBlockKind::Paragraph && next.Kind != THelpBlockKind::Bullet) break;
        context.Body.push_back(next);
      }
      for (int id : block.Ids) {
        if (context.Body.empty()) {
          references.push_back({id, block.Line});
          continue;
        }
        if (definitions.count(id)) {
          problems_.push_back(LinePrefix(block.Line) + "help id " + std::to_string(id) + " is given twice (first on line " +
                              std::to_string(definitions[id]) + ")");
          continue;
        }
        definitions[id] = block.Line;
        contexts_[id] = context;
      }
    }
  }
  for (const auto& [id, line] : references)
    if (!contexts_.count(id))
      problems_.push_back(LinePrefix(line) + "help id " + std::to_string(id) + " has no text here or anywhere else");

  for (const auto& topic : topics_)
    for (const auto& block : topic.Blocks) {
      bool unclosedBold = false;
      std::vector<THelpSpan> spans = Spans(block.Text, unclosedBold);
      if (unclosedBold) problems_.push_back(LinePrefix(block.Line) + "a bold mark ** is not closed");
      for (const auto& span : spans)
        if (!span.Link.empty() && !FindTopic(span.Link))
          problems_.push_back(LinePrefix(block.Line) + "the link \"" + span.Text + "\" leads to the missing topic \"" +
                              span.Link + "\"");
    }
}

const THelpTopic* THelpBook::FindTopic(std::string_view name) const {
  int i = TopicIndex(name);
  return i < 0 ? nullptr : &topics_[static_cast<std::size_t>(i)];
}

int THelpBook::TopicIndex(std::string_view name) const {
  for (std::size_t i = 0; i < topics_.size(); ++i)
    if (topics_[i].Name == name) return static_cast<int>(i);
  return -1;
}

const THelpContext* THelpBook::FindContext(int helpId) const {
  auto it = contexts_.find(helpId);
  return it == contexts_.end() ? nullptr : &it->second;
}

std::vector<int> THelpBook::ContextIds() const {
  std::vector<int> ids;
  for (const auto& entry : contexts_) ids.push_back(entry.first);
  return ids;
}

}  // namespace vimo
