#include "html/foundation/shared/UrlTarget.h"

#include "html/foundation/globals/EngineSettings.h"
#include "html/foundation/shared/Attributes.h"

void TUrlTarget::StartLink(const String& url, const String& target, const TAttributeList& attributes, int startPos) {
  LinkUrl = url;
  FrameTarget = target;
  Serial = EngineSettings().NextLinkSerial++;
  StartPos = startPos;
  AttrText.clear();
  for (const String& line : attributes.ToNameValueList()) AttrText += line + u"\r\n";
}
