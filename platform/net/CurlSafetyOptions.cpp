#include "platform/net/CurlSafetyOptions.h"

#include "platform/net/NetExceptions.h"
#include "platform/rtl/Unicode.h"

void CheckSafetyOption(CURLcode result, const char* name, const String& where) {
  if (result == CURLE_OK) return;
  throw EIdException(S("Die Schutzeinstellung ") + S(name) + S(" ließ sich nicht setzen bei ") + where + S(": ") +
                     S(curl_easy_strerror(result)));
}
