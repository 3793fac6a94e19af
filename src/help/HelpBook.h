#pragma once
// The help text: the topics of the help window and the pop-up texts of the controls'
// help ids, read from the UTF-8 source that is compiled into the program.
//
// The source is plain text, one topic after another:
//   ; a comment line
//   # name: Title            a topic; the name is what links and the program use
//   ## Heading               a heading inside the topic
//   ### 78, 79: Color        a control entry: its title, and the paragraphs under it
//                            are the pop-up text of help ids 78 and 79; an entry
//                            without paragraphs shows the text given for its first id
//                            in another topic
//   - item                   a bullet; indented lines run on in it
//   text                     a paragraph; lines run on until a blank line
// Inside text: **bold**, [shown text](topic) for a link, \ before a character that
// should stay as it is.
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vimo {

enum class THelpBlockKind { Heading, Control, Paragraph, Bullet };

struct THelpBlock {
  THelpBlockKind Kind = THelpBlockKind::Paragraph;
  std::string Text;      // inline markup; a control entry's title
  std::vector<int> Ids;  // a control entry's help ids
  int Line = 0;          // where the block starts in the source
};

struct THelpTopic {
  std::string Name;
  std::string Title;
  std::vector<THelpBlock> Blocks;
};

// What one help id shows: the control entry's title and the paragraphs under it.
struct THelpContext {
  std::string Title;
  std::vector<THelpBlock> Body;  // paragraphs and bullets
  std::string Topic;             // the topic that holds the entry
};

// A piece of a paragraph as the markup makes it: plain or bold text, or a link.
struct THelpSpan {
  std::string Text;
  bool Bold = false;
  std::string Link;  // the target topic; empty for text that is no link
  bool operator==(const THelpSpan&) const = default;
};

std::vector<THelpSpan> ParseInline(std::string_view markup);
// The text without its markup: links keep their shown text.
std::string PlainText(std::string_view markup);

class THelpBook {
 public:
  // Never fails: what cannot be read is left out and named in Problems().
  static THelpBook Parse(std::string_view source);

  const std::vector<THelpTopic>& Topics() const { return topics_; }
  const THelpTopic* FindTopic(std::string_view name) const;
  // The topic's position in Topics(), or -1.
  int TopicIndex(std::string_view name) const;
  const THelpContext* FindContext(int helpId) const;
  std::vector<int> ContextIds() const;

  // What is wrong with the source, one line each: lines that cannot be read, topics
  // or help ids given twice, entries that show nothing, links to missing topics,
  // unbalanced bold marks. Empty for a sound source.
  const std::vector<std::string>& Problems() const { return problems_; }

 private:
  void Check();

  std::vector<THelpTopic> topics_;
  std::map<int, THelpContext> contexts_;
  std::vector<std::string> problems_;
};

}  // namespace vimo
