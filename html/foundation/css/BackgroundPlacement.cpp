// Where a background image starts and how far its tiles run.
#include <vector>

#include "html/foundation/css/BoxValues.h"
#include "html/foundation/css/Lengths.h"
#include "html/foundation/css/Properties.h"
#include "html/foundation/globals/TextHelpers.h"

void ReadBackgroundPlacement(const TProperties& props, int32_t em, int32_t ex, TBackgroundPos& pos) {
  pos = TBackgroundPos{};
  const TPropValue& position = props.Values[BackgroundPosition];
  if (position.IsText()) {
    const String text = TrimText(position.AsText());
    const size_t blank = text.find(u' ');
    std::vector<String> words = {text.substr(0, blank)};
    if (blank != String::npos) words.push_back(TrimText(text.substr(blank + 1)));
    int c = 1;
    for (const String& word : words) {
      TBackgroundPosPart* part = &pos[c == 1 ? 0 : 1];
      part->Kind = 6;
      if (word == u"center") {
        part->Kind = 1;
      } else if (word.find(u'%') != String::npos) {
        part->Kind = 5;
      } else if (word == u"left" || word == u"right") {
        if (c == 2) pos[1] = pos[0];
        part = &pos[0];
        part->Kind = word == u"left" ? 3 : 4;
      } else if (word == u"top" || word == u"bottom") {
        part = &pos[1];
        part->Kind = word == u"top" ? 0 : 2;
        if (c == 1) --c;
      }
      if (part->Kind == 5 || part->Kind == 6) part->Value = LengthToPixels(word, false, 100, 0, ex, em);
      ++c;
    }
    if (words.size() == 1) pos[c == 2 ? 1 : 0].Kind = 1;
  } else {
    pos[0].Kind = 6;
    pos[0].Value = 0;
    pos[1] = pos[0];
  }
  pos[0].Repeat = pos[1].Repeat = true;
  const String repeat = TrimText(props.Values[BackgroundRepeat].TextOrEmpty());
  if (repeat == u"no-repeat") pos[0].Repeat = pos[1].Repeat = false;
  else if (repeat == u"repeat-x") pos[1].Repeat = false;
  else if (repeat == u"repeat-y") pos[0].Repeat = false;
  const bool fixed = TrimText(props.Values[BackgroundAttachment].TextOrEmpty()) == u"fixed";
  pos[0].Fixed = pos[1].Fixed = fixed;
}

int32_t BackgroundOffset(uint8_t kind, int32_t value, int32_t room) {
  switch (kind) {
    case 1: return room / 2;
    case 2: case 4: return room;
    case 5: return static_cast<int32_t>(static_cast<int64_t>(value) * room / 100);
    case 6: return value;
    default: return 0;
  }
}

void TileRange(bool repeat, int32_t clipStart, int32_t clipEnd, int32_t& limit, int32_t& start, int32_t tileSize) {
  if (repeat && tileSize > 0) {
    const int32_t d = clipStart - start;
    if (d >= tileSize) start = clipStart - d % tileSize;
    else if (d < 0) start = clipStart + (-d) % tileSize - tileSize;
    limit = clipEnd;
  } else {
    limit = start + ((clipStart < start + tileSize && start < clipEnd) ? 1 : 0);
  }
}

void PlaceBackgroundImage(const TBackgroundPos& pos, const TRect& clip, int32_t horizontalShift,
                          int32_t& verticalLimit, int32_t& horizontalLimit, int32_t& verticalStart,
                          int32_t& horizontalStart, int32_t imageHeight, int32_t imageWidth, int32_t areaHeight,
                          int32_t areaWidth, int32_t verticalShift) {
  horizontalStart = BackgroundOffset(pos[0].Kind, pos[0].Value, areaWidth - imageWidth) - horizontalShift;
  TileRange(pos[0].Repeat, clip.Left, clip.Right, horizontalLimit, horizontalStart, imageWidth);
  verticalStart = BackgroundOffset(pos[1].Kind, pos[1].Value, areaHeight - imageHeight) - verticalShift;
  TileRange(pos[1].Repeat, clip.Top, clip.Bottom, verticalLimit, verticalStart, imageHeight);
}
