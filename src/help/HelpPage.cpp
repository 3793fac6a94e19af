#include "help/HelpPage.h"

#include "platform/Utf.h"

namespace vimo {
namespace {

int Units(std::string_view utf8) { return static_cast<int>(Widen(utf8).size()); }

class TPageWriter {
 public:
  explicit TPageWriter(THelpPage& page) : page_(page) {}

  void Paragraph(THelpParagraphStyle style, std::string_view markup, std::string_view prefix = {}) {
    int start = pos_;
    Append(prefix);
    for (const auto& span : ParseInline(markup)) {
      int at = pos_;
      Append(span.Text);
      int length = pos_ - at;
      if (span.Bold || !span.Link.empty()) page_.Runs.push_back({at, length, span.Bold, !span.Link.empty()});
      if (!span.Link.empty()) page_.Links.push_back({at, length, span.Link});
    }
    page_.Paragraphs.push_back({start, pos_ - start, style});
    Append("\r");
  }

 private:
  void Append(std::string_view text) {
    page_.Text += text;
    pos_ += Units(text);
  }

  THelpPage& page_;
  int pos_ = 0;
};

void WriteBody(TPageWriter& writer, const THelpBlock& block) {
  if (block.Kind == THelpBlockKind::Bullet)
    writer.Paragraph(THelpParagraphStyle::Bullet, block.Text, kHelpBullet);
  else
    writer.Paragraph(THelpParagraphStyle::Body, block.Text);
}

}  // namespace

const THelpLink* THelpPage::LinkAt(int pos) const {
  for (const auto& link : Links)
    if (pos >= link.Start && pos < link.Start + link.Length) return &link;
  return nullptr;
}

int THelpPage::NextLink(int selStart, int selEnd, bool forward) const {
  const int count = static_cast<int>(Links.size());
  if (forward) {
    for (int i = 0; i < count; ++i)
      if (Links[static_cast<std::size_t>(i)].Start >= selEnd) return i;
    return -1;
  }
  for (int i = count - 1; i >= 0; --i) {
    const THelpLink& link = Links[static_cast<std::size_t>(i)];
    if (link.Start + link.Length <= selStart) return i;
  }
  return -1;
}

THelpPage RenderTopic(const THelpBook& book, const THelpTopic& topic) {
  THelpPage page;
  TPageWriter writer(page);
  writer.Paragraph(THelpParagraphStyle::Title, topic.Title);
  const auto& blocks = topic.Blocks;
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const THelpBlock& block = blocks[i];
    switch (block.Kind) {
      case THelpBlockKind::Heading:
        writer.Paragraph(THelpParagraphStyle::Heading, block.Text);
        break;
      case THelpBlockKind::Control: {
        writer.Paragraph(THelpParagraphStyle::Control, block.Text);
        bool ownText = i + 1 < blocks.size() && (blocks[i + 1].Kind == THelpBlockKind::Paragraph ||
                                                 blocks[i + 1].Kind == THelpBlockKind::Bullet);
        // An entry without text of its own shows the text given for its id elsewhere.
        if (!ownText && !block.Ids.empty())
          if (const THelpContext* context = book.FindContext(block.Ids.front()))
            for (const auto& body : context->Body) WriteBody(writer, body);
        break;
      }
      default:
        WriteBody(writer, block);
        break;
    }
  }
  return page;
}

std::string ContextPopupText(const THelpContext& context) {
  std::string text;
  const THelpBlock* previous = nullptr;
  for (const auto& block : context.Body) {
    if (previous) text += previous->Kind == THelpBlockKind::Bullet && block.Kind == THelpBlockKind::Bullet ? "\n" : "\n\n";
    if (block.Kind == THelpBlockKind::Bullet) text += "\xE2\x80\xA2 ";
    text += PlainText(block.Text);
    previous = &block;
  }
  return text;
}

}  // namespace vimo
