#pragma once
// A help topic laid out for the help window's text pane, and a help id's text for the
// context pop-up. Positions count UTF-16 units, as the text control counts them; each
// paragraph ends in one "\r".
#include <string>
#include <vector>

#include "help/HelpBook.h"

namespace vimo {

enum class THelpParagraphStyle { Title, Heading, Control, Body, Bullet };

struct THelpParagraph {
  int Start = 0;
  int Length = 0;  // without the "\r"
  THelpParagraphStyle Style = THelpParagraphStyle::Body;
};

struct THelpRun {
  int Start = 0;
  int Length = 0;
  bool Bold = false;
  bool Link = false;
};

struct THelpLink {
  int Start = 0;
  int Length = 0;
  std::string Target;
};

struct THelpPage {
  std::string Text;  // UTF-8
  std::vector<THelpParagraph> Paragraphs;
  std::vector<THelpRun> Runs;  // bold text and links, in text order
  std::vector<THelpLink> Links;

  // The link that holds position `pos`, or null.
  const THelpLink* LinkAt(int pos) const;
  // The link Tab (forward) or Shift+Tab selects when [selStart, selEnd) is selected;
  // -1 when no link is left that way.
  int NextLink(int selStart, int selEnd, bool forward) const;
};

// Bullets start with a bullet and a tab; the window sets the tab stop.
inline constexpr const char* kHelpBullet = "\xE2\x80\xA2\t";

THelpPage RenderTopic(const THelpBook& book, const THelpTopic& topic);

// A help id's pop-up: its paragraphs as plain text, one blank line between them.
std::string ContextPopupText(const THelpContext& context);

}  // namespace vimo
