#include "html/document/forms/FormData.h"

#include <string>

#include "platform/rtl/Unicode.h"

String EncodeFormText(const String& text) {
  static const char hex[] = "0123456789ABCDEF";
  String result;
  for (const unsigned char byte : StringToUtf8(text)) {
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
        byte == '*' || byte == '-' || byte == '.' || byte == '_') {
      result += static_cast<Char>(byte);
    } else if (byte == ' ') {
      result += u'+';
    } else {
      result += u'%';
      result += static_cast<Char>(hex[byte >> 4]);
      result += static_cast<Char>(hex[byte & 15]);
    }
  }
  return result;
}

String EncodeFormData(const TStringList& lines) {
  String result;
  for (int i = 0; i < lines.Count(); ++i) {
    const String& line = lines[i];
    const size_t at = line.find(u'=');
    if (i > 0) result += u'&';
    result += EncodeFormText(line.substr(0, at));
    result += u'=';
    if (at != String::npos) result += EncodeFormText(line.substr(at + 1));
  }
  return result;
}
