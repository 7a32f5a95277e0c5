// Percent-encoding of request addresses and of query values.
#pragma once

#include <string>

#include "platform/rtl/Types.h"

// A query value for "name=" + value: UTF-8, every byte except A-Z a-z 0-9 - . _ ~ as %XX
// (upper-case hex). "a b&c" gives "a%20b%26c".
String UrlEncodeQueryValue(const String& value);

// The same for form-style values, where a blank becomes "+" (and "+" itself %2B):
// "c++ lernen" gives "c%2B%2B+lernen".
String UrlEncodeFormValue(const String& value);

// The address as it goes on the wire: UTF-8, with every byte that may not stand in a URL
// (controls, blank, non-ASCII, " < > \ ^ ` { | }) percent-encoded after the host part.
// Characters with a meaning in URLs (/ ? & = # + :) and existing %XX escapes are kept, so
// an address that is already encoded passes unchanged; a "%" that starts no escape becomes
// "%25". The host part stays as it is.
std::string EncodeRequestUrl(const String& url);
