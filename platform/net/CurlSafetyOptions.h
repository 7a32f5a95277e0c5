// Setting the libcurl options a request must not go out without: the protocols allowed (also
// on redirects) and the verification of TLS peers. libcurl refuses an option it does not know
// (an older library) or a value it cannot honour (a protocol it was built without); then the
// request fails here instead of running unguarded.
#pragma once

#include <curl/curl.h>

#include "platform/rtl/Types.h"

// Raises EIdException naming the option and the request (where) unless result is CURLE_OK.
void CheckSafetyOption(CURLcode result, const char* name, const String& where);

template <typename T>
void SetSafetyOption(CURL* easy, CURLoption option, T value, const char* name, const String& where) {
  CheckSafetyOption(curl_easy_setopt(easy, option, value), name, where);
}
